// How a layer (an object drawn offscreen) is put onto what lies below it, by the blend
// modes of placed objects: 0/1 normal, 2 layer, 3 multiply, 4 screen, 5 lighten, 6 darken,
// 7 difference, 8 add, 9 subtract, 10 invert, 11 alpha, 12 erase, 13 overlay, 14 hard light.
#pragma once

#include <QImage>
#include <QPainter>
#include <QPoint>

#include <cstdint>

namespace player {

enum TBlendMode : uint8_t {
  BlendNormal = 0,
  BlendLayer = 2,
  BlendMultiply = 3,
  BlendScreen = 4,
  BlendLighten = 5,
  BlendDarken = 6,
  BlendDifference = 7,
  BlendAdd = 8,
  BlendSubtract = 9,
  BlendInvert = 10,
  BlendAlpha = 11,
  BlendErase = 12,
  BlendOverlay = 13,
  BlendHardLight = 14,
};

// Modes that draw the object apart from what is below (every one but normal); an unknown
// mode counts as normal.
bool IsSeparateBlend(uint8_t mode);

// Paints layer at topLeft (device pixels, no transform) with the mode and opacity. Modes
// without a QPainter equivalent (subtract, invert) read the device below: they need the
// painter to draw into a QImage, and otherwise fall back to normal.
void PaintLayer(QPainter& painter, const QImage& layer, QPoint topLeft, uint8_t mode,
                qreal opacity);

}  // namespace player
