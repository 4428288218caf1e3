#include "media/ExifOrientation.h"

#include <cstring>

#include "media/PictureKind.h"

namespace media {

namespace {

// EXIF blocks sit in APP1 near the start; a camera's block with its thumbnail fits in 64 KB.
constexpr std::size_t ExifSearchBytes = 256 * 1024;

struct TTiffReader {
  const std::uint8_t* Data;
  std::size_t Size;
  bool BigEndian;

  bool Has(std::size_t at, std::size_t count) const { return at <= Size && count <= Size - at; }
  unsigned U16(std::size_t at) const {
    return BigEndian ? (Data[at] << 8) | Data[at + 1] : Data[at] | (Data[at + 1] << 8);
  }
  std::uint32_t U32(std::size_t at) const {
    return BigEndian ? (std::uint32_t(U16(at)) << 16) | U16(at + 2) : U16(at) | (std::uint32_t(U16(at + 2)) << 16);
  }
};

// The orientation tag (0x0112) of the first directory of a TIFF block; 1 when absent.
int TiffOrientation(const std::uint8_t* data, std::size_t size) {
  if (size < 8) return 1;
  TTiffReader tiff{data, size, data[0] == 'M'};
  if (!(data[0] == 'M' && data[1] == 'M') && !(data[0] == 'I' && data[1] == 'I')) return 1;
  if (tiff.U16(2) != 42) return 1;
  const std::size_t directory = tiff.U32(4);
  if (!tiff.Has(directory, 2)) return 1;
  const unsigned entries = tiff.U16(directory);
  for (unsigned i = 0; i < entries; ++i) {
    const std::size_t entry = directory + 2 + std::size_t(i) * 12;
    if (!tiff.Has(entry, 12)) return 1;
    if (tiff.U16(entry) != 0x0112) continue;
    const unsigned value = tiff.U16(entry + 8);  // a SHORT sits at the start of the value field
    return value >= 1 && value <= 8 ? static_cast<int>(value) : 1;
  }
  return 1;
}

}  // namespace

int JpegOrientationOf(const std::vector<std::uint8_t>& head) {
  const std::size_t size = head.size();
  if (size < 4 || head[0] != 0xFF || head[1] != 0xD8) return 1;
  std::size_t at = 2;
  while (at + 4 <= size) {
    if (head[at] != 0xFF) return 1;
    const std::uint8_t marker = head[at + 1];
    if (marker == 0xFF) {  // fill byte
      ++at;
      continue;
    }
    if (marker == 0xDA || marker == 0xD9) return 1;  // the pixels start: no EXIF before them
    const std::size_t length = (std::size_t(head[at + 2]) << 8) | head[at + 3];
    if (length < 2) return 1;
    const std::size_t body = at + 4, bodySize = length - 2;
    if (marker == 0xE1 && bodySize >= 6 && body + 6 <= size && std::memcmp(&head[body], "Exif\0\0", 6) == 0) {
      const std::size_t available = std::min(bodySize, size - body);
      return TiffOrientation(&head[body + 6], available - 6);
    }
    at = body + bodySize;
  }
  return 1;
}

int JpegOrientation(const std::string& path) {
  try {
    return JpegOrientationOf(ReadFileHead(path, ExifSearchBytes));
  } catch (const std::exception&) {
    return 1;  // the decoder tells what is wrong with the file
  }
}

std::vector<std::uint8_t> OrientPixels(const std::vector<std::uint8_t>& pixels, int& width, int& height, int channels,
                                       int orientation) {
  if (orientation < 2 || orientation > 8) return pixels;
  const std::size_t w = std::size_t(width), h = std::size_t(height), c = std::size_t(channels);
  const bool turns = OrientationTurns(orientation);
  const std::size_t outWidth = turns ? h : w, outHeight = turns ? w : h;
  std::vector<std::uint8_t> out(pixels.size());
  for (std::size_t y = 0; y < outHeight; ++y) {
    for (std::size_t x = 0; x < outWidth; ++x) {
      std::size_t sx = x, sy = y;
      switch (orientation) {
        case 2: sx = w - 1 - x; break;
        case 3: sx = w - 1 - x; sy = h - 1 - y; break;
        case 4: sy = h - 1 - y; break;
        case 5: sx = y; sy = x; break;
        case 6: sx = y; sy = h - 1 - x; break;
        case 7: sx = w - 1 - y; sy = h - 1 - x; break;
        case 8: sx = w - 1 - y; sy = x; break;
      }
      std::memcpy(&out[(y * outWidth + x) * c], &pixels[(sy * w + sx) * c], c);
    }
  }
  width = static_cast<int>(outWidth);
  height = static_cast<int>(outHeight);
  return out;
}

}  // namespace media
