#include "media/SvgShapes.h"

#include <QPainterPathStroker>
#include <QXmlStreamReader>

#include <cmath>
#include <map>
#include <memory>

namespace media {

namespace {

constexpr std::size_t MaxElements = 200000;
constexpr std::size_t MaxNesting = 64;
constexpr int MaxStops = 15;
constexpr int MaxBooleanContours = 2000;
constexpr qsizetype MaxBooleanPoints = 200000;
// Boolean operations on outlines flatten curves to within half a unit: done this many times
// larger, the flattening stays far below what a movie shown four times larger can show.
constexpr double BooleanScale = 64;

// Thrown while walking: the drawing holds something shapes cannot show.
struct TNotShapes {};

struct TNode {
  QString Name;
  std::map<QString, QString> Attributes;
  std::vector<const TNode*> Children;

  QString Attr(const char* name) const {
    const auto it = Attributes.find(QString::fromLatin1(name));
    return it == Attributes.end() ? QString() : it->second;
  }
  double Number(const char* name, double otherwise = 0) const {
    bool ok = false;
    const double v = Attr(name).toDouble(&ok);
    return ok && std::isfinite(v) ? v : otherwise;
  }
};

class TTree {
 public:
  explicit TTree(const std::string& svg) {
    QXmlStreamReader xml(QByteArray::fromRawData(svg.data(), static_cast<qsizetype>(svg.size())));
    std::vector<TNode*> open;
    while (!xml.atEnd()) {
      const QXmlStreamReader::TokenType token = xml.readNext();
      if (token == QXmlStreamReader::StartElement) {
        if (FNodes.size() >= MaxElements || open.size() >= MaxNesting) throw TNotShapes();
        FNodes.push_back(std::make_unique<TNode>());
        TNode* node = FNodes.back().get();
        node->Name = xml.name().toString();
        for (const QXmlStreamAttribute& a : xml.attributes()) node->Attributes[a.qualifiedName().toString()] = a.value().toString();
        if (open.empty()) Root = node;
        else open.back()->Children.push_back(node);
        const QString id = node->Attr("id");
        if (!id.isEmpty()) FById[id] = node;
        open.push_back(node);
      } else if (token == QXmlStreamReader::EndElement && !open.empty()) {
        open.pop_back();
      }
    }
    if (xml.hasError() || !Root) throw TNotShapes();
  }

  // The element a reference names: "#id" or "url(#id)".
  const TNode* Find(QString reference) const {
    reference = reference.trimmed();
    if (reference.startsWith(QLatin1String("url(")) && reference.endsWith(QLatin1Char(')')))
      reference = reference.mid(4, reference.size() - 5).trimmed();
    if (!reference.startsWith(QLatin1Char('#'))) throw TNotShapes();
    const auto it = FById.find(reference.mid(1));
    if (it == FById.end()) throw TNotShapes();
    return it->second;
  }

  const TNode* Root = nullptr;

