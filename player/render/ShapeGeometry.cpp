#include "player/render/ShapeGeometry.h"

#include <unordered_map>

namespace player {

namespace {

struct TPoint {
  int64_t X = 0, Y = 0;
  bool operator==(const TPoint&) const = default;
  uint64_t Key() const {
    return (static_cast<uint64_t>(static_cast<uint32_t>(X)) << 32) |
           static_cast<uint32_t>(Y);
  }
  QPointF ToQt() const { return QPointF(static_cast<qreal>(X), static_cast<qreal>(Y)); }
};

struct TEdge {
  TPoint From, Control, To;
  bool Curved = false;
  TEdge Reversed() const { return {To, Control, From, Curved}; }
};

void AppendEdge(QPainterPath& path, const TEdge& edge) {
  if (edge.Curved) {
    path.quadTo(edge.Control.ToQt(), edge.To.ToQt());
  } else {
    path.lineTo(edge.To.ToQt());
  }
}

// Joins a fill's edges into closed contours by matching each end point to a start point.
// The next edge in arrival order is preferred, so pen runs stay together.
QPainterPath JoinContours(const std::vector<TEdge>& edges, Qt::FillRule rule) {
  QPainterPath path;
  path.setFillRule(rule);
  std::unordered_multimap<uint64_t, size_t> byStart;
  byStart.reserve(edges.size());
  for (size_t i = 0; i < edges.size(); ++i) byStart.emplace(edges[i].From.Key(), i);
  std::vector<bool> used(edges.size(), false);

  auto takeStartingAt = [&](const TPoint& point, size_t preferred) -> size_t {
    if (preferred < edges.size() && !used[preferred] && edges[preferred].From == point) {
      return preferred;
    }
    auto range = byStart.equal_range(point.Key());
    for (auto it = range.first; it != range.second; ++it) {
      if (!used[it->second]) return it->second;
    }
    return edges.size();
  };

  for (size_t first = 0; first < edges.size(); ++first) {
    if (used[first]) continue;
    used[first] = true;
    const TPoint start = edges[first].From;
    path.moveTo(start.ToQt());
    AppendEdge(path, edges[first]);
    size_t current = first;
    while (!(edges[current].To == start)) {
      const size_t next = takeStartingAt(edges[current].To, current + 1);
      if (next == edges.size()) break;  // an open contour: closed by a straight line
      used[next] = true;
      AppendEdge(path, edges[next]);
      current = next;
    }
    path.closeSubpath();
  }
  return path;
}

// Walks the records of one shape, collecting edges per style, and emits a layer whenever
// the styles change and at the end.
class TShapeWalker {
 public:
  TShapeWalker(const swf::TShapeStyles& styles, Qt::FillRule rule) : FRule(rule) {
    StartLayer(styles);
  }

  void Walk(const std::vector<swf::TShapeRecord>& records) {
    for (const swf::TShapeRecord& record : records) {
      if (const auto* change = std::get_if<swf::TStyleChange>(&record)) {
        OnStyleChange(*change);
      } else if (const auto* line = std::get_if<swf::TStraightEdge>(&record)) {
        const TPoint to{FPen.X + line->DX, FPen.Y + line->DY};
        OnEdge({FPen, FPen, to, false});
      } else if (const auto* curve = std::get_if<swf::TCurvedEdge>(&record)) {
        const TPoint control{FPen.X + curve->ControlDX, FPen.Y + curve->ControlDY};
        const TPoint to{control.X + curve->AnchorDX, control.Y + curve->AnchorDY};
        OnEdge({FPen, control, to, true});
      }
    }
    FlushLayer();
  }

  TShapeGeometry Take() { return std::move(FGeometry); }

 private:
  void StartLayer(const swf::TShapeStyles& styles) {
    FLayer = TShapeLayer();
    FLayer.Fills = styles.Fills;
    FLayer.Lines = styles.Lines;
    FFillEdges.assign(styles.Fills.size(), {});
    FStrokes.assign(styles.Lines.size(), {});
    FFill0 = FFill1 = FLine = 0;
  }

  void OnStyleChange(const swf::TStyleChange& change) {
    if (change.NewStyles) {
      FlushLayer();
      StartLayer(*change.NewStyles);
    }
    if (change.MoveToX && change.MoveToY) FPen = {*change.MoveToX, *change.MoveToY};
    // Out-of-range indices mean "no style", as other players read them.
    if (change.FillStyle0) FFill0 = *change.FillStyle0 <= FLayer.Fills.size() ? *change.FillStyle0 : 0;
    if (change.FillStyle1) FFill1 = *change.FillStyle1 <= FLayer.Fills.size() ? *change.FillStyle1 : 0;
    if (change.LineStyle) FLine = *change.LineStyle <= FLayer.Lines.size() ? *change.LineStyle : 0;
  }

