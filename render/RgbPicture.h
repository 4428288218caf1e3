// A decoded picture in memory: 8-bit red, green and blue per pixel, rows from the top.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct TRgbPicture {
  int Width = 0;
  int Height = 0;
  std::vector<std::uint8_t> Pixels; // Width * Height * 3 bytes

  std::size_t RowBytes() const { return static_cast<std::size_t>(Width) * 3; }
};

// The pixel size a picture file declares in its header, before anything is decoded.
struct TPictureSize {
  int Width = 0;
  int Height = 0;
};