 private:
  std::vector<std::unique_ptr<TNode>> FNodes;
  std::map<QString, const TNode*> FById;
};

using TStyle = std::map<QString, QString>;

void MergeStyle(TStyle& style, const QString& text) {
  for (const QString& item : text.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
    const qsizetype colon = item.indexOf(QLatin1Char(':'));
    if (colon > 0) style[item.left(colon).trimmed()] = item.mid(colon + 1).trimmed();
  }
}

QString StyleValue(const TStyle& style, const char* name, const char* otherwise) {
  const auto it = style.find(QString::fromLatin1(name));
  return it == style.end() ? QString::fromLatin1(otherwise) : it->second;
}

double StyleNumber(const TStyle& style, const char* name, double otherwise) {
  bool ok = false;
  const double v = StyleValue(style, name, "").toDouble(&ok);
  return ok && std::isfinite(v) ? v : otherwise;
}

// Numbers of a list such as "1,2 3": commas and spaces both separate.
std::vector<double> Numbers(const QString& text) {
  std::vector<double> out;
  QString normal = text;
  normal.replace(QLatin1Char(','), QLatin1Char(' '));
  for (const QString& part : normal.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
    bool ok = false;
    const double v = part.toDouble(&ok);
    if (!ok || !std::isfinite(v)) throw TNotShapes();
    out.push_back(v);
  }
  return out;
}

// The transforms cairo writes: matrix(...) and translate(...).
QTransform Transform(const QString& text) {
  const QString t = text.trimmed();
  if (t.isEmpty()) return {};
  const qsizetype open = t.indexOf(QLatin1Char('('));
  if (open < 0 || !t.endsWith(QLatin1Char(')'))) throw TNotShapes();
  const QString name = t.left(open).trimmed();
  const std::vector<double> v = Numbers(t.mid(open + 1, t.size() - open - 2));
  if (name == QLatin1String("matrix") && v.size() == 6) return QTransform(v[0], v[1], v[2], v[3], v[4], v[5]);
  if (name == QLatin1String("translate") && (v.size() == 1 || v.size() == 2))
    return QTransform::fromTranslate(v[0], v.size() == 2 ? v[1] : 0);
  throw TNotShapes();
}

QColor Colour(const QString& text) {
  const QString t = text.trimmed();
  if (t.startsWith(QLatin1String("rgb(")) && t.endsWith(QLatin1Char(')'))) {
    const QStringList parts = t.mid(4, t.size() - 5).split(QLatin1Char(','));
    if (parts.size() != 3) throw TNotShapes();
    int c[3];
    for (int i = 0; i < 3; ++i) {
      QString p = parts[i].trimmed();
      const bool percent = p.endsWith(QLatin1Char('%'));
      if (percent) p.chop(1);
      bool ok = false;
      const double v = p.toDouble(&ok);
      if (!ok || !std::isfinite(v)) throw TNotShapes();
      c[i] = static_cast<int>(std::lround(std::clamp(percent ? v * 2.55 : v, 0.0, 255.0)));
    }
    return QColor(c[0], c[1], c[2]);
  }
  const QColor colour(t);
  if (!colour.isValid()) throw TNotShapes();
  return colour;
}

double Opacity(const QString& text) {
  bool ok = false;
  const double v = text.toDouble(&ok);
  return ok && std::isfinite(v) ? std::clamp(v, 0.0, 1.0) : 1.0;
}

QPainterPath PathData(const QString& d) {
  QPainterPath path;
  QString normal = d;
  normal.replace(QLatin1Char(','), QLatin1Char(' '));
  const QStringList tokens = normal.split(QLatin1Char(' '), Qt::SkipEmptyParts);
  qsizetype i = 0;
  auto number = [&]() {
    if (i >= tokens.size()) throw TNotShapes();
    bool ok = false;
    const double v = tokens[i++].toDouble(&ok);
    if (!ok || !std::isfinite(v)) throw TNotShapes();
    return v;
  };
  QChar command;
  while (i < tokens.size()) {
    const QString& token = tokens[i];
    if (token.size() == 1 && token[0].isLetter()) {
      command = token[0];
      ++i;
    }
    if (path.elementCount() > int(MaxDrawingPoints)) throw TNotShapes();
    switch (command.unicode()) {
      case 'M': {
        const double x = number(), y = number();
        path.moveTo(x, y);
        command = QLatin1Char('L');
        break;
      }
      case 'L': {
        const double x = number(), y = number();
        path.lineTo(x, y);
        break;
      }
      case 'Q': {
        const double cx = number(), cy = number(), x = number(), y = number();
        path.quadTo(cx, cy, x, y);
        break;
      }
      case 'C': {
        const double c1x = number(), c1y = number(), c2x = number(), c2y = number(), x = number(), y = number();
        path.cubicTo(c1x, c1y, c2x, c2y, x, y);
        break;
      }
      case 'Z': path.closeSubpath(); command = QChar(); break;
      default: throw TNotShapes();
    }
  }
  return path;
}

double SignedArea(const QPolygonF& polygon) {
  double area = 0;
  for (qsizetype i = 0, n = polygon.size(); i < n; ++i) {
    const QPointF& a = polygon[i];
    const QPointF& b = polygon[(i + 1) % n];
    area += a.x() * b.y() - b.x() * a.y();
  }
  return area / 2;
}

// Contours that never cross, filled even-odd, turned so that the non-zero rule fills them
// alike: outer ones one way, holes the other, by how deep each lies within the others.
QPainterPath NonZeroOfCrossingFree(const QPainterPath& path) {
  const QList<QPolygonF> contours = path.toSubpathPolygons();
  if (contours.size() > MaxBooleanContours) throw TNotShapes();
  qsizetype points = 0;
  for (const QPolygonF& contour : contours) points += contour.size();
  // Each contour is looked for in every other: bounded by contours x points.
  if (points > MaxBooleanPoints) throw TNotShapes();
  QPainterPath out;
  out.setFillRule(Qt::WindingFill);
  for (qsizetype i = 0; i < contours.size(); ++i) {
    QPolygonF contour = contours[i];
    if (contour.size() < 3) continue;
    const QPointF probe = (contour[0] + contour[1]) / 2;
    int depth = 0;
    for (qsizetype j = 0; j < contours.size(); ++j)
      if (j != i && contours[j].containsPoint(probe, Qt::OddEvenFill)) ++depth;
    if ((SignedArea(contour) > 0) != (depth % 2 == 0)) std::reverse(contour.begin(), contour.end());
    out.addPolygon(contour);
    out.closeSubpath();
  }
  return out;
}

// `a` ∩ `b` (or `a` alone when `b` is empty), for the non-zero rule.
QPainterPath Intersected(const QPainterPath& a, const QPainterPath* b) {
  if (a.elementCount() > 20000) throw TNotShapes();
  const QTransform up = QTransform::fromScale(BooleanScale, BooleanScale);
  const QPainterPath big = up.map(a);
  const QPainterPath result = b ? big.intersected(up.map(*b)) : big.simplified();
  return NonZeroOfCrossingFree(up.inverted().map(result));
}

struct TState {
  QTransform Matrix;
  TStyle Style;
};

class TWalker {
 public:
  TWalker(const TTree& tree, double width, double height) : FTree(tree) {
    FCanvas.addRect(0, 0, width, height);
    FCanvasRect = QRectF(0, 0, width, height);
  }

