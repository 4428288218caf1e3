#include "player/render/HardEdgeStroke.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace player {

namespace {

struct TPathPoint {
  QPointF At;
  bool InCurve = false;  // a point a curve was flattened through, not one of the path's own
};

double Dot(const QPointF& a, const QPointF& b) { return a.x() * b.x() + a.y() * b.y(); }
double Cross(const QPointF& a, const QPointF& b) { return a.x() * b.y() - a.y() * b.x(); }
QPointF Unit(const QPointF& v) {
  const double length = std::hypot(v.x(), v.y());
  return length > 0 ? v / length : QPointF();
}
QPointF Normal(const QPointF& tangent) { return {-tangent.y(), tangent.x()}; }

// The offset at a corner where the two offset lines meet, in half widths: 1/cos(turn/2)
// long, on the side of Normal().
QPointF MitreNormal(const QPointF& in, const QPointF& out) {
  const QPointF sum = in + out;
  if (Dot(sum, sum) < 1e-4) return {};
  const QPointF bisector = Normal(Unit(sum));
  const double cosine = Dot(bisector, Normal(in));
  if (std::abs(cosine) < 1e-4) return Normal(in);
  return bisector / cosine;
}

// Into how many equal steps an arc of the given sweep is split: a power of two near the
// count that keeps every chord within the tolerance.
int ArcPieces(double radius, double tolerance, double sweep) {
  tolerance = std::min(tolerance, radius);
  const double step = 2 * std::acos((radius - tolerance) / radius);
  const double pieces = std::ceil(std::abs(sweep) / step);
  if (!(pieces >= 1)) return 1;
  return 1 << std::clamp(static_cast<int>(std::lround(std::log2(pieces))), 0, 10);
}

class TOutline {
 public:
  TOutline() { FPath.setFillRule(Qt::WindingFill); }

  // Adds a polygon turned to the common orientation, so that overlaps add up.
  void Polygon(std::vector<QPointF> points) {
    if (points.size() < 3) return;
    double twiceArea = 0;
    for (size_t i = 0; i < points.size(); ++i) {
      twiceArea += Cross(points[i], points[(i + 1) % points.size()]);
    }
    if (!(twiceArea != 0)) return;
    if (twiceArea < 0) std::reverse(points.begin(), points.end());
    FPath.moveTo(points[0]);
    for (size_t i = 1; i < points.size(); ++i) FPath.lineTo(points[i]);
    FPath.closeSubpath();
  }

  // The points strictly inside an arc around centre, from angle from through sweep.
  static void Arc(std::vector<QPointF>& points, const QPointF& centre, double radius,
                  double from, double sweep, int pieces) {
    for (int i = 1; i < pieces; ++i) {
      const double angle = from + sweep * i / pieces;
      points.push_back(centre + radius * QPointF(std::cos(angle), std::sin(angle)));
    }
  }

  const QPainterPath& Path() const { return FPath; }

 private:
  QPainterPath FPath;
};

class TStroker {
 public:
  TStroker(const TStrokeStyle& style, double tolerance)
      : FStyle(style), FHalf(style.Width / 2), FTolerance(tolerance),
        FMergeSquared(std::max(std::min(tolerance * tolerance * 0.5, style.Width * style.Width * 0.05), 1e-8)) {}

  // Appends a point unless it is too close to the last one to make an edge.
  void Append(std::vector<TPathPoint>& points, const QPointF& at, bool inCurve) const {
    if (!points.empty()) {
      const QPointF d = at - points.back().At;
      if (Dot(d, d) < FMergeSquared) return;
    }
    points.push_back({at, inCurve});
  }

  // Adds the outline of one subpath's points: closed when it ends where it starts.
  void Add(std::vector<TPathPoint> points) {
    if (points.empty()) return;
    const bool closed = points.size() > 2 && points.front().At == points.back().At;
    if (closed) points.pop_back();
    if (points.size() == 1) return Point(points[0].At);
    const size_t count = points.size();
    const size_t segments = closed ? count : count - 1;
    // Each segment's corners: start +, start −, end +, end −.
    std::vector<std::array<QPointF, 4>> corners(segments);
    auto tangent = [&](size_t segment) {
      return Unit(points[(segment + 1) % count].At - points[segment].At);
    };
    for (size_t s = 0; s < segments; ++s) {
      const QPointF n = Normal(tangent(s)) * FHalf;
      const QPointF a = points[s].At, b = points[(s + 1) % count].At;
      corners[s] = {a + n, a - n, b + n, b - n};
    }
    for (size_t i = closed ? 0 : 1; i < (closed ? count : count - 1); ++i) {
      const size_t before = (i + count - 1) % count, after = i;
      const QPointF in = tangent(before), out = tangent(after);
      const QPointF at = points[i].At;
      if (points[i].InCurve && Dot(in, out) > 0) {
        // Inside a curve the offset lines simply meet.
        const QPointF m = MitreNormal(in, out) * FHalf;
        corners[before][2] = corners[after][0] = at + m;
        corners[before][3] = corners[after][1] = at - m;
      } else {
        Join(at, in, out);
      }
    }
    if (!closed) {
      const QPointF startOut = -tangent(0), endOut = tangent(segments - 1);
      if (FStyle.StartCap == Qt::SquareCap) {
        corners[0][0] += startOut * FHalf;
        corners[0][1] += startOut * FHalf;
      }
      if (FStyle.EndCap == Qt::SquareCap) {
        corners[segments - 1][2] += endOut * FHalf;
        corners[segments - 1][3] += endOut * FHalf;
      }
      if (FStyle.StartCap == Qt::RoundCap) RoundCap(points.front().At, startOut);
      if (FStyle.EndCap == Qt::RoundCap) RoundCap(points.back().At, endOut);
    }
    for (const auto& c : corners) FOutline.Polygon({c[0], c[2], c[3], c[1]});
  }

