// Draws the display list of a clip tree with QPainter: shapes, static and edit texts,
// bitmaps and sprites, each with its matrix and colour transform, and clip layers (masks)
// painted through an offscreen layer so their edges stay antialiased.
#pragma once

#include <QPainter>
#include <QTransform>

#include <optional>

#include "player/render/CharacterLibrary.h"
#include "player/render/ColorTransform.h"
#include "player/render/Edges.h"
#include "player/render/FillPaint.h"
#include "player/timeline/Clip.h"

namespace player {

class TRenderer {
 public:
  // Objects drawn per frame at most: a tree of sprites that multiplies at every level must
  // not stall the player.
  static constexpr size_t MaxObjectsPerFrame = 20000;
  static constexpr size_t MaskCost = 500;
  // Filter work per frame (layer pixels times blur passes), all objects together: a quarter
  // of a second of a core at worst, ten times what fifty shadowed shapes of high quality need.
  static constexpr qint64 MaxFilterPixelsPerFrame = 16 << 20;

  // swfVersion decides whether smoothed bitmap fills are smoothed (version 8 on).
  TRenderer(TCharacterLibrary& library, int swfVersion);

  void SetEdges(TEdges edges) { FEdges = edges; }

  // toDevice maps the movie's twips to the painter's device pixels.
  void Draw(QPainter& painter, const TClip& root, const QTransform& toDevice);

 private:
  using TIterator = TDisplayState::const_iterator;
  void DrawRange(QPainter& painter, const TClip& clip, TIterator begin, TIterator end,
                 const QTransform& world, const TColorTransform& cx, int nesting);
  void DrawObject(QPainter& painter, const TClip& clip, uint16_t depth,
                  const swf::TDisplayObject& object, const QTransform& world,
                  const TColorTransform& cx, int nesting);
  void DrawContent(QPainter& painter, const TClip& clip, uint16_t depth,
                   const swf::TDisplayObject& object, const QTransform& objectWorld,
                   const TColorTransform& cx, int nesting);
  // Objects with a blend mode, filters or a cached bitmap are drawn offscreen first
  // (RendererLayer.cpp).
  static bool NeedsLayer(const swf::TDisplayObject& object);
  void DrawLayered(QPainter& painter, const TClip& clip, uint16_t depth,
                   const swf::TDisplayObject& object, const QTransform& objectWorld,
                   const TColorTransform& cx, int nesting);
  // Device-space bounds of an object placed with world (its parent's matrix); with
  // filters, what they grow included. Nothing when they are not known.
  std::optional<QRectF> ObjectBounds(const TClip& clip, uint16_t depth,
                                     const swf::TDisplayObject& object, const QTransform& world,
                                     int nesting, bool withFilters);
  std::optional<QRectF> ContentBounds(const TClip& clip, uint16_t depth,
                                      const swf::TDisplayObject& object,
                                      const QTransform& objectWorld, int nesting);
  // Sprites and buttons show the display list of their own clip.
  bool HasOwnClip(uint16_t id) const;
  void DrawMasked(QPainter& painter, const TClip& clip, TIterator mask, TIterator begin,
                  TIterator end, const QTransform& world, const TColorTransform& cx, int nesting);
  void PaintMaskShape(QPainter& painter, const TClip& clip, uint16_t depth,
                      const swf::TDisplayObject& object, const QTransform& world, int nesting);

  // Fills antialiased or with hard edges, as set.
  void FillPath(QPainter& painter, const QPainterPath& path, const QBrush& brush);
  // The area a pen covers along path, in path coordinates.
  QPainterPath StrokeOutline(const QPainterPath& path, const QPen& pen,
                             const swf::TLineStyle& style, qreal pixelsPerUnit);
  // ownScale: the scale of the object's own placement, which strokes that do not scale undo.
  static qreal OwnScale(const swf::TDisplayObject& object);
  void DrawShape(QPainter& painter, const TShapeGeometry& shape, const QTransform& world,
                 qreal ownScale, const TColorTransform& cx);
  QPen StrokePen(const swf::TLineStyle& style, const QTransform& world, qreal ownScale,
                 const TColorTransform& cx, const QRectF& area);
  void DrawText(QPainter& painter, const TTextGeometry& text, const QTransform& world,
                const TColorTransform& cx);
  void DrawBitmap(QPainter& painter, const QImage& image, const QTransform& world,
                  const TColorTransform& cx);
  void DrawEditText(QPainter& painter, uint16_t id, const QTransform& world,
                    const TColorTransform& cx);
  void SetHints(QPainter& painter) const;

  TCharacterLibrary& FLibrary;
  bool FSmoothBitmaps;
  TImageCache FImages;
  TEdges FEdges = TEdges::Exact;
  size_t FObjectsLeft = MaxObjectsPerFrame;
  int FLayers = 0;
  qint64 FFilterPixelsLeft = MaxFilterPixelsPerFrame;  // layers being drawn into, around the current object
  qreal FPixelsPerTwip = 1.0 / 20;  // of the stage
};

}  // namespace player