  void OnEdge(const TEdge& edge) {
    // fill1 lies right of the direction of travel, fill0 left: reversing fill0's edges
    // gives every fill contours of one orientation.
    if (FFill1 != 0) FFillEdges[FFill1 - 1].push_back(edge);
    if (FFill0 != 0) FFillEdges[FFill0 - 1].push_back(edge.Reversed());
    if (FLine != 0) {
      TStroke& stroke = FStrokes[FLine - 1];
      if (stroke.Path.elementCount() == 0 || !(stroke.End == edge.From)) {
        CloseRun(stroke);
        stroke.Path.moveTo(edge.From.ToQt());
        stroke.RunStart = edge.From;
      }
      AppendEdge(stroke.Path, edge);
      stroke.End = edge.To;
    }
    FPen = edge.To;
  }

  struct TStroke {
    QPainterPath Path;
    TPoint RunStart, End;
  };

  // A run that comes back to its start is a closed outline: joined, not capped.
  static void CloseRun(TStroke& stroke) {
    if (stroke.Path.elementCount() > 2 && stroke.End == stroke.RunStart) stroke.Path.closeSubpath();
  }

  void FlushLayer() {
    for (size_t i = 0; i < FFillEdges.size(); ++i) {
      if (FFillEdges[i].empty()) continue;
      FLayer.FillPaths.push_back({i, JoinContours(FFillEdges[i], FRule)});
      FGeometry.Bounds |= FLayer.FillPaths.back().Path.boundingRect();
    }
    for (size_t i = 0; i < FStrokes.size(); ++i) {
      if (FStrokes[i].Path.elementCount() == 0) continue;
      if (!FLayer.Lines[i].NoClose) CloseRun(FStrokes[i]);
      QRectF bounds = FStrokes[i].Path.boundingRect();
      const qreal half = FLayer.Lines[i].Width / 2.0;
      FGeometry.Bounds |= bounds.adjusted(-half, -half, half, half);
      FLayer.StrokePaths.push_back({i, std::move(FStrokes[i].Path)});
    }
    if (!FLayer.FillPaths.empty() || !FLayer.StrokePaths.empty()) {
      FGeometry.Layers.push_back(std::move(FLayer));
    }
    FLayer = TShapeLayer();
    FFillEdges.clear();
    FStrokes.clear();
  }

  Qt::FillRule FRule;
  TShapeGeometry FGeometry;
  TShapeLayer FLayer;
  std::vector<std::vector<TEdge>> FFillEdges;
  std::vector<TStroke> FStrokes;
  TPoint FPen;
  uint32_t FFill0 = 0, FFill1 = 0, FLine = 0;
};

}  // namespace

QPainterPath TShapeGeometry::Outline() const {
  QPainterPath outline;
  outline.setFillRule(Qt::WindingFill);
  for (const TShapeLayer& layer : Layers) {
    for (const auto& fill : layer.FillPaths) outline.addPath(fill.Path);
  }
  return outline;
}

TShapeGeometry BuildShapeGeometry(const swf::TShapeStyles& styles,
                                  const std::vector<swf::TShapeRecord>& records,
                                  bool windingRule) {
  TShapeWalker walker(styles, windingRule ? Qt::WindingFill : Qt::OddEvenFill);
  walker.Walk(records);
  return walker.Take();
}

QPainterPath BuildGlyphPath(const std::vector<swf::TShapeRecord>& records) {
  // Glyphs have no style arrays; their contours use index 1 on either side. Any index
  // counts as that one fill.
  swf::TShapeStyles styles;
  styles.Fills.resize(1);
  std::vector<swf::TShapeRecord> normalised = records;
  for (swf::TShapeRecord& record : normalised) {
    if (auto* change = std::get_if<swf::TStyleChange>(&record)) {
      if (change->FillStyle0) change->FillStyle0 = *change->FillStyle0 != 0 ? 1u : 0u;
      if (change->FillStyle1) change->FillStyle1 = *change->FillStyle1 != 0 ? 1u : 0u;
      change->LineStyle.reset();
      change->NewStyles.reset();
    }
  }
  TShapeGeometry geometry = BuildShapeGeometry(styles, normalised);
  QPainterPath glyph;
  for (const TShapeLayer& layer : geometry.Layers) {
    for (const auto& fill : layer.FillPaths) glyph.addPath(fill.Path);
  }
  return glyph;
}

}  // namespace player

