// Objects drawn offscreen before they reach what lies below: blend modes, filters and
// cached bitmaps. The layer covers the object's device bounds grown by its filters,
// clipped to the device (grown likewise, so a blur near the edge still sees what is
// beyond it).
#include <QImage>

#include <algorithm>
#include <cmath>

#include "player/filter/Filters.h"
#include "player/render/BlendMode.h"
#include "player/render/MatrixConvert.h"
#include "player/render/Renderer.h"
#include "player/timeline/TimelineSet.h"

namespace player {

namespace {

// Layers larger than this many pixels are not made; the object is drawn directly.
constexpr qint64 MaxLayerPixels = 4 << 20;

void RecolorLayer(QImage& layer, const TColorTransform& cx) {
  for (int y = 0; y < layer.height(); ++y) {
    auto* row = reinterpret_cast<uint32_t*>(layer.scanLine(y));
    for (int x = 0; x < layer.width(); ++x) row[x] = cx.ApplyPremultiplied(row[x]);
  }
}

}  // namespace

bool TRenderer::NeedsLayer(const swf::TDisplayObject& object) {
  return IsSeparateBlend(object.BlendMode) || !object.Filters.empty() || object.CacheAsBitmap;
}

std::optional<QRectF> TRenderer::ContentBounds(const TClip& clip, uint16_t depth,
                                               const swf::TDisplayObject& object,
                                               const QTransform& objectWorld, int nesting) {
  const uint16_t id = object.CharacterId;
  if (const TShapeGeometry* shape = FLibrary.Shape(id)) return objectWorld.mapRect(shape->Bounds);
  if (const TShapeGeometry* morph = FLibrary.Morph(id, object.Ratio))
    return objectWorld.mapRect(morph->Bounds);
  if (const TTextGeometry* text = FLibrary.Text(id))
    return (text->Matrix * objectWorld).mapRect(text->Bounds);
  if (HasOwnClip(id)) {
    const TClip* child = clip.Child(depth);
    if (!child || nesting >= TTimelineSet::MaxNesting) return std::nullopt;
    std::optional<QRectF> all;
    for (const auto& [childDepth, placed] : child->DisplayList()) {
      if (!placed.Object.Visible) continue;
      const auto part = ObjectBounds(*child, childDepth, placed.Object, objectWorld, nesting + 1, true);
      if (!part) return std::nullopt;
      all = all ? *all | *part : *part;
    }
    return all.value_or(QRectF());
  }
  if (const QImage* image = FLibrary.Bitmap(id))
    return (QTransform::fromScale(20, 20) * objectWorld).mapRect(QRectF(image->rect()));
  if (const swf::TEditText* edit = FLibrary.Movie().Find<swf::TEditText>(id)) {
    const swf::TRect& b = edit->Bounds;
    return objectWorld.mapRect(QRectF(b.XMin, b.YMin, double(b.XMax) - b.XMin, double(b.YMax) - b.YMin));
  }
  return std::nullopt;
}

std::optional<QRectF> TRenderer::ObjectBounds(const TClip& clip, uint16_t depth,
                                              const swf::TDisplayObject& object,
                                              const QTransform& world, int nesting,
                                              bool withFilters) {
  const QTransform objectWorld = ToQTransform(object.Matrix) * world;
  std::optional<QRectF> bounds = ContentBounds(clip, depth, object, objectWorld, nesting);
  if (bounds && withFilters && !object.Filters.empty())
    *bounds = bounds->marginsAdded(QMarginsF(FilterGrowth(object.Filters, FPixelsPerTwip * 20)));
  return bounds;
}

void TRenderer::DrawLayered(QPainter& painter, const TClip& clip, uint16_t depth,
                            const swf::TDisplayObject& object, const QTransform& objectWorld,
                            const TColorTransform& cx, int nesting) {
  const QPaintDevice* target = painter.device();
  const QRect device(0, 0, target->width(), target->height());
  const double deviceScale = FPixelsPerTwip * 20;  // device pixels per stage pixel
  const QMargins grow = FilterGrowth(object.Filters, deviceScale);
  const std::optional<QRectF> bounds = ContentBounds(clip, depth, object, objectWorld, nesting);
  const uint8_t mode = IsSeparateBlend(object.BlendMode) ? object.BlendMode : BlendNormal;
  // Alpha and erase act on all of the layer below, not only where the object is.
  const bool wholeBelow = mode == BlendAlpha || mode == BlendErase;
  // Without a layer below (a parent drawn offscreen) they have nothing to act on.
  if (wholeBelow && FLayers == 0) return;
  QRect area = device;
  if (!wholeBelow && bounds) {
    // What lies off the device may cast onto it from as far as the filters reach.
    const int reach = std::max({grow.left(), grow.top(), grow.right(), grow.bottom()});
    area = bounds->toAlignedRect().marginsAdded(grow) &
           device.marginsAdded(QMargins(reach, reach, reach, reach));
  }
  const qint64 pixels = qint64(area.width()) * area.height();
  if (area.isEmpty()) return;
  // Filters cost work per pixel and per blur pass: past the frame's allowance an object is
  // drawn without them.
  const qint64 filterWork = pixels * FilterWorkPerPixel(object.Filters);
  if (pixels > MaxLayerPixels || filterWork > FFilterPixelsLeft) {
    DrawContent(painter, clip, depth, object, objectWorld, cx, nesting);
    return;
  }
  // A layer costs about as much as drawing objects over its area.
  const size_t cost = static_cast<size_t>(pixels >> 12);
  if (FObjectsLeft <= cost) return;
  FObjectsLeft -= cost;
  FFilterPixelsLeft -= filterWork;

  QImage layer(area.size(), QImage::Format_ARGB32_Premultiplied);
  if (layer.isNull()) return;
  layer.fill(Qt::transparent);
  // A group's alpha applies to the group as a whole, after its parts are put together.
  // Filters work on the object as drawn without its colour transform, which then applies
  // to what they made: a half-transparent object does not show its own shadow through it.
  TColorTransform inner = cx;
  TColorTransform afterFilters;
  qreal opacity = 1;
  const bool filtered = !object.Filters.empty();
  if (filtered) {
    inner = TColorTransform();
    if (cx.IsAlphaOnly()) {
      opacity = cx.Opacity();
    } else {
      afterFilters = cx;
    }
  } else if (FLibrary.Movie().Find<swf::TSprite>(object.CharacterId) && cx.AAdd == 0 && cx.AMult < 256) {
    opacity = cx.Opacity();
    inner.AMult = 256;
  }
  QTransform shifted = objectWorld * QTransform::fromTranslate(-area.x(), -area.y());
  if (object.CacheAsBitmap && object.Filters.empty()) {
    // A cached bitmap lands on whole device pixels.
    shifted = shifted * QTransform::fromTranslate(std::round(shifted.dx()) - shifted.dx(),
                                                  std::round(shifted.dy()) - shifted.dy());
  }
  {
    QPainter layerPainter(&layer);
    SetHints(layerPainter);
    ++FLayers;
    DrawContent(layerPainter, clip, depth, object, shifted, inner, nesting);
    --FLayers;
  }
  if (filtered) {
    ApplyFilters(layer, object.Filters, deviceScale);
    if (!afterFilters.IsIdentity()) RecolorLayer(layer, afterFilters);
  }
  PaintLayer(painter, layer, area.topLeft(), mode, opacity);
}

}  // namespace player
