// The pixel work the bitmap filters share, on premultiplied ARGB images and on single
// 8-bit planes (an object's coverage, a shadow's strength). Sizes are device pixels.
#pragma once

#include <QImage>
#include <QPointF>

#include <cstdint>
#include <vector>

namespace player {

// One 8-bit value per pixel.
struct TPlane {
  int Width = 0, Height = 0;
  std::vector<uint8_t> Values;
  TPlane() = default;
  TPlane(int width, int height) : Width(width), Height(height), Values(size_t(width) * height) {}
  uint8_t At(int x, int y) const {
    return x < 0 || y < 0 || x >= Width || y >= Height ? 0 : Values[size_t(y) * Width + x];
  }
};

// The alpha channel of a premultiplied ARGB32 image.
TPlane AlphaOf(const QImage& image);

// Blur passes beyond the highest quality a movie can ask for are not made.
constexpr int MaxPasses = 15;

// Box blur: passes rounds of a box radiusX wide then radiusY high (fractional radii
// weigh the outermost pixels by the fraction), as the movie's blur quality asks.
void BoxBlur(TPlane& plane, double radiusX, double radiusY, int passes);
void BoxBlur(QImage& image, double radiusX, double radiusY, int passes);

// The plane moved by offset pixels (rounded), with 0 coming in at the edges.
TPlane Shifted(const TPlane& plane, QPointF offset);

// A filter's blur amount (pixels of the stage) as a box radius in device pixels.
double BlurRadius(double blur, double deviceScale);

}  // namespace player
