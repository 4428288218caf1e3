#include "player/render/BlendMode.h"

#include <algorithm>

namespace player {

namespace {

QPainter::CompositionMode QtMode(uint8_t mode) {
  switch (mode) {
    case BlendMultiply: return QPainter::CompositionMode_Multiply;
    case BlendScreen: return QPainter::CompositionMode_Screen;
    case BlendLighten: return QPainter::CompositionMode_Lighten;
    case BlendDarken: return QPainter::CompositionMode_Darken;
    case BlendDifference: return QPainter::CompositionMode_Difference;
    case BlendAdd: return QPainter::CompositionMode_Plus;
    case BlendAlpha: return QPainter::CompositionMode_DestinationIn;
    case BlendErase: return QPainter::CompositionMode_DestinationOut;
    case BlendOverlay: return QPainter::CompositionMode_Overlay;
    case BlendHardLight: return QPainter::CompositionMode_HardLight;
    default: return QPainter::CompositionMode_SourceOver;
  }
}

// Subtract and invert per premultiplied pixel: below − layer, and below turned to its
// negative as far as the layer covers it.
uint32_t Combine(uint32_t below, uint32_t layer, uint8_t mode) {
  const uint32_t a = layer >> 24;
  uint32_t out = below & 0xFF000000u;
  for (int shift = 0; shift < 24; shift += 8) {
    const int d = (below >> shift) & 0xFF, s = (layer >> shift) & 0xFF;
    const int da = below >> 24;
    int v;
    if (mode == BlendSubtract) v = std::max(0, d - s);
    else v = (d * (255 - int(a)) + (da - d) * int(a) + 127) / 255;
    out |= uint32_t(v) << shift;
  }
  return out;
}

// Premultiplied pixels scaled by an opacity.
uint32_t Faded(uint32_t pixel, uint32_t factor256) {
  uint32_t scaled = 0;
  for (int s = 0; s < 32; s += 8) scaled |= (((pixel >> s) & 0xFF) * factor256 >> 8) << s;
  return scaled;
}

}  // namespace

bool IsSeparateBlend(uint8_t mode) { return mode >= BlendLayer && mode <= BlendHardLight; }

void PaintLayer(QPainter& painter, const QImage& layer, QPoint topLeft, uint8_t mode,
                qreal opacity) {
  painter.save();
  painter.resetTransform();
  painter.setOpacity(opacity);
  auto* device = dynamic_cast<QImage*>(painter.device());
  if ((mode == BlendSubtract || mode == BlendInvert) && device &&
      device->format() == QImage::Format_ARGB32_Premultiplied) {
    // The result is made from a copy of what is below and painted back in its place, so the
    // painter's clip still holds.
    const QRect area = QRect(topLeft, layer.size()) & device->rect();
    QImage result = device->copy(area);
    for (int y = 0; y < result.height(); ++y) {
      auto* row = reinterpret_cast<uint32_t*>(result.scanLine(y));
      const auto* from = reinterpret_cast<const uint32_t*>(layer.constScanLine(y + area.y() - topLeft.y()));
      for (int x = 0; x < result.width(); ++x) {
        uint32_t pixel = from[x + area.x() - topLeft.x()];
        if (opacity < 1) pixel = Faded(pixel, static_cast<uint32_t>(opacity * 256));
        row[x] = Combine(row[x], pixel, mode);
      }
    }
    painter.setOpacity(1);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(area.topLeft(), result);
  } else if (mode == BlendAdd && opacity < 1) {
    // Add sums the faded layer; Qt's opacity would fade the clamped sum instead, and a
    // bright layer over a light backdrop would come out too dark.
    QImage faded = layer.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const uint32_t f = static_cast<uint32_t>(opacity * 256);
    for (int y = 0; y < faded.height(); ++y) {
      auto* row = reinterpret_cast<uint32_t*>(faded.scanLine(y));
      for (int x = 0; x < faded.width(); ++x) row[x] = Faded(row[x], f);
    }
    painter.setOpacity(1);
    painter.setCompositionMode(QtMode(mode));
    painter.drawImage(topLeft, faded);
  } else {
    painter.setCompositionMode(QtMode(mode));
    painter.drawImage(topLeft, layer);
  }
  painter.restore();
}

}  // namespace player
