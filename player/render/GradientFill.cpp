#include "player/render/GradientFill.h"

#include <QImage>

#include <algorithm>
#include <cmath>
#include <optional>

#include "player/render/GradientRamp.h"
#include "player/render/HardEdgeFill.h"
#include "player/render/MatrixConvert.h"

namespace player {

namespace {

// A ramp texel's channels under the colour transform, in 0..255 units, not yet clamped:
// the transform is affine, so it may come before the interpolation between texels.
std::array<float, 4> Transformed(const std::array<float, 4>& rgba, const TColorTransform& cx) {
  auto channel = [](float value, int mult, int add) { return value * 255.0f * mult / 256.0f + add; };
  return {channel(rgba[0], cx.RMult, cx.RAdd), channel(rgba[1], cx.GMult, cx.GAdd),
          channel(rgba[2], cx.BMult, cx.BAdd), channel(rgba[3], cx.AMult, cx.AAdd)};
}

// Channels (0..255 units) clamped and premultiplied. They are cut to whole units, not
// rounded, as the peer's are (a hair above for values that are whole already).
inline float Clamped(float v) { return v < 0 ? 0 : v > 255 ? 255 : v; }

inline uint32_t Premultiplied(const std::array<float, 4>& c) {
  const float a = Clamped(c[3]);
  const float scale = a / 255.0f;
  auto pre = [&](float v) { return static_cast<uint32_t>(Clamped(v) * scale + 1e-3f); };
  return (static_cast<uint32_t>(a + 0.5f) << 24) | (pre(c[0]) << 16) | (pre(c[1]) << 8) | pre(c[2]);
}

// Nearest sampling shows, for each texel, one of two colours (its own, or its neighbour's
// reached as SampleTexels reaches it): both are made once, not once a pixel.
class TNearestColors {
 public:
  explicit TNearestColors(const TTexels& texels) {
    for (int i = 0; i < 256; ++i) {
      FLow[i] = Premultiplied(SampleTexels(texels, (i + 0.5) / 256, TRampSampling::Nearest));
      const int j = std::min(i + 1, 255);
      std::array<float, 4> high;
      for (int c = 0; c < 4; ++c) high[c] = texels[i][c] + (texels[j][c] - texels[i][c]) * 1.0f;
      FHigh[i] = Premultiplied(high);
    }
  }
  uint32_t At(double t) const {
    const double p = std::clamp(t * 256 - 0.5, 0.0, 255.0);
    const int i = static_cast<int>(p);
    return p - i < 0.5 ? FLow[i] : FHigh[i];
  }

 private:
  std::array<uint32_t, 256> FLow, FHigh;
};

}  // namespace

void FillGradientPath(QPainter& painter, const QPainterPath& path, const swf::TFillStyle& style,
                      const TColorTransform& cx, TEdges edges) {
  const QTransform deviceTransform = painter.deviceTransform();
  // The device pixels worth computing: the path's bounds where the painter may paint.
  const QRect area = deviceTransform.map(path).boundingRect().toAlignedRect() & PaintableArea(painter);
  if (area.isEmpty()) return;
  // Device pixel centres back into the gradient square.
  bool invertible = false;
  const QTransform toSquare = (ToQTransform(style.Matrix) * deviceTransform).inverted(&invertible);
  if (!invertible) return;
  QImage image(area.size(), QImage::Format_ARGB32_Premultiplied);
  if (image.isNull()) return;
  const TGradientRamp ramp = TGradientRamp::From(style.Gradient);
  // Linear light is only left after the interpolation; otherwise the colour transform
  // goes into the texels once.
  TTexels texels;
  for (int i = 0; i < 256; ++i) texels[i] = Transformed(ramp.Texels[i], cx);
  const double focal = style.Gradient.FocalPoint / 256.0;
  // The peer's four-sample frames show the nearest texel, its hard-edged and its smoothly
  // antialiased ones a blend of the two nearest.
  const TRampSampling sampling = edges == TEdges::FourSamples ? TRampSampling::Nearest : TRampSampling::Linear;
  const std::optional<TNearestColors> nearest =
      !ramp.LinearRgb && sampling == TRampSampling::Nearest ? std::optional(TNearestColors(texels)) : std::nullopt;
  const double stepX = toSquare.m11(), stepY = toSquare.m12();
  for (int row = 0; row < area.height(); ++row) {
    auto* pixels = reinterpret_cast<uint32_t*>(image.scanLine(row));
    const QPointF start = toSquare.map(QPointF(area.x() + 0.5, area.y() + row + 0.5));
    for (int column = 0; column < area.width(); ++column) {
      const double x = start.x() + stepX * column, y = start.y() + stepY * column;
      const double t = SpreadPosition(GradientPosition(style.Type, focal, x, y),
                                      style.Gradient.Spread);
      pixels[column] = nearest         ? nearest->At(t)
                       : ramp.LinearRgb ? Premultiplied(Transformed(ramp.At(t, sampling), cx))
                                        : Premultiplied(SampleTexels(texels, t, sampling));
    }
  }
  // The brush as seen from the painter's coordinates, where the path is.
  QBrush brush(image);
  brush.setTransform(QTransform::fromTranslate(area.x(), area.y()) * deviceTransform.inverted());
  FillPathWithEdges(painter, path, brush, edges);
}

}  // namespace player
