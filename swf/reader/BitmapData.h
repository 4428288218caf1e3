// Turns stored bitmap bytes into what an image decoder or a painter takes: JPEG streams
// fixed up and joined with the shared tables, lossless pixels decoded. Pure data.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "swf/reader/BitmapTypes.h"

namespace swf {

// Largest bitmap accepted: each side and the pixel count.
constexpr uint32_t MaxBitmapSide = 16384;
constexpr uint64_t MaxBitmapPixels = 64ull << 20;

// A complete image stream for a JPEG-kind bitmap: DefineBits joined with the tables
// (tables without their EOI + image without its SOI), the erroneous EOI+SOI pair of old
// files removed, and a missing EOI appended. PNG and GIF data are returned as they are.
std::vector<uint8_t> JpegStream(const TBitmap& bitmap, std::span<const uint8_t> jpegTables);

// JPEG3 alpha inflated to exactly width × height bytes, or empty when it does not fit
// (or the size is over the limits).
std::vector<uint8_t> DecodeJpegAlpha(const TBitmap& bitmap, uint32_t width, uint32_t height);

// Premultiplied 0xAARRGGBB pixels, row-major.
struct TPixels {
  uint32_t Width = 0, Height = 0;
  std::vector<uint32_t> Argb;
};

// Decodes a lossless bitmap. Throws TSwfError for a bad format, a bitmap over the limits
// or pixel data too short (a short stream fills the rest transparent when at least
// the palette is there).
TPixels DecodeLossless(const TBitmap& bitmap);

}  // namespace swf
