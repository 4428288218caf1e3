#include "swf/reader/BitmapData.h"

#include <algorithm>
#include <string>

#include "swf/format/SwfError.h"
#include "swf/reader/Decompress.h"

namespace swf {
namespace {

bool StartsWith(std::span<const uint8_t> d, std::initializer_list<uint8_t> prefix) {
  return d.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), d.begin());
}

bool IsStandaloneMarker(uint8_t m) { return m == 0x01 || m == 0xD8 || m == 0xD9 || (m >= 0xD0 && m <= 0xD7); }

// Copies a JPEG stream, dropping EOI+SOI pairs that old writers put among the header
// segments. Stops walking at the first frame header or scan; the rest is copied as is.
void AppendCleanJpeg(std::span<const uint8_t> d, std::vector<uint8_t>& out) {
  size_t pos = 0;
  while (pos + 1 < d.size() && d[pos] == 0xFF) {
    uint8_t marker = d[pos + 1];
    if (marker == 0xD9 && pos + 3 < d.size() && d[pos + 2] == 0xFF && d[pos + 3] == 0xD8) {
      pos += 4;  // the erroneous pair
      continue;
    }
    if (marker == 0xC0 || marker == 0xC2 || marker == 0xDA) break;
    size_t length = 2;
    if (!IsStandaloneMarker(marker)) {
      if (pos + 3 >= d.size()) break;
      length += (d[pos + 2] << 8) | d[pos + 3];
    }
    if (length > d.size() - pos) break;
    out.insert(out.end(), d.begin() + pos, d.begin() + pos + length);
    pos += length;
  }
  out.insert(out.end(), d.begin() + pos, d.end());
}

void CheckSize(uint64_t width, uint64_t height) {
  if (width > MaxBitmapSide || height > MaxBitmapSide || width * height > MaxBitmapPixels)
    throw TSwfError("A bitmap of " + std::to_string(width) + " x " + std::to_string(height) +
                    " pixels is too large");
}

uint32_t Premultiplied(uint8_t a, uint8_t r, uint8_t g, uint8_t b) {
  // Colour above alpha is not valid premultiplied data; clamp it as players do.
  r = std::min(r, a);
  g = std::min(g, a);
  b = std::min(b, a);
  return uint32_t(a) << 24 | uint32_t(r) << 16 | uint32_t(g) << 8 | b;
}

uint32_t Opaque(uint8_t r, uint8_t g, uint8_t b) {
  return 0xFF000000u | uint32_t(r) << 16 | uint32_t(g) << 8 | b;
}

}  // namespace

std::vector<uint8_t> JpegStream(const TBitmap& bitmap, std::span<const uint8_t> jpegTables) {
  std::span<const uint8_t> image(bitmap.ImageData);
  if (StartsWith(image, {0x89, 'P', 'N', 'G'}) || StartsWith(image, {'G', 'I', 'F', '8'}))
    return bitmap.ImageData;
  std::vector<uint8_t> out;
  if (bitmap.Kind == TBitmapKind::Jpeg && !jpegTables.empty()) {
    // Tables without their EOI, then the image without its SOI.
    std::vector<uint8_t> tables;
    AppendCleanJpeg(jpegTables, tables);
    if (tables.size() >= 2 && tables[tables.size() - 2] == 0xFF && tables.back() == 0xD9)
      tables.resize(tables.size() - 2);
    out = std::move(tables);
    std::vector<uint8_t> rest;
    AppendCleanJpeg(image, rest);
    size_t skip = StartsWith(rest, {0xFF, 0xD8}) ? 2 : 0;
    out.insert(out.end(), rest.begin() + skip, rest.end());
  } else {
    AppendCleanJpeg(image, out);
  }
  if (out.size() < 2 || out[out.size() - 2] != 0xFF || out.back() != 0xD9) {
    out.push_back(0xFF);
    out.push_back(0xD9);
  }
  return out;
}

std::vector<uint8_t> DecodeJpegAlpha(const TBitmap& bitmap, uint32_t width, uint32_t height) {
  if (bitmap.AlphaData.empty() || width > MaxBitmapSide || height > MaxBitmapSide ||
      uint64_t(width) * height > MaxBitmapPixels)
    return {};
  size_t want = size_t(width) * height;
  TInflateResult alpha = InflateZlib(bitmap.AlphaData, want + 1);
  if (alpha.Data.size() != want) return {};
  return std::move(alpha.Data);
}

TPixels DecodeLossless(const TBitmap& bitmap) {
  if (bitmap.Kind != TBitmapKind::Lossless && bitmap.Kind != TBitmapKind::Lossless2)
    throw TSwfError("Not a lossless bitmap");
  bool alpha = bitmap.Kind == TBitmapKind::Lossless2;
  CheckSize(bitmap.Width, bitmap.Height);
  TPixels px;
  px.Width = bitmap.Width;
  px.Height = bitmap.Height;
  size_t w = bitmap.Width, h = bitmap.Height;
  size_t paletteBytes = 0, stride = 0;
  switch (bitmap.Format) {
    case 3:
      paletteBytes = size_t(bitmap.ColorTableSize) * (alpha ? 4 : 3);
      stride = (w + 3) & ~size_t(3);
      break;
    case 4:
      if (alpha) throw TSwfError("DefineBitsLossless2 does not allow 15-bit pixels");
      stride = (w * 2 + 3) & ~size_t(3);
      break;
    case 5:
      stride = w * 4;
      break;
    default:
      throw TSwfError("Unknown lossless bitmap format " + std::to_string(bitmap.Format));
  }
  if (w == 0 || h == 0) return px;
  TInflateResult data = InflateZlib(bitmap.ImageData, paletteBytes + stride * h);
  if (data.Data.size() < paletteBytes || data.Data.empty())
    throw TSwfError("The bitmap's compressed pixel data is damaged");
  px.Argb.assign(w * h, 0);  // rows missing from a short stream stay transparent
  const uint8_t* d = data.Data.data();
  size_t rows = std::min(h, (data.Data.size() - paletteBytes) / stride);

  if (bitmap.Format == 3) {
    std::vector<uint32_t> palette(256, alpha ? 0u : Opaque(0, 0, 0));
    for (size_t i = 0; i < bitmap.ColorTableSize; ++i) {
      const uint8_t* c = d + i * (alpha ? 4 : 3);
      palette[i] = alpha ? Premultiplied(c[3], c[0], c[1], c[2]) : Opaque(c[0], c[1], c[2]);
    }
    for (size_t y = 0; y < rows; ++y)
      for (size_t x = 0; x < w; ++x) px.Argb[y * w + x] = palette[d[paletteBytes + y * stride + x]];
  } else if (bitmap.Format == 4) {
    for (size_t y = 0; y < rows; ++y)
      for (size_t x = 0; x < w; ++x) {
        const uint8_t* p = d + y * stride + x * 2;
        uint16_t v = uint16_t(p[0] << 8 | p[1]);
        auto expand = [](int c) { return uint8_t(c << 3 | c >> 2); };
        px.Argb[y * w + x] = Opaque(expand(v >> 10 & 31), expand(v >> 5 & 31), expand(v & 31));
      }
  } else {
    for (size_t y = 0; y < rows; ++y)
      for (size_t x = 0; x < w; ++x) {
        const uint8_t* p = d + y * stride + x * 4;
        px.Argb[y * w + x] = alpha ? Premultiplied(p[0], p[1], p[2], p[3]) : Opaque(p[1], p[2], p[3]);
      }
  }
  return px;
}

}  // namespace swf
