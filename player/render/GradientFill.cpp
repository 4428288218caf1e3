#include "player/render/GradientFill.h"

#include <QImage>

#include <algorithm>
#include <cmath>

#include "player/render/GradientRamp.h"
#include "player/render/HardEdgeFill.h"
#include "player/render/MatrixConvert.h"

namespace player {

namespace {

// The device pixels worth computing: the path's bounds within the device and the clip.
QRect DeviceArea(const QPainter& painter, const QRectF& pathBounds) {
  const QPaintDevice* device = painter.device();
  QRect area = pathBounds.toAlignedRect() & QRect(0, 0, device->width(), device->height());
  if (painter.hasClipping()) {
    area &= painter.deviceTransform().mapRect(painter.clipBoundingRect()).toAlignedRect();
  }
  return area;
}

uint32_t Premultiplied(const std::array<float, 4>& rgba, const TColorTransform& cx) {
  auto channel = [](float value, int mult, int add) {
    return std::clamp(value * 255.0f * mult / 256.0f + add, 0.0f, 255.0f);
  };
  const float a = channel(rgba[3], cx.AMult, cx.AAdd);
  const float scale = a / 255.0f;
  // Channels are cut to whole units, not rounded, as the peer's are (a hair above for values
  // that are whole already).
  auto pre = [&](float c) { return static_cast<uint32_t>(c * scale + 1e-3f); };
  return (static_cast<uint32_t>(std::lround(a)) << 24) |
         (pre(channel(rgba[0], cx.RMult, cx.RAdd)) << 16) |
         (pre(channel(rgba[1], cx.GMult, cx.GAdd)) << 8) | pre(channel(rgba[2], cx.BMult, cx.BAdd));
}

}  // namespace

void FillGradientPath(QPainter& painter, const QPainterPath& path, const swf::TFillStyle& style,
                      const TColorTransform& cx, bool antialiased) {
  const QTransform deviceTransform = painter.deviceTransform();
  const QPainterPath devicePath = deviceTransform.map(path);
  const QRect area = DeviceArea(painter, devicePath.boundingRect());
  if (area.isEmpty()) return;
  // Device pixel centres back into the gradient square.
  bool invertible = false;
  const QTransform toSquare = (ToQTransform(style.Matrix) * deviceTransform).inverted(&invertible);
  if (!invertible) return;
  QImage image(area.size(), QImage::Format_ARGB32_Premultiplied);
  if (image.isNull()) return;
  const TGradientRamp ramp = TGradientRamp::From(style.Gradient);
  const double focal = style.Gradient.FocalPoint / 256.0;
  for (int row = 0; row < area.height(); ++row) {
    auto* pixels = reinterpret_cast<uint32_t*>(image.scanLine(row));
    const QPointF start = toSquare.map(QPointF(area.x() + 0.5, area.y() + row + 0.5));
    const double stepX = toSquare.m11(), stepY = toSquare.m12();
    for (int column = 0; column < area.width(); ++column) {
      const double x = start.x() + stepX * column, y = start.y() + stepY * column;
      const double t = SpreadPosition(GradientPosition(style.Type, focal, x, y),
                                      style.Gradient.Spread);
      pixels[column] = Premultiplied(ramp.At(t), cx);
    }
  }
  QBrush brush(image);
  brush.setTransform(QTransform::fromTranslate(area.x(), area.y()));
  if (!antialiased) {
    // The brush as seen from the painter's coordinates, where the path is.
    brush.setTransform(brush.transform() * deviceTransform.inverted());
    FillHardEdged(painter, path, brush);
    return;
  }
  painter.save();
  painter.resetTransform();
  painter.fillPath(devicePath, brush);
  painter.restore();
}

}  // namespace player
