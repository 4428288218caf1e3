// Colour matrix and convolution: per-pixel arithmetic on straight (not premultiplied)
// colours, as the movie gives their numbers for.
#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "player/filter/Filters.h"

namespace player {

namespace {

using TStraight = std::array<float, 4>;  // R, G, B, A in 0..255

TStraight Unpremultiply(uint32_t p) {
  const float a = float(p >> 24);
  if (a == 0) return {0, 0, 0, 0};
  const float f = 255.0f / a;
  return {((p >> 16) & 0xFF) * f, ((p >> 8) & 0xFF) * f, (p & 0xFF) * f, a};
}

uint32_t Premultiply(const TStraight& c) {
  auto clamp = [](float v) { return std::clamp(v, 0.0f, 255.0f); };
  const float a = clamp(c[3]);
  auto channel = [&](float v) { return uint32_t(std::lround(clamp(v) * a / 255.0f)); };
  return (uint32_t(std::lround(a)) << 24) | (channel(c[0]) << 16) | (channel(c[1]) << 8) | channel(c[2]);
}

}  // namespace

void ApplyColorMatrix(QImage& layer, const swf::TColorMatrixFilter& filter) {
  const float* m = filter.Matrix;
  for (int y = 0; y < layer.height(); ++y) {
    auto* row = reinterpret_cast<uint32_t*>(layer.scanLine(y));
    for (int x = 0; x < layer.width(); ++x) {
      const TStraight in = Unpremultiply(row[x]);
      TStraight out;
      for (int i = 0; i < 4; ++i)
        out[i] = m[5 * i] * in[0] + m[5 * i + 1] * in[1] + m[5 * i + 2] * in[2] + m[5 * i + 3] * in[3] + m[5 * i + 4];
      row[x] = Premultiply(out);
    }
  }
}

void ApplyConvolution(QImage& layer, const swf::TConvolutionFilter& filter) {
  const int columns = filter.Columns, rows = filter.Rows;
  // A matrix beyond 15 × 15 would cost more per pixel than a frame may take: left out.
  if (columns == 0 || rows == 0 || columns * rows > 225 ||
      filter.Matrix.size() != size_t(columns) * rows)
    return;
  const float divisor = filter.Divisor == 0 || !std::isfinite(filter.Divisor) ? 1.0f : filter.Divisor;
  const int w = layer.width(), h = layer.height();
  std::vector<TStraight> source(size_t(w) * h);
  for (int y = 0; y < h; ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(layer.constScanLine(y));
    for (int x = 0; x < w; ++x) source[size_t(y) * w + x] = Unpremultiply(row[x]);
  }
  const TStraight outside = {float(filter.DefaultColor.R), float(filter.DefaultColor.G),
                             float(filter.DefaultColor.B), float(filter.DefaultColor.A)};
  auto at = [&](int x, int y) -> const TStraight& {
    if (filter.Clamp) return source[size_t(std::clamp(y, 0, h - 1)) * w + std::clamp(x, 0, w - 1)];
    if (x < 0 || y < 0 || x >= w || y >= h) return outside;
    return source[size_t(y) * w + x];
  };
  for (int y = 0; y < h; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(layer.scanLine(y));
    for (int x = 0; x < w; ++x) {
      TStraight sum = {0, 0, 0, 0};
      for (int j = 0; j < rows; ++j)
        for (int i = 0; i < columns; ++i) {
          const float k = filter.Matrix[size_t(j) * columns + i];
          const TStraight& c = at(x + i - columns / 2, y + j - rows / 2);
          for (int n = 0; n < 4; ++n) sum[n] += k * c[n];
        }
      TStraight out;
      for (int n = 0; n < 4; ++n) out[n] = sum[n] / divisor + filter.Bias;
      if (filter.PreserveAlpha) out[3] = source[size_t(y) * w + x][3];
      row[x] = Premultiply(out);
    }
  }
}

}  // namespace player
