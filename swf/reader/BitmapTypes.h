// Parsed bitmap definitions: the image bytes as stored; decoding lives in BitmapData.h.
#pragma once

#include <cstdint>
#include <vector>

namespace swf {

enum class TBitmapKind : uint8_t {
  Jpeg,       // DefineBits: JPEG without tables, joined with the movie's JPEGTables
  Jpeg2,      // DefineBitsJPEG2: complete JPEG (or PNG/GIF)
  Jpeg3,      // DefineBitsJPEG3: JPEG plus zlib-compressed alpha
  Lossless,   // DefineBitsLossless: zlib-compressed RGB pixels
  Lossless2,  // DefineBitsLossless2: zlib-compressed premultiplied ARGB pixels
};

struct TBitmap {
  uint16_t Id = 0;
  TBitmapKind Kind = TBitmapKind::Jpeg2;
  std::vector<uint8_t> ImageData;  // JPEG/PNG/GIF bytes, or the zlib stream of lossless pixels
  std::vector<uint8_t> AlphaData;  // Jpeg3: zlib stream of one alpha byte per pixel
  // Lossless only: 3 = 8-bit palette, 4 = 15-bit RGB, 5 = 32-bit.
  uint8_t Format = 0;
  uint16_t Width = 0, Height = 0;  // lossless only (JPEG sizes come from the image)
  uint16_t ColorTableSize = 0;     // format 3: number of palette entries (1..256)
  bool IsJpeg() const {
    return Kind == TBitmapKind::Jpeg || Kind == TBitmapKind::Jpeg2 || Kind == TBitmapKind::Jpeg3;
  }
  bool operator==(const TBitmap&) const = default;
};

}  // namespace swf