  std::vector<TVectorShape> Walk() {
    std::vector<TVectorShape> shapes;
    TState state;
    for (const TNode* child : FTree.Root->Children)
      if (child->Name != QLatin1String("defs")) Element(*child, state, shapes, 0);
    // The drawing's own area clips it, as a picture is clipped to its rectangle.
    std::vector<TVectorShape> clipped;
    for (TVectorShape& shape : shapes) {
      const QRectF bounds = shape.Outline.controlPointRect();
      if (!bounds.intersects(FCanvasRect)) continue;
      if (!FCanvasRect.contains(bounds)) shape.Outline = Intersected(shape.Outline, &FCanvas);
      if (!shape.Outline.isEmpty()) clipped.push_back(std::move(shape));
    }
    return clipped;
  }

 private:
  void Element(const TNode& node, const TState& parent, std::vector<TVectorShape>& out, std::size_t depth) {
    if (depth > MaxNesting || ++FVisited > MaxElements) throw TNotShapes();
    const QString& name = node.Name;
    if (name == QLatin1String("defs") || name == QLatin1String("title") || name == QLatin1String("desc") ||
        name == QLatin1String("linearGradient") || name == QLatin1String("radialGradient") ||
        name == QLatin1String("clipPath") || name == QLatin1String("mask") || name == QLatin1String("filter"))
      return;
    if (!node.Attr("filter").isEmpty()) throw TNotShapes();
    TState state = parent;
    MergeStyle(state.Style, node.Attr("style"));
    if (name == QLatin1String("use")) {
      state.Matrix = QTransform::fromTranslate(node.Number("x"), node.Number("y")) * Transform(node.Attr("transform")) * parent.Matrix;
    } else {
      state.Matrix = Transform(node.Attr("transform")) * parent.Matrix;
    }
    double groupOpacity = node.Attributes.count(QStringLiteral("opacity")) ? Opacity(node.Attr("opacity")) : 1;
    if (!node.Attr("mask").isEmpty()) groupOpacity *= MaskOpacity(*FTree.Find(node.Attr("mask")), state.Matrix);

    std::vector<TVectorShape> shapes;
    if (name == QLatin1String("g") || name == QLatin1String("symbol") || name == QLatin1String("svg")) {
      for (const TNode* child : node.Children) Element(*child, state, shapes, depth + 1);
    } else if (name == QLatin1String("use")) {
      Element(*FTree.Find(node.Attr("xlink:href").isEmpty() ? node.Attr("href") : node.Attr("xlink:href")), state, shapes,
              depth + 1);
    } else if (name == QLatin1String("path")) {
      Paint(PathData(node.Attr("d")), state, shapes);
    } else if (name == QLatin1String("rect")) {
      QPainterPath rect;
      rect.addRect(node.Number("x"), node.Number("y"), node.Number("width"), node.Number("height"));
      Paint(rect, state, shapes);
    } else {
      throw TNotShapes();  // a picture, text left as text, or something new
    }

    if (!node.Attr("clip-path").isEmpty()) Clip(*FTree.Find(node.Attr("clip-path")), state.Matrix, shapes);
    if (groupOpacity < 1) {
      // One alpha over the whole group is the same as the alpha of each part only where no
      // two parts overlap.
      if (shapes.size() > 64) throw TNotShapes();
      for (std::size_t i = 0; i < shapes.size(); ++i)
        for (std::size_t j = i + 1; j < shapes.size(); ++j)
          if (shapes[i].Outline.controlPointRect().intersects(shapes[j].Outline.controlPointRect())) throw TNotShapes();
      for (TVectorShape& shape : shapes) FadeBy(shape.Fill, groupOpacity);
    }
    for (TVectorShape& shape : shapes) {
      if (out.size() >= MaxDrawingShapes) throw TNotShapes();
      FPoints += static_cast<std::size_t>(shape.Outline.elementCount());
      if (FPoints > MaxDrawingPoints) throw TNotShapes();
      out.push_back(std::move(shape));
    }
  }

