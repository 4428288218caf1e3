// A drawing as filled outlines painted one over the other: what an SVG picture becomes when
// every part of it can be shown as shapes. Coordinates are the drawing's pixels, y down.
#pragma once

#include <QColor>
#include <QGradientStops>
#include <QPainterPath>
#include <QTransform>

#include <vector>

namespace media {

struct TVectorFill {
  enum TKind { Solid, Linear, Radial } Kind = Solid;
  QColor Colour;          // a solid fill
  QGradientStops Stops;   // a gradient's stops, offsets 0..1 rising
  // From the gradient's own space into the drawing: a linear gradient runs from x = -1 to
  // x = 1, a radial one is the unit circle with its focal point at (Focal, 0).
  QTransform Matrix;
  QGradient::Spread Spread = QGradient::PadSpread;
  double Focal = 0;
};

struct TVectorShape {
  QPainterPath Outline;  // filled by the non-zero rule, whatever its own fill rule says
  TVectorFill Fill;
};

struct TVectorPicture {
  double Width = 0, Height = 0;
  std::vector<TVectorShape> Shapes;
};

}  // namespace media
