#include "swf/builder/VectorShape.h"

#include <algorithm>
#include <cmath>

#include "swf/builder/ShapeEncoder.h"

namespace swf {
namespace {

int32_t Fixed16(double v) {
  if (!std::isfinite(v)) return 0;
  return static_cast<int32_t>(std::lround(std::clamp(v * 65536.0, -1073741823.0, 1073741823.0)));
}

int32_t WholeTwips(double v) {
  if (!std::isfinite(v)) return 0;
  return static_cast<int32_t>(std::lround(std::clamp(v, -1073741823.0, 1073741823.0)));
}

std::vector<uint8_t> FillStyle(const TVectorPaint& paint, double sx, double sy) {
  if (paint.Kind == TArtPaintKind::Solid || paint.Stops.size() < 2)
    return TShapeEncoder::SolidFill(paint.Stops.empty() ? paint.Colour : paint.Stops.back().Colour);
  // The gradient square is +-16384 twips; the paint's matrix maps +-1 into drawing pixels.
  const double* m = paint.Matrix;
  TMatrix matrix;
  matrix.A = Fixed16(m[0] * sx / 16384);
  matrix.B = Fixed16(m[1] * sy / 16384);
  matrix.C = Fixed16(m[2] * sx / 16384);
  matrix.D = Fixed16(m[3] * sy / 16384);
  matrix.TX = WholeTwips(m[4] * sx);
  matrix.TY = WholeTwips(m[5] * sy);
  std::vector<std::pair<uint8_t, TRgba>> stops;
  int last = 0;
  for (const TArtStop& stop : paint.Stops) {
    last = std::max(last, static_cast<int>(std::lround(std::clamp(stop.Offset, 0.0, 1.0) * 255)));
    stops.push_back({static_cast<uint8_t>(last), stop.Colour});
    if (stops.size() == MaxGradientStops) break;
  }
  uint8_t type = 0x10;
  if (paint.Kind == TArtPaintKind::Radial) type = std::abs(paint.Focal) > 1e-3 ? 0x13 : 0x12;
  return TShapeEncoder::GradientFill(type, matrix, static_cast<int>(paint.Spread), stops, paint.Focal);
}

}  // namespace

std::vector<uint8_t> VectorShapeBody(const TVectorArt& art, int32_t width, int32_t height) {
  const double sx = art.Width > 0 ? width / art.Width : 0, sy = art.Height > 0 ? height / art.Height : 0;
  TShapeEncoder shape;
  for (const TVectorItem& item : art.Items) {
    size_t needed = 0;
    for (TVectorVerb verb : item.Verbs) needed += verb == TVectorVerb::Close ? 0 : verb == TVectorVerb::Quad ? 2 : verb == TVectorVerb::Cubic ? 3 : 1;
    if (item.Verbs.empty() || needed != item.Points.size()) continue;
    shape.NewFill(FillStyle(item.Paint, sx, sy));
    size_t p = 0;
    auto at = [&](size_t i, double& x, double& y) {
      x = item.Points[i].X * sx;
      y = item.Points[i].Y * sy;
    };
    double x1, y1, x2, y2, x3, y3;
    for (TVectorVerb verb : item.Verbs) {
      switch (verb) {
        case TVectorVerb::Move:
          at(p++, x1, y1);
          // Orientation is kept as drawn: the non-zero rule then fills as the drawing does.
          shape.MoveTo(x1, y1, TInkSide::Right);
          break;
        case TVectorVerb::Line:
          at(p++, x1, y1);
          shape.LineTo(x1, y1);
          break;
        case TVectorVerb::Quad:
          at(p++, x1, y1);
          at(p++, x2, y2);
          shape.QuadTo(x1, y1, x2, y2);
          break;
        case TVectorVerb::Cubic:
          at(p++, x1, y1);
          at(p++, x2, y2);
          at(p++, x3, y3);
          shape.CubicTo(x1, y1, x2, y2, x3, y3);
          break;
        case TVectorVerb::Close: shape.ClosePath(); break;
      }
    }
  }
  return shape.Shape4Body(true);
}

}  // namespace swf
