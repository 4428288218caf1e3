#include "player/render/Renderer.h"

#include <QImage>
#include <QPainterPathStroker>

#include <algorithm>
#include <cmath>

#include "player/render/GradientFill.h"
#include "player/render/HardEdgeFill.h"
#include "player/render/HardEdgeStroke.h"
#include "player/render/MatrixConvert.h"
#include "player/timeline/TimelineSet.h"

namespace player {

namespace {

QRectF DeviceRect(const QPainter& painter) {
  const QPaintDevice* device = painter.device();
  return QRectF(0, 0, device->width(), device->height());
}

}  // namespace

TRenderer::TRenderer(TCharacterLibrary& library, int swfVersion)
    : FLibrary(library), FSmoothBitmaps(swfVersion >= 8) {}

void TRenderer::SetHints(QPainter& painter) const {
  painter.setRenderHint(QPainter::Antialiasing, FEdges != TEdges::Hard);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

void TRenderer::Draw(QPainter& painter, const TClip& root, const QTransform& toDevice) {
  FPixelsPerTwip = std::sqrt(std::abs(toDevice.determinant()));
  FObjectsLeft = MaxObjectsPerFrame;
  FFilterPixelsLeft = MaxFilterPixelsPerFrame;
  painter.save();
  SetHints(painter);
  DrawRange(painter, root, root.DisplayList().begin(), root.DisplayList().end(), toDevice,
            TColorTransform(), 0);
  painter.restore();
}

void TRenderer::DrawRange(QPainter& painter, const TClip& clip, TIterator begin, TIterator end,
                          const QTransform& world, const TColorTransform& cx, int nesting) {
  for (TIterator it = begin; it != end && FObjectsLeft > 0;) {
    const swf::TDisplayObject& object = it->second.Object;
    if (object.ClipDepth > 0) {
      // The mask covers the following depths up to its clip depth. A mask inside that range
      // reaching further is itself seen only through this one, and so is what it masks:
      // the group grows to its end too.
      uint16_t groupLast = object.ClipDepth;
      TIterator groupEnd = std::next(it);
      while (groupEnd != end && groupEnd->first <= groupLast) {
        groupLast = std::max(groupLast, groupEnd->second.Object.ClipDepth);
        ++groupEnd;
      }
      DrawMasked(painter, clip, it, std::next(it), groupEnd, world, cx, nesting);
      it = groupEnd;
      continue;
    }
    DrawObject(painter, clip, it->first, object, world, cx, nesting);
    ++it;
  }
}

void TRenderer::DrawObject(QPainter& painter, const TClip& clip, uint16_t depth,
                           const swf::TDisplayObject& object, const QTransform& world,
                           const TColorTransform& parentCx, int nesting) {
  if (!object.Visible || FObjectsLeft == 0) return;
  --FObjectsLeft;
  const QTransform objectWorld = ToQTransform(object.Matrix) * world;
  const TColorTransform cx = parentCx.Compose(TColorTransform::From(object.CxForm));
  if (cx.IsInvisible()) return;
  if (NeedsLayer(object)) {
    DrawLayered(painter, clip, depth, object, objectWorld, cx, nesting);
  } else {
    DrawContent(painter, clip, depth, object, objectWorld, cx, nesting);
  }
}

void TRenderer::DrawContent(QPainter& painter, const TClip& clip, uint16_t depth,
                            const swf::TDisplayObject& object, const QTransform& objectWorld,
                            const TColorTransform& cx, int nesting) {
  const uint16_t id = object.CharacterId;
  if (const TShapeGeometry* shape = FLibrary.Shape(id)) {
    DrawShape(painter, *shape, objectWorld, OwnScale(object), cx);
  } else if (const TShapeGeometry* morph = FLibrary.Morph(id, object.Ratio)) {
    DrawShape(painter, *morph, objectWorld, OwnScale(object), cx);
  } else if (const TTextGeometry* text = FLibrary.Text(id)) {
    DrawText(painter, *text, objectWorld, cx);
  } else if (HasOwnClip(id)) {
    const TClip* child = clip.Child(depth);
    if (child && nesting < TTimelineSet::MaxNesting) {
      DrawRange(painter, *child, child->DisplayList().begin(), child->DisplayList().end(),
                objectWorld, cx, nesting + 1);
    }
  } else if (const QImage* image = FLibrary.Bitmap(id)) {
    DrawBitmap(painter, *image, objectWorld, cx);
  } else if (FLibrary.Movie().Find<swf::TEditText>(id)) {
    DrawEditText(painter, id, objectWorld, cx);
  }
}

bool TRenderer::HasOwnClip(uint16_t id) const {
  return FLibrary.Movie().Find<swf::TSprite>(id) || FLibrary.Movie().Find<swf::TButton>(id);
}

void TRenderer::FillPath(QPainter& painter, const QPainterPath& path, const QBrush& brush) {
  FillPathWithEdges(painter, path, brush, FEdges);
}

namespace {

// A line style's cap (0 round, 1 none, 2 square) as Qt names it.
Qt::PenCapStyle CapStyle(uint8_t swfCap) {
  return swfCap == 1 ? Qt::FlatCap : swfCap == 2 ? Qt::SquareCap : Qt::RoundCap;
}

}  // namespace

QPainterPath TRenderer::StrokeOutline(const QPainterPath& path, const QPen& pen,
                                      const swf::TLineStyle& style, qreal pixelsPerUnit) {
  // The GPU tessellation the peer strokes with, both caps included. Exact edges (only
  // here when the two ends' caps differ, which a pen cannot draw) get curves flattened to
  // a twentieth of a device pixel.
  const double tolerance = FEdges != TEdges::Exact ? DefaultFlatness
                           : std::clamp(0.05 / std::max(pixelsPerUnit, 1e-9), 0.01, DefaultFlatness);
  TStrokeStyle outline;
  outline.Width = pen.widthF();
  outline.Join = pen.joinStyle();
  outline.MiterLimit = style.MiterLimit / 256.0;
  outline.StartCap = CapStyle(style.StartCap);
  outline.EndCap = CapStyle(style.EndCap);
  return HardEdgeStrokeOutline(path, outline, tolerance);
}

qreal TRenderer::OwnScale(const swf::TDisplayObject& object) {
  return std::sqrt(std::abs(ToQTransform(object.Matrix).determinant()));
}

void TRenderer::DrawShape(QPainter& painter, const TShapeGeometry& shape, const QTransform& world,
                          qreal ownScale, const TColorTransform& cx) {
  painter.setTransform(world);
  for (const TShapeLayer& layer : shape.Layers) {
    for (const TShapeLayer::TStyledPath& fill : layer.FillPaths) {
      const TFillPaint paint =
          MakeFillPaint(layer.Fills[fill.Style], cx, FLibrary, FImages, FSmoothBitmaps,
                        fill.Path.controlPointRect());
      if (!paint.Visible) continue;
      if (paint.Opacity < 1) painter.setOpacity(paint.Opacity);
      if (!paint.Smooth) painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
      // Exact edges keep Qt's gradient brush for linear gradients, made from the same ramp:
      // several times faster than colouring every pixel, and within a few units. Its
      // radial rings miss the ramp's one-texel bands at hard stops by a pixel.
      const bool perPixel = paint.Gradient && (FEdges != TEdges::Exact ||
                                               paint.Gradient->Type != swf::TFillType::LinearGradient);
      if (perPixel) {
        FillGradientPath(painter, fill.Path, *paint.Gradient, cx, FEdges);
      } else {
        FillPath(painter, fill.Path, paint.Brush);
      }
      if (!paint.Smooth) painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
      if (paint.Opacity < 1) painter.setOpacity(1);
    }
    for (const TShapeLayer::TStyledPath& stroke : layer.StrokePaths) {
      const swf::TLineStyle& style = layer.Lines[stroke.Style];
      const QPen pen = StrokePen(style, world, ownScale, cx, shape.Bounds);
      const qreal pixelsPerUnit = std::sqrt(std::abs(world.determinant()));
      if (FEdges != TEdges::Exact && style.Fill && style.Fill->IsGradient() &&
          style.Fill->Gradient.Stops.size() > 1 && !pen.isCosmetic()) {
        // A gradient stroke is its outline filled, so its colours are the fills' own.
        FillGradientPath(painter, StrokeOutline(stroke.Path, pen, style, pixelsPerUnit), *style.Fill,
                         cx, FEdges);
        continue;
      }
      if ((FEdges != TEdges::Exact || style.StartCap != style.EndCap) && !pen.isCosmetic()) {
        FillPath(painter, StrokeOutline(stroke.Path, pen, style, pixelsPerUnit), pen.brush());
        continue;
      }
      // Hard-edged hairlines cover the pixels up and left of their line, not down and right.
      const bool shift = FEdges == TEdges::Hard && pen.isCosmetic();
      if (shift) painter.setTransform(world * QTransform::fromTranslate(-0.5, -0.5));
      painter.strokePath(stroke.Path, pen);
      if (shift) painter.setTransform(world);
    }
  }
}

QPen TRenderer::StrokePen(const swf::TLineStyle& style, const QTransform& world, qreal ownScale,
                          const TColorTransform& cx, const QRectF& area) {
  QBrush brush;
  if (style.Fill) {
    TFillPaint paint = MakeFillPaint(*style.Fill, cx, FLibrary, FImages, FSmoothBitmaps, area);
    brush = paint.Visible ? paint.Brush : QBrush(Qt::transparent);
  } else {
    brush = QBrush(cx.Apply(style.Color));
  }
  // A stroke is drawn in its shape's space and follows every transform around it, stretched
  // with the shape. One that scales in neither direction undoes its own placement's scale
  // (not that of the clips around it); one that scales in one direction only keeps the
  // width along the other, which the edges it is meant for get from the transform anyway.
  qreal width = style.Width;
  if (style.NoHScale && style.NoVScale && ownScale > 0) width /= ownScale;
  QPen pen(brush, width);
  pen.setCapStyle(CapStyle(style.StartCap));
  pen.setJoinStyle(style.Join == 1 ? Qt::BevelJoin : style.Join == 2 ? Qt::MiterJoin
                                                                     : Qt::RoundJoin);
  if (style.Join == 2) pen.setMiterLimit(std::max(1.0, style.MiterLimit / 256.0));
  // Strokes never get thinner than one device pixel.
  if (width * std::sqrt(std::abs(world.determinant())) < 1.0) {
    pen.setCosmetic(true);
    pen.setWidthF(1.0);
  }
  return pen;
}

void TRenderer::DrawText(QPainter& painter, const TTextGeometry& text, const QTransform& world,
                         const TColorTransform& cx) {
  painter.setTransform(text.Matrix * world);
  for (const TTextGeometry::TRun& run : text.Runs) {
    FillPath(painter, FEdges == TEdges::Exact ? run.Path : run.FlatPath, cx.Apply(run.Color));
  }
}

void TRenderer::DrawBitmap(QPainter& painter, const QImage& image,
                           const QTransform& world, const TColorTransform& cx) {
  // A placed bitmap shows one picture pixel per stage pixel (20 twips).
  painter.setTransform(QTransform::fromScale(20, 20) * world);
  const TImagePaint paint = PaintableImage(image, cx, FImages);
  painter.setOpacity(paint.Opacity);
  painter.drawImage(QPointF(0, 0), *paint.Image);
  painter.setOpacity(1);
}

void TRenderer::DrawMasked(QPainter& painter, const TClip& clip, TIterator mask, TIterator begin,
                           TIterator end, const QTransform& world, const TColorTransform& cx,
                           int nesting) {
  // A mask costs two layers the size of its area: it counts as many objects.
  if (begin == end || FObjectsLeft < MaskCost) return;
  FObjectsLeft -= MaskCost;
  const QRectF device = DeviceRect(painter);
  const QRect area =
      ObjectBounds(clip, mask->first, mask->second.Object, world, nesting, false).value_or(device).intersected(device).toAlignedRect() &
      device.toAlignedRect();
  if (area.isEmpty()) return;
  // The masked objects and the mask go to two layers of the area's size; the mask's
  // coverage then cuts the content (DestinationIn), and the result is painted.
  const QTransform shifted = world * QTransform::fromTranslate(-area.x(), -area.y());
  QImage layer(area.size(), QImage::Format_ARGB32_Premultiplied);
  QImage maskLayer(area.size(), QImage::Format_ARGB32_Premultiplied);
  if (layer.isNull() || maskLayer.isNull()) return;
  layer.fill(Qt::transparent);
  maskLayer.fill(Qt::transparent);
  {
    QPainter maskPainter(&maskLayer);
    SetHints(maskPainter);
    PaintMaskShape(maskPainter, clip, mask->first, mask->second.Object, shifted, nesting);
  }
  {
    QPainter layerPainter(&layer);
    SetHints(layerPainter);
    DrawRange(layerPainter, clip, begin, end, shifted, cx, nesting);
    layerPainter.resetTransform();
    layerPainter.setOpacity(1);
    layerPainter.setCompositionMode(QPainter::CompositionMode_DestinationIn);
    layerPainter.drawImage(0, 0, maskLayer);
  }
  painter.save();
  painter.resetTransform();
  painter.setOpacity(1);
  painter.drawImage(area.topLeft(), layer);
  painter.restore();
}

void TRenderer::PaintMaskShape(QPainter& painter, const TClip& clip, uint16_t depth,
                               const swf::TDisplayObject& object, const QTransform& world,
                               int nesting) {
  // A mask's shape counts, not its colours: fills are painted opaque, strokes left out.
  const QTransform objectWorld = ToQTransform(object.Matrix) * world;
  const uint16_t id = object.CharacterId;
  const TShapeGeometry* shape = FLibrary.Shape(id);
  if (!shape) shape = FLibrary.Morph(id, object.Ratio);
  if (shape) {
    painter.setTransform(objectWorld);
    for (const TShapeLayer& layer : shape->Layers) {
      for (const TShapeLayer::TStyledPath& fill : layer.FillPaths) FillPath(painter, fill.Path, Qt::black);
    }
  } else if (const TTextGeometry* text = FLibrary.Text(id)) {
    painter.setTransform(text->Matrix * objectWorld);
    for (const TTextGeometry::TRun& run : text->Runs) {
      FillPath(painter, FEdges == TEdges::Exact ? run.Path : run.FlatPath, Qt::black);
    }
  } else if (const TClip* child = clip.Child(depth)) {
    if (nesting >= TTimelineSet::MaxNesting) return;
    for (const auto& [childDepth, placed] : child->DisplayList()) {
      if (placed.Object.ClipDepth == 0 && placed.Object.Visible) {
        PaintMaskShape(painter, *child, childDepth, placed.Object, objectWorld, nesting + 1);
      }
    }
  } else if (const QImage* image = FLibrary.Bitmap(id)) {
    painter.setTransform(QTransform::fromScale(20, 20) * objectWorld);
    painter.fillRect(QRectF(0, 0, image->width(), image->height()), Qt::black);
  }
}

}  // namespace player
