#include "player/filter/FilterImage.h"

#include <algorithm>
#include <cmath>

namespace player {

namespace {

// One box pass over count values spaced stride apart: each becomes the mean of its
// neighbours within radius, the two outermost weighed by the radius's fraction.
void BoxLine(uint8_t* values, int count, int stride, double radius, std::vector<uint32_t>& scratch) {
  if (count <= 0 || radius <= 0) return;
  const int whole = static_cast<int>(radius);
  const double fraction = radius - whole;
  // Sums scaled by 256 keep the fraction's weight in integers.
  const uint32_t edgeWeight = static_cast<uint32_t>(std::lround(fraction * 256));
  const uint32_t divisor = (2 * whole + 1) * 256 + 2 * edgeWeight;
  scratch.assign(count + 2 * (whole + 1) + 1, 0);
  // Prefix sums with zeros beyond both ends.
  const int pad = whole + 1;
  std::vector<uint32_t>& prefix = scratch;
  for (int i = 0; i < count; ++i) prefix[pad + i + 1] = prefix[pad + i] + values[size_t(i) * stride];
  for (int i = pad + count + 1; i < static_cast<int>(prefix.size()); ++i) prefix[i] = prefix[i - 1];
  auto value = [&](int i) -> uint32_t {
    return i < 0 || i >= count ? 0u : prefix[pad + i + 1] - prefix[pad + i];
  };
  std::vector<uint8_t> out(count);
  for (int i = 0; i < count; ++i) {
    const uint32_t inner = prefix[pad + i + whole + 1] - prefix[pad + i - whole];
    const uint32_t edges = value(i - whole - 1) + value(i + whole + 1);
    out[i] = static_cast<uint8_t>((inner * 256 + edges * edgeWeight + divisor / 2) / divisor);
  }
  for (int i = 0; i < count; ++i) values[size_t(i) * stride] = out[i];
}

}  // namespace

TPlane AlphaOf(const QImage& image) {
  TPlane plane(image.width(), image.height());
  for (int y = 0; y < image.height(); ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) plane.Values[size_t(y) * plane.Width + x] = row[x] >> 24;
  }
  return plane;
}

double BlurRadius(double blur, double deviceScale) {
  // The box spans the blur amount: half of it either side of the pixel.
  return std::clamp(blur * deviceScale / 2 - 0.5, 0.0, 255.0);
}

void BoxBlur(TPlane& plane, double radiusX, double radiusY, int passes) {
  passes = std::min(passes, MaxPasses);
  std::vector<uint32_t> scratch;
  for (int pass = 0; pass < passes; ++pass) {
    if (radiusX > 0)
      for (int y = 0; y < plane.Height; ++y)
        BoxLine(&plane.Values[size_t(y) * plane.Width], plane.Width, 1, radiusX, scratch);
    if (radiusY > 0)
      for (int x = 0; x < plane.Width; ++x)
        BoxLine(&plane.Values[x], plane.Height, plane.Width, radiusY, scratch);
  }
}

void BoxBlur(QImage& image, double radiusX, double radiusY, int passes) {
  passes = std::min(passes, MaxPasses);
  if (passes <= 0 || (radiusX <= 0 && radiusY <= 0)) return;
  // Four planes blurred alike; premultiplied channels blur without dark fringes.
  const int w = image.width(), h = image.height();
  TPlane channels[4] = {TPlane(w, h), TPlane(w, h), TPlane(w, h), TPlane(w, h)};
  for (int y = 0; y < h; ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(image.constScanLine(y));
    for (int x = 0; x < w; ++x)
      for (int c = 0; c < 4; ++c) channels[c].Values[size_t(y) * w + x] = (row[x] >> (8 * c)) & 0xFF;
  }
  for (TPlane& channel : channels) BoxBlur(channel, radiusX, radiusY, passes);
  for (int y = 0; y < h; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(image.scanLine(y));
    for (int x = 0; x < w; ++x) {
      const size_t i = size_t(y) * w + x;
      const uint32_t a = channels[3].Values[i];
      // Rounding may leave a colour a step above its alpha: keep it premultiplied.
      const uint32_t r = std::min<uint32_t>(channels[2].Values[i], a);
      const uint32_t g = std::min<uint32_t>(channels[1].Values[i], a);
      const uint32_t b = std::min<uint32_t>(channels[0].Values[i], a);
      row[x] = (a << 24) | (r << 16) | (g << 8) | b;
    }
  }
}

TPlane Shifted(const TPlane& plane, QPointF offset) {
  const int dx = static_cast<int>(std::lround(offset.x()));
  const int dy = static_cast<int>(std::lround(offset.y()));
  TPlane out(plane.Width, plane.Height);
  for (int y = 0; y < plane.Height; ++y)
    for (int x = 0; x < plane.Width; ++x)
      out.Values[size_t(y) * plane.Width + x] = plane.At(x - dx, y - dy);
  return out;
}

}  // namespace player