  static void FadeBy(TVectorFill& fill, double opacity) {
    fill.Colour.setAlphaF(fill.Colour.alphaF() * opacity);
    for (QGradientStop& stop : fill.Stops) stop.second.setAlphaF(stop.second.alphaF() * opacity);
  }

  // The opacity a mask stands for: cairo writes a group's opacity as a mask of one rectangle
  // of that alpha over everything. Any other mask cannot be shown as shapes.
  double MaskOpacity(const TNode& mask, const QTransform& matrix) const {
    const TNode* node = &mask;
    while (node->Children.size() == 1 && node->Children[0]->Name == QLatin1String("g")) node = node->Children[0];
    if (node->Children.size() != 1 || node->Children[0]->Name != QLatin1String("rect")) throw TNotShapes();
    const TNode& rect = *node->Children[0];
    const QRectF area = matrix.mapRect(QRectF(rect.Number("x"), rect.Number("y"), rect.Number("width"), rect.Number("height")));
    if (!area.adjusted(-0.01, -0.01, 0.01, 0.01).contains(FCanvasRect)) throw TNotShapes();
    TStyle style;
    MergeStyle(style, rect.Attr("style"));
    return Opacity(StyleValue(style, "fill-opacity", "1"));
  }

  void Clip(const TNode& clipPath, const QTransform& matrix, std::vector<TVectorShape>& shapes) const {
    QPainterPath clip;
    for (const TNode* child : clipPath.Children) {
      QPainterPath part;
      if (child->Name == QLatin1String("rect")) {
        part.addRect(child->Number("x"), child->Number("y"), child->Number("width"), child->Number("height"));
      } else if (child->Name == QLatin1String("path")) {
        part = PathData(child->Attr("d"));
        TStyle style;
        MergeStyle(style, child->Attr("style"));
        const QString rule = child->Attr("clip-rule").isEmpty() ? StyleValue(style, "clip-rule", "nonzero") : child->Attr("clip-rule");
        part.setFillRule(rule == QLatin1String("evenodd") ? Qt::OddEvenFill : Qt::WindingFill);
      } else {
        throw TNotShapes();
      }
      clip.addPath((Transform(child->Attr("transform")) * matrix).map(part));
    }
    const QRectF clipBounds = clip.controlPointRect();
    const bool isRect = clipPath.Children.size() == 1 && clipPath.Children[0]->Name == QLatin1String("rect") && matrix.isAffine() &&
                        matrix.m12() == 0 && matrix.m21() == 0;
    std::vector<TVectorShape> kept;
    for (TVectorShape& shape : shapes) {
      const QRectF bounds = shape.Outline.controlPointRect();
      if (!bounds.intersects(clipBounds)) continue;
      if (!(isRect && clipBounds.contains(bounds))) shape.Outline = Intersected(shape.Outline, &clip);
      if (!shape.Outline.isEmpty()) kept.push_back(std::move(shape));
    }
    shapes = std::move(kept);
  }

