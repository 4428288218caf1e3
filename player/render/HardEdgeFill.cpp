#include "player/render/HardEdgeFill.h"

#include <QRegion>

#include <algorithm>
#include <cmath>
#include <vector>

namespace player {

namespace {

// An approximation of the integral of (1 + 4x²)^−¼, and of its inverse: how far along a
// parabola the segments of a flattened curve must go to keep to the tolerance.
float ParabolaIntegral(float x) {
  const float d = 0.67f;
  return x / (1.0f - d + std::sqrt(std::sqrt(d * d * d * d + 0.25f * x * x)));
}

// ceil(value) within [low, high], limited before the conversion: far-off or broken geometry
// must not overflow an int (NaN gives low).
int CeilWithin(double value, int low, int high) {
  if (!(value > low)) return low;
  if (value >= high) return high;
  return static_cast<int>(std::ceil(value));
}

float ParabolaInverseIntegral(float x) {
  const float b = 0.39f;
  return x * (1.0f - b + std::sqrt(b * b + 0.25f * x * x));
}

QPointF QuadPoint(const QPointF& from, const QPointF& control, const QPointF& to, double t) {
  const double u = 1 - t;
  return from * (u * u) + control * (2 * u * t) + to * (t * t);
}

// Lines through a quadratic curve, evenly spaced along the parabola it is a piece of (in
// single precision, like the tessellator whose output this matches).
void FlattenQuad(QPainterPath& out, const QPointF& from, const QPointF& control,
                 const QPointF& to, double tolerance) {
  const float fx = from.x(), fy = from.y(), cx = control.x(), cy = control.y();
  const float tx = to.x(), ty = to.y();
  // A curve within the tolerance of its chord (half its control point's distance from
  // it) is that chord.
  const float chordX = tx - fx, chordY = ty - fy;
  const float chord = std::sqrt(chordX * chordX + chordY * chordY);
  if (chord > 0 &&
      std::abs((cx - fx) * chordY - (cy - fy) * chordX) / chord * 0.5f <= static_cast<float>(tolerance)) {
    out.lineTo(to);
    return;
  }
  const float ddx = 2 * cx - fx - tx, ddy = 2 * cy - fy - ty;
  const float cross = (tx - fx) * ddy - (ty - fy) * ddx;
  const float parabolaFrom = ((cx - fx) * ddx + (cy - fy) * ddy) / cross;
  const float parabolaTo = ((tx - cx) * ddx + (ty - cy) * ddy) / cross;
  const float scale =
      std::abs(cross) / (std::sqrt(ddx * ddx + ddy * ddy) * std::abs(parabolaTo - parabolaFrom));
  const float integralFrom = ParabolaIntegral(parabolaFrom);
  const float integralDiff = ParabolaIntegral(parabolaTo) - integralFrom;
  const float inverseFrom = ParabolaInverseIntegral(integralFrom);
  const float inverseDiff = ParabolaInverseIntegral(integralFrom + integralDiff) - inverseFrom;
  float count = std::ceil(0.5f * std::abs(integralDiff) *
                          std::sqrt(scale / static_cast<float>(tolerance)));
  // A straight or degenerate curve gives no finite count: one line.
  if (!std::isfinite(count) || count > 1000) count = 0;
  const float step = integralDiff / count;
  for (int i = 1; i < static_cast<int>(count); ++i) {
    const float u = ParabolaInverseIntegral(integralFrom + step * i);
    const float t = (u - inverseFrom) / inverseDiff;
    out.lineTo(QuadPoint(from, control, to, t));
  }
  out.lineTo(to);
}

QPointF CubicPoint(const QPointF& a, const QPointF& b, const QPointF& c, const QPointF& d,
                   double t) {
  const double u = 1 - t;
  return a * (u * u * u) + b * (3 * u * u * t) + c * (3 * u * t * t) + d * (t * t * t);
}

void FlattenCubic(QPainterPath& out, const QPointF& a, const QPointF& b, const QPointF& c,
                  const QPointF& d, double tolerance) {
  // A cubic made from a quadratic (Qt stores quadratics so) has its control point back.
  const QPointF quad1 = (3 * b - a) / 2, quad2 = (3 * c - d) / 2;
  const double slack = 1e-6 * (1 + std::abs(a.x()) + std::abs(a.y()) + std::abs(d.x()) + std::abs(d.y()));
  if (std::abs(quad1.x() - quad2.x()) <= slack && std::abs(quad1.y() - quad2.y()) <= slack) {
    FlattenQuad(out, a, (quad1 + quad2) / 2, d, tolerance);
    return;
  }
  // A true cubic (device fonts): even steps, enough for the tolerance.
  const double reach = std::max(QLineF(a, b).length() + QLineF(b, c).length() + QLineF(c, d).length(), 1.0);
  const int steps = CeilWithin(std::sqrt(reach / tolerance), 1, 200);
  for (int i = 1; i < steps; ++i) out.lineTo(CubicPoint(a, b, c, d, double(i) / steps));
  out.lineTo(d);
}

struct TEdge {
  double X0, Y0, X1, Y1;  // Y0 < Y1
  int Direction;          // +1 downwards as drawn, −1 upwards
};

double Snap(double v) { return std::round(v * 256) / 256; }

// The path's edges in device pixels, snapped, horizontal ones dropped, sorted by their tops.
std::vector<TEdge> DeviceEdges(const QPainterPath& flat, const QTransform& device) {
  std::vector<TEdge> edges;
  edges.reserve(flat.elementCount());
  QPointF start, last;
  auto add = [&](const QPointF& a, const QPointF& b) {
    if (a.y() == b.y()) return;
    // An edge at infinity covers nothing that can be drawn, and would break the sorting.
    if (!std::isfinite(a.x()) || !std::isfinite(a.y()) || !std::isfinite(b.x()) || !std::isfinite(b.y())) return;
    if (a.y() < b.y()) {
      edges.push_back({a.x(), a.y(), b.x(), b.y(), 1});
    } else {
      edges.push_back({b.x(), b.y(), a.x(), a.y(), -1});
    }
  };
  for (int i = 0; i < flat.elementCount(); ++i) {
    const QPainterPath::Element& e = flat.elementAt(i);
    const QPointF mapped = device.map(QPointF(e.x, e.y));
    const QPointF p(Snap(mapped.x()), Snap(mapped.y()));
    if (e.isMoveTo()) {
      if (i > 0) add(last, start);  // every subpath is closed for filling
      start = last = p;
    } else {
      add(last, p);
      last = p;
    }
  }
  if (flat.elementCount() > 0) add(last, start);
  std::sort(edges.begin(), edges.end(), [](const TEdge& a, const TEdge& b) { return a.Y0 < b.Y0; });
  return edges;
}

// The pixels whose sample point (at offset within the pixel) is covered, one band of spans
// per row, in the order QRegion wants them.
std::vector<QRect> CoveredSpans(const std::vector<TEdge>& edges, Qt::FillRule rule, const QRect& area,
                                const QPointF& offset = QPointF(0.5, 0.5)) {
  std::vector<QRect> spans;
  if (edges.empty() || area.isEmpty()) return spans;
  std::vector<const TEdge*> active;
  std::vector<std::pair<double, int>> crossings;
  size_t next = 0;
  // Rows whose centre lies within the edges' vertical reach.
  const int firstRow = CeilWithin(edges.front().Y0 - offset.y(), area.top(), area.bottom() + 1);
  for (int row = firstRow; row <= area.bottom(); ++row) {
    const double centre = row + offset.y();
    while (next < edges.size() && edges[next].Y0 <= centre) active.push_back(&edges[next++]);
    active.erase(std::remove_if(active.begin(), active.end(),
                                [centre](const TEdge* e) { return e->Y1 <= centre; }),
                 active.end());
    if (active.empty()) {
      if (next == edges.size()) break;
      continue;
    }
    crossings.clear();
    for (const TEdge* e : active) {
      if (e->Y0 > centre) continue;
      const double x = e->X0 + (centre - e->Y0) * (e->X1 - e->X0) / (e->Y1 - e->Y0);
      crossings.emplace_back(x, e->Direction);
    }
    std::sort(crossings.begin(), crossings.end());
    int winding = 0;
    for (size_t i = 0; i + 1 < crossings.size(); ++i) {
      winding += rule == Qt::OddEvenFill ? 1 : crossings[i].second;
      const bool inside = rule == Qt::OddEvenFill ? (winding & 1) != 0 : winding != 0;
      if (!inside) continue;
      // Sample points x + offset with left <= point < right.
      const int left = CeilWithin(crossings[i].first - offset.x(), area.left(), area.right() + 1);
      const int right = CeilWithin(crossings[i + 1].first - offset.x(), area.left(), area.right() + 1);
      if (left >= right) continue;
      if (!spans.empty() && spans.back().top() == row && spans.back().right() + 1 >= left) {
        spans.back().setRight(std::max(spans.back().right(), right - 1));
      } else {
        spans.emplace_back(left, row, right - left, 1);
      }
    }
  }
  return spans;
}

}  // namespace

QPainterPath FlattenedPath(const QPainterPath& path, double tolerance) {
  QPainterPath out;
  out.setFillRule(path.fillRule());
  QPointF last;
  for (int i = 0; i < path.elementCount(); ++i) {
    const QPainterPath::Element& e = path.elementAt(i);
    const QPointF p(e.x, e.y);
    if (e.isMoveTo()) {
      out.moveTo(p);
      last = p;
    } else if (e.isLineTo()) {
      out.lineTo(p);
      last = p;
    } else if (e.isCurveTo() && i + 2 < path.elementCount()) {
      const QPointF c2(path.elementAt(i + 1).x, path.elementAt(i + 1).y);
      const QPointF to(path.elementAt(i + 2).x, path.elementAt(i + 2).y);
      FlattenCubic(out, last, p, c2, to, tolerance);
      last = to;
      i += 2;
    }
  }
  return out;
}

QRect PaintableArea(const QPainter& painter) {
  const QPaintDevice* target = painter.device();
  QRect area(0, 0, target->width(), target->height());
  if (painter.hasClipping()) {
    area &= painter.deviceTransform().mapRect(painter.clipBoundingRect()).toAlignedRect();
  }
  return area;
}

namespace {

// The brush as seen from device pixels.
QBrush DeviceBrush(const QBrush& brush, const QTransform& device) {
  QBrush deviceBrush = brush;
  deviceBrush.setTransform(brush.transform() * device);
  return deviceBrush;
}

}  // namespace

void FillHardEdged(QPainter& painter, const QPainterPath& path, const QBrush& brush,
                   double tolerance) {
  const QTransform device = painter.deviceTransform();
  const std::vector<TEdge> edges = DeviceEdges(FlattenedPath(path, tolerance), device);
  const std::vector<QRect> spans = CoveredSpans(edges, path.fillRule(), PaintableArea(painter));
  if (spans.empty()) return;
  QRegion region;
  region.setRects(spans.data(), static_cast<int>(spans.size()));
  painter.save();
  painter.resetTransform();
  painter.setClipRegion(region, painter.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
  painter.fillRect(region.boundingRect(), DeviceBrush(brush, device));
  painter.restore();
}

void FillFourSampled(QPainter& painter, const QPainterPath& path, const QBrush& brush,
                     double tolerance) {
  // The usual four-sample pattern of graphics hardware, in sixteenths of a pixel.
  static const QPointF Samples[4] = {{6 / 16.0, 2 / 16.0}, {14 / 16.0, 6 / 16.0},
                                     {2 / 16.0, 10 / 16.0}, {10 / 16.0, 14 / 16.0}};
  const QTransform device = painter.deviceTransform();
  const std::vector<TEdge> edges = DeviceEdges(FlattenedPath(path, tolerance), device);
  if (edges.empty()) return;
  double left = edges.front().X0, right = left, bottom = edges.front().Y1;
  for (const TEdge& e : edges) {
    left = std::min({left, e.X0, e.X1});
    right = std::max({right, e.X0, e.X1});
    bottom = std::max(bottom, e.Y1);
  }
  const QRect reach(QPoint(CeilWithin(left - 1, -1, 1 << 24), CeilWithin(edges.front().Y0 - 1, -1, 1 << 24)),
                    QPoint(CeilWithin(right, -1, 1 << 24), CeilWithin(bottom, -1, 1 << 24)));
  const QRect area = PaintableArea(painter) & reach;
  if (area.isEmpty()) return;
  // How many samples of each pixel the path covers, 0..4.
  std::vector<uint8_t> counts(static_cast<size_t>(area.width()) * area.height(), 0);
  bool any = false;
  for (const QPointF& sample : Samples) {
    for (const QRect& span : CoveredSpans(edges, path.fillRule(), area, sample)) {
      uint8_t* row = counts.data() + static_cast<size_t>(span.y() - area.y()) * area.width() - area.x();
      for (int x = span.left(); x <= span.right(); ++x) ++row[x];
      any = true;
    }
  }
  if (!any) return;
  // The fill, weighted by its share of samples, drawn as the graphics hardware resolves it.
  QImage layer(area.size(), QImage::Format_ARGB32_Premultiplied);
  if (layer.isNull()) return;
  layer.fill(Qt::transparent);
  {
    QPainter layerPainter(&layer);
    layerPainter.setRenderHints(painter.renderHints());
    layerPainter.fillRect(layer.rect(), DeviceBrush(brush, device * QTransform::fromTranslate(-area.x(), -area.y())));
  }
  for (int y = 0; y < area.height(); ++y) {
    auto* pixels = reinterpret_cast<uint32_t*>(layer.scanLine(y));
    const uint8_t* row = counts.data() + static_cast<size_t>(y) * area.width();
    for (int x = 0; x < area.width(); ++x) {
      const uint32_t n = row[x];
      if (n == 4) continue;
      if (n == 0) {
        pixels[x] = 0;
        continue;
      }
      const uint32_t p = pixels[x];
      auto part = [n](uint32_t channel) { return (channel * n + 2) / 4; };
      pixels[x] = part(p >> 24) << 24 | part((p >> 16) & 255) << 16 | part((p >> 8) & 255) << 8 | part(p & 255);
    }
  }
  painter.save();
  painter.resetTransform();
  painter.drawImage(area.topLeft(), layer);
  painter.restore();
}

void FillPathWithEdges(QPainter& painter, const QPainterPath& path, const QBrush& brush,
                       TEdges edges) {
  switch (edges) {
    case TEdges::Exact: painter.fillPath(path, brush); break;
    case TEdges::FourSamples: FillFourSampled(painter, path, brush); break;
    case TEdges::Hard: FillHardEdged(painter, path, brush); break;
  }
}

}  // namespace player