  const QPainterPath& Path() const { return FOutline.Path(); }

 private:
  void Join(const QPointF& at, const QPointF& in, const QPointF& out) {
    const double turn = Cross(in, out);
    if (std::abs(turn) < 1e-9 && Dot(in, out) > 0) return;  // straight on
    // The outer side is the one the path turns away from.
    const double side = turn > 0 ? -1 : 1;
    const QPointF outerIn = side * Normal(in), outerOut = side * Normal(out);
    const QPointF from = at + outerIn * FHalf, to = at + outerOut * FHalf;
    const Qt::PenJoinStyle join = FStyle.Join == Qt::MiterJoin && FStyle.MiterLimit < 1 ? Qt::BevelJoin : FStyle.Join;
    if (join == Qt::RoundJoin) {
      const double start = std::atan2(outerIn.y(), outerIn.x());
      const double sweep = std::atan2(Cross(outerIn, outerOut), Dot(outerIn, outerOut));
      std::vector<QPointF> polygon = {at, from};
      TOutline::Arc(polygon, at, FHalf, start, sweep, ArcPieces(FHalf, FTolerance, sweep));
      polygon.push_back(to);
      FOutline.Polygon(std::move(polygon));
    } else if (join == Qt::MiterJoin) {
      const QPointF m = side * MitreNormal(in, out);
      if (Dot(m, m) <= 4 * FStyle.MiterLimit * FStyle.MiterLimit) {
        FOutline.Polygon({at, from, at + m * FHalf, to});
        return;
      }
      // Too sharp: cut square across the bisector at half the limit's widths.
      const QPointF axis = Unit(m);
      const double reach = FStyle.MiterLimit * 0.5 * FHalf;
      auto cut = [&](const QPointF& point, const QPointF& direction) {
        const double along = Dot(direction, axis);
        if (std::abs(along) < 1e-9) return at + m * FHalf;
        return point + direction * ((reach - Dot(point - at, axis)) / along);
      };
      FOutline.Polygon({at, from, cut(from, in), cut(to, out), to});
    } else {
      FOutline.Polygon({at, from, to});
    }
  }

  // Two quarter arcs from one side of the end round to the other.
  void RoundCap(const QPointF& at, const QPointF& outward) {
    if (FHalf < FTolerance) return;
    const QPointF side = Normal(outward);
    const double start = std::atan2(side.y(), side.x());
    const int pieces = ArcPieces(FHalf, FTolerance, M_PI / 2);
    std::vector<QPointF> polygon = {at + side * FHalf};
    TOutline::Arc(polygon, at, FHalf, start, -M_PI / 2, pieces);
    polygon.push_back(at + outward * FHalf);
    TOutline::Arc(polygon, at, FHalf, start - M_PI / 2, -M_PI / 2, pieces);
    polygon.push_back(at - side * FHalf);
    FOutline.Polygon(std::move(polygon));
  }

  // A path that never leaves its point: a round or square dot, or nothing for flat caps.
  void Point(const QPointF& at) {
    if (FStyle.StartCap == Qt::SquareCap) {
      const QPointF d(FHalf, FHalf), e(FHalf, -FHalf);
      FOutline.Polygon({at + d, at + e, at - d, at - e});
    } else if (FStyle.StartCap == Qt::RoundCap && FHalf >= FTolerance) {
      std::vector<QPointF> polygon = {at + QPointF(FHalf, 0)};
      TOutline::Arc(polygon, at, FHalf, 0, 2 * M_PI, 4 * ArcPieces(FHalf, FTolerance, M_PI / 2));
      FOutline.Polygon(std::move(polygon));
    }
  }

  TStrokeStyle FStyle;
  double FHalf, FTolerance, FMergeSquared;
  TOutline FOutline;
};

}  // namespace

QPainterPath HardEdgeStrokeOutline(const QPainterPath& centre, const TStrokeStyle& style,
                                   double tolerance) {
  TStroker stroker(style, tolerance);
  std::vector<TPathPoint> points;
  QPointF last;
  for (int i = 0; i < centre.elementCount(); ++i) {
    const QPainterPath::Element& e = centre.elementAt(i);
    const QPointF p(e.x, e.y);
    if (e.isMoveTo()) {
      stroker.Add(std::move(points));
      points = {{p, false}};
    } else if (e.isLineTo()) {
      stroker.Append(points, p, false);
    } else if (e.isCurveTo() && i + 2 < centre.elementCount()) {
      // The curve alone, flattened as fills are; its inner points are marked.
      QPainterPath curve(last);
      curve.cubicTo(p, QPointF(centre.elementAt(i + 1).x, centre.elementAt(i + 1).y),
                    QPointF(centre.elementAt(i + 2).x, centre.elementAt(i + 2).y));
      const QPainterPath flat = FlattenedPath(curve, tolerance);
      for (int k = 1; k < flat.elementCount(); ++k) {
        stroker.Append(points, QPointF(flat.elementAt(k).x, flat.elementAt(k).y),
                       k + 1 < flat.elementCount());
      }
      i += 2;
      last = QPointF(centre.elementAt(i).x, centre.elementAt(i).y);
      continue;
    }
    last = p;
  }
  stroker.Add(std::move(points));
  return stroker.Path();
}

}  // namespace player
