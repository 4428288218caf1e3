#include "swf/builder/ShapeEncoder.h"

#include <algorithm>
#include <cmath>

namespace swf {
namespace {

// Positions stay within 31-bit signed fields; edges within 17-bit deltas (split otherwise).
constexpr double MaxCoordinate = 1073741823.0;
constexpr int MaxEdgeBits = 17;

int32_t Twips(double v) {
  if (std::isnan(v)) return 0;
  return static_cast<int32_t>(std::lround(std::clamp(v, -MaxCoordinate, MaxCoordinate)));
}

}  // namespace

TShapeEncoder::TShapeEncoder() = default;

void TShapeEncoder::Include(int32_t x, int32_t y) {
  if (!FHasBounds) {
    FBounds = {x, x, y, y};
    FHasBounds = true;
    return;
  }
  FBounds.XMin = std::min(FBounds.XMin, x);
  FBounds.XMax = std::max(FBounds.XMax, x);
  FBounds.YMin = std::min(FBounds.YMin, y);
  FBounds.YMax = std::max(FBounds.YMax, y);
}

TRect TShapeEncoder::Bounds() const { return FHasBounds && FHasEdges ? FBounds : TRect{}; }

void TShapeEncoder::MoveTo(double x, double y, TInkSide side) {
  ClosePath();
  int32_t ix = Twips(x), iy = Twips(y);
  // StyleChange: flags NewStyles, LineStyle, FillStyle1, FillStyle0, MoveTo.
  bool setFill0 = FSetBothFills || (!FHasSide ? side == TInkSide::Left : side != FSide);
  bool setFill1 = FSetBothFills || (!FHasSide ? side == TInkSide::Right : side != FSide);
  FSetBothFills = false;
  FRecords.UB(1, 0);
  FRecords.UB(1, 0);
  FRecords.UB(1, 0);
  FRecords.UB(1, setFill1);
  FRecords.UB(1, setFill0);
  FRecords.UB(1, 1);
  // Never a 0-bit MoveTo: some players then do not move at all.
  int n = std::max({1, SignedBits(ix), SignedBits(iy)});
  FRecords.UB(5, n);
  FRecords.SB(n, ix);
  FRecords.SB(n, iy);
  if (setFill0) FRecords.UB(1, side == TInkSide::Left ? 1 : 0);
  if (setFill1) FRecords.UB(1, side == TInkSide::Right ? 1 : 0);
  FHasSide = true;
  FSide = side;
  FPenX = FStartX = ix;
  FPenY = FStartY = iy;
  FExactX = x;
  FExactY = y;
  FOpen = true;
  Include(ix, iy);
}

void TShapeEncoder::StraightTo(int32_t x, int32_t y) {
  int64_t dx = static_cast<int64_t>(x) - FPenX, dy = static_cast<int64_t>(y) - FPenY;
  if (dx == 0 && dy == 0) return;
  int n = std::max({2, SignedBits(dx), SignedBits(dy)});
  if (n > MaxEdgeBits) {
    int32_t midX = static_cast<int32_t>(FPenX + dx / 2), midY = static_cast<int32_t>(FPenY + dy / 2);
    StraightTo(midX, midY);
    StraightTo(x, y);
    return;
  }
  FRecords.UB(1, 1);  // edge
  FRecords.UB(1, 1);  // straight
  FRecords.UB(4, n - 2);
  if (dx != 0 && dy != 0) {
    FRecords.UB(1, 1);  // general line
    FRecords.SB(n, static_cast<int32_t>(dx));
    FRecords.SB(n, static_cast<int32_t>(dy));
  } else {
    FRecords.UB(1, 0);
    FRecords.UB(1, dx == 0);  // vertical
    FRecords.SB(n, static_cast<int32_t>(dx == 0 ? dy : dx));
  }
  FPenX = x;
  FPenY = y;
  FHasEdges = true;
  Include(x, y);
}

void TShapeEncoder::LineTo(double x, double y) {
  if (!FOpen) MoveTo(FExactX, FExactY, FHasSide ? FSide : TInkSide::Right);
  StraightTo(Twips(x), Twips(y));
  FExactX = x;
  FExactY = y;
}

void TShapeEncoder::CurveTo(double cx, double cy, double x, double y, int depth) {
  int32_t icx = Twips(cx), icy = Twips(cy), ix = Twips(x), iy = Twips(y);
  int64_t cdx = static_cast<int64_t>(icx) - FPenX, cdy = static_cast<int64_t>(icy) - FPenY;
  int64_t adx = static_cast<int64_t>(ix) - icx, ady = static_cast<int64_t>(iy) - icy;
  int n = std::max({2, SignedBits(cdx), SignedBits(cdy), SignedBits(adx), SignedBits(ady)});
  if (n > MaxEdgeBits && depth < 20) {
    // Split at the middle (de Casteljau) until the deltas fit.
    double m1x = (FExactX + cx) / 2, m1y = (FExactY + cy) / 2;
    double m2x = (cx + x) / 2, m2y = (cy + y) / 2;
    double midX = (m1x + m2x) / 2, midY = (m1y + m2y) / 2;
    CurveTo(m1x, m1y, midX, midY, depth + 1);
    CurveTo(m2x, m2y, x, y, depth + 1);
    return;
  }
  if ((cdx == 0 && cdy == 0) || (adx == 0 && ady == 0) || n > MaxEdgeBits) {
    StraightTo(ix, iy);  // a curve that rounding flattened
  } else {
    FRecords.UB(1, 1);  // edge
    FRecords.UB(1, 0);  // curved
    FRecords.UB(4, n - 2);
    FRecords.SB(n, static_cast<int32_t>(cdx));
    FRecords.SB(n, static_cast<int32_t>(cdy));
    FRecords.SB(n, static_cast<int32_t>(adx));
    FRecords.SB(n, static_cast<int32_t>(ady));
    FPenX = ix;
    FPenY = iy;
    FHasEdges = true;
    Include(icx, icy);
    Include(ix, iy);
  }
  FExactX = x;
  FExactY = y;
}

void TShapeEncoder::QuadTo(double cx, double cy, double x, double y) {
  if (!FOpen) MoveTo(FExactX, FExactY, FHasSide ? FSide : TInkSide::Right);
  CurveTo(cx, cy, x, y, 0);
}

void TShapeEncoder::CubicTo(double c1x, double c1y, double c2x, double c2y, double x, double y) {
  if (!FOpen) MoveTo(FExactX, FExactY, FHasSide ? FSide : TInkSide::Right);
  double p0x = FExactX, p0y = FExactY;
  // How far the cubic is from a single quadratic decides the number of pieces.
  double ex = x - 3 * c2x + 3 * c1x - p0x, ey = y - 3 * c2y + 3 * c1y - p0y;
  double error = std::sqrt(3.0) / 36.0 * std::hypot(ex, ey);
  int pieces = std::clamp(static_cast<int>(std::ceil(std::cbrt(error / 0.5))), 1, 16);
  auto point = [&](double t, double a, double b, double c, double d) {
    double u = 1 - t;
    return u * u * u * a + 3 * u * u * t * b + 3 * u * t * t * c + t * t * t * d;
  };
  auto slope = [&](double t, double a, double b, double c, double d) {
    double u = 1 - t;
    return 3 * (u * u * (b - a) + 2 * u * t * (c - b) + t * t * (d - c));
  };
  for (int i = 0; i < pieces; ++i) {
    double t0 = static_cast<double>(i) / pieces, t1 = static_cast<double>(i + 1) / pieces;
    double h = (t1 - t0) / 3;
    // The piece's own cubic control points, from the end tangents.
    double ax = point(t0, p0x, c1x, c2x, x), ay = point(t0, p0y, c1y, c2y, y);
    double dx = point(t1, p0x, c1x, c2x, x), dy = point(t1, p0y, c1y, c2y, y);
    double bx = ax + h * slope(t0, p0x, c1x, c2x, x), by = ay + h * slope(t0, p0y, c1y, c2y, y);
    double cx = dx - h * slope(t1, p0x, c1x, c2x, x), cy = dy - h * slope(t1, p0y, c1y, c2y, y);
    double qx = (3 * (bx + cx) - ax - dx) / 4, qy = (3 * (by + cy) - ay - dy) / 4;
    if (i == pieces - 1) {
      dx = x;
      dy = y;
    }
    CurveTo(qx, qy, dx, dy, 0);
  }
}

void TShapeEncoder::ClosePath() {
  if (!FOpen) return;
  StraightTo(FStartX, FStartY);
  FOpen = false;
}

void TShapeEncoder::Finish() {
  if (FFinished) return;
  ClosePath();
  FRecords.UB(6, 0);  // EndShapeRecord
  FRecords.Flush();
  FFinished = true;
}

std::vector<uint8_t> TShapeEncoder::Body(const std::vector<uint8_t>& fillStyle) {
  Finish();
  TSwfBitWriter w;
  w.Rect(Bounds());
  w.U8(1);  // one fill style
  w.Bytes(fillStyle);
  w.U8(0);     // no line styles
  w.U8(0x10);  // 1 fill index bit, 0 line index bits
  w.Bytes(FRecords.Data());
  return w.Take();
}

void TShapeEncoder::NewFill(const std::vector<uint8_t>& fillStyle) {
  ClosePath();
  // StyleChange with NewStyles alone; the arrays start at the next byte.
  FRecords.UB(1, 0);
  FRecords.UB(1, 1);
  FRecords.UB(4, 0);
  FRecords.U8(1);  // one fill style
  FRecords.Bytes(fillStyle);
  FRecords.U8(0);     // no line styles
  FRecords.U8(0x10);  // 1 fill index bit, 0 line index bits
  FHasSide = false;
  FSetBothFills = true;
}

std::vector<uint8_t> TShapeEncoder::Shape4Body(bool nonZero) {
  Finish();
  TSwfBitWriter w;
  w.Rect(Bounds());  // shape bounds
  w.Rect(Bounds());  // edge bounds: the same, as there are no strokes
  w.U8(nonZero ? 0x04 : 0x00);
  w.U8(0);  // the layers bring their own styles
  w.U8(0);
  w.U8(0x00);
  w.Bytes(FRecords.Data());
  return w.Take();
}

std::vector<uint8_t> TShapeEncoder::GradientFill(uint8_t type, const TMatrix& matrix, int spread,
                                                 const std::vector<std::pair<uint8_t, TRgba>>& stops, double focal) {
  TSwfBitWriter w;
  w.U8(type);
  w.Matrix(matrix);
  w.Flush();  // the gradient record starts on a byte
  w.UB(2, static_cast<uint32_t>(spread));
  w.UB(2, 0);  // interpolated in RGB
  w.UB(4, static_cast<uint32_t>(stops.size()));
  for (const auto& [ratio, colour] : stops) {
    w.U8(ratio);
    w.Rgba(colour);
  }
  if (type == 0x13) w.I16(static_cast<int16_t>(std::lround(std::clamp(focal, -1.0, 1.0) * 256)));
  return w.Take();
}

std::vector<uint8_t> TShapeEncoder::SolidFill(const TRgba& colour) {
  TSwfBitWriter w;
  w.U8(0x00);
  w.Rgba(colour);
  return w.Take();
}

std::vector<uint8_t> TShapeEncoder::ClippedBitmapFill(uint16_t bitmapId, const TMatrix& matrix) {
  TSwfBitWriter w;
  w.U8(0x41);
  w.U16(bitmapId);
  w.Matrix(matrix);
  return w.Take();
}

}  // namespace swf