  void Paint(const QPainterPath& path, const TState& state, std::vector<TVectorShape>& out) {
    if (path.isEmpty()) return;
    const TStyle& style = state.Style;
    const QString fill = StyleValue(style, "fill", "black");
    if (fill != QLatin1String("none")) {
      TVectorShape shape;
      shape.Fill = Fill(fill, state.Matrix, Opacity(StyleValue(style, "fill-opacity", "1")));
      QPainterPath outline = state.Matrix.map(path);
      if (StyleValue(style, "fill-rule", "nonzero") == QLatin1String("evenodd")) {
        outline.setFillRule(Qt::OddEvenFill);
        outline = Intersected(outline, nullptr);
      }
      shape.Outline = outline;
      out.push_back(std::move(shape));
    }
    const QString stroke = StyleValue(style, "stroke", "none");
    const double width = StyleNumber(style, "stroke-width", 1);
    if (stroke != QLatin1String("none") && width > 0) {
      QPainterPathStroker stroker;
      stroker.setWidth(width);
      const QString cap = StyleValue(style, "stroke-linecap", "butt");
      stroker.setCapStyle(cap == QLatin1String("round") ? Qt::RoundCap : cap == QLatin1String("square") ? Qt::SquareCap : Qt::FlatCap);
      const QString join = StyleValue(style, "stroke-linejoin", "miter");
      stroker.setJoinStyle(join == QLatin1String("round") ? Qt::RoundJoin : join == QLatin1String("bevel") ? Qt::BevelJoin : Qt::SvgMiterJoin);
      // Qt measures how far a mitre reaches from the corner in widths; SVG, the mitre's
      // length against the width: half of it.
      stroker.setMiterLimit(StyleNumber(style, "stroke-miterlimit", 4) / 2);
      const QString dashText = StyleValue(style, "stroke-dasharray", "none");
      if (dashText != QLatin1String("none")) {
        std::vector<double> dashes = Numbers(dashText);
        if (dashes.size() % 2) dashes.insert(dashes.end(), dashes.begin(), dashes.end());
        double sum = 0;
        for (double d : dashes) {
          if (d < 0) throw TNotShapes();
          sum += d;
        }
        if (sum > 0) {
          // Hostile tiny dashes would make millions of pieces.
          if (path.length() / sum * dashes.size() > 20000) throw TNotShapes();
          QList<qreal> pattern;
          for (double d : dashes) pattern.push_back(d / width);
          stroker.setDashPattern(pattern);
          stroker.setDashOffset(StyleNumber(style, "stroke-dashoffset", 0) / width);
        }
      }
      TVectorShape shape;
      shape.Fill = Fill(stroke, state.Matrix, Opacity(StyleValue(style, "stroke-opacity", "1")));
      shape.Outline = state.Matrix.map(stroker.createStroke(path));
      shape.Outline.setFillRule(Qt::WindingFill);
      out.push_back(std::move(shape));
    }
  }

  TVectorFill Fill(const QString& paint, const QTransform& matrix, double opacity) const {
    TVectorFill fill;
    if (!paint.startsWith(QLatin1String("url("))) {
      fill.Colour = Colour(paint);
      fill.Colour.setAlphaF(opacity);
      return fill;
    }
    const TNode& gradient = *FTree.Find(paint);
    const bool linear = gradient.Name == QLatin1String("linearGradient");
    if (!linear && gradient.Name != QLatin1String("radialGradient")) throw TNotShapes();  // a pattern
    if (gradient.Attr("gradientUnits") != QLatin1String("userSpaceOnUse")) throw TNotShapes();
    for (const TNode* stopNode : gradient.Children) {
      if (stopNode->Name != QLatin1String("stop")) continue;
      TStyle style;
      MergeStyle(style, stopNode->Attr("style"));
      QColor colour = Colour(StyleValue(style, "stop-color", "black"));
      colour.setAlphaF(Opacity(StyleValue(style, "stop-opacity", "1")) * opacity);
      QString offsetText = stopNode->Attr("offset");
      double offset = offsetText.endsWith(QLatin1Char('%')) ? (offsetText.chop(1), offsetText.toDouble() / 100) : offsetText.toDouble();
      offset = std::clamp(std::isfinite(offset) ? offset : 0.0, 0.0, 1.0);
      if (!fill.Stops.isEmpty()) offset = std::max(offset, fill.Stops.back().first);
      fill.Stops.push_back({offset, colour});
    }
    if (fill.Stops.size() > MaxStops) throw TNotShapes();
    if (fill.Stops.isEmpty()) {
      fill.Colour = Qt::transparent;
      return fill;
    }
    const QString spread = gradient.Attr("spreadMethod");
    fill.Spread = spread == QLatin1String("reflect") ? QGradient::ReflectSpread
                  : spread == QLatin1String("repeat") ? QGradient::RepeatSpread
                                                      : QGradient::PadSpread;
    const QTransform space = Transform(gradient.Attr("gradientTransform")) * matrix;
    if (linear) {
      const double x1 = gradient.Number("x1"), y1 = gradient.Number("y1"), x2 = gradient.Number("x2"), y2 = gradient.Number("y2");
      const double dx = x2 - x1, dy = y2 - y1;
      if (dx == 0 && dy == 0) return SolidOfLast(fill);
      fill.Kind = TVectorFill::Linear;
      fill.Matrix = QTransform(dx / 2, dy / 2, -dy / 2, dx / 2, (x1 + x2) / 2, (y1 + y2) / 2) * space;
    } else {
      const double cx = gradient.Number("cx"), cy = gradient.Number("cy"), r = gradient.Number("r");
      if (gradient.Number("fr") != 0) throw TNotShapes();
      if (!(r > 0)) return SolidOfLast(fill);
      const double fx = gradient.Number("fx", cx) - cx, fy = gradient.Number("fy", cy) - cy;
      const double angle = std::atan2(fy, fx);
      fill.Kind = TVectorFill::Radial;
      fill.Focal = std::min(0.99, std::hypot(fx, fy) / r);
      fill.Matrix = QTransform(r * std::cos(angle), r * std::sin(angle), -r * std::sin(angle), r * std::cos(angle), cx, cy) * space;
    }
    if (fill.Stops.size() == 1) return SolidOfLast(fill);
    return fill;
  }

  static TVectorFill SolidOfLast(TVectorFill fill) {
    fill.Kind = TVectorFill::Solid;
    fill.Colour = fill.Stops.back().second;
    fill.Stops.clear();
    return fill;
  }

  const TTree& FTree;
  QPainterPath FCanvas;
  QRectF FCanvasRect;
  std::size_t FVisited = 0;
  std::size_t FPoints = 0;
};

}  // namespace

std::optional<TVectorPicture> ShapesOfPlainSvg(const std::string& svg, double width, double height) {
  try {
    const TTree tree(svg);
    TVectorPicture picture;
    picture.Width = width;
    picture.Height = height;
    picture.Shapes = TWalker(tree, width, height).Walk();
    return picture;
  } catch (const TNotShapes&) {
    return std::nullopt;
  }
}

}  // namespace media
