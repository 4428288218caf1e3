#include "player/button/ButtonHitTest.h"

#include <iterator>

#include "player/render/MatrixConvert.h"
#include "player/timeline/TimelineSet.h"

namespace player {

namespace {

// Objects of hit-area sprites looked at per search at most: sprites that place themselves
// twice would otherwise double the work at every level.
constexpr int MaxHitAreaObjects = 4096;

// Whether a character covers the point given in its own space. A sprite counts by what
// its first frame shows: as part of a hit area it is never shown or played. budget counts
// down the sprites' objects looked at.
bool Covers(TCharacterLibrary& library, TTimelineSet& timelines, uint16_t id, uint16_t ratio,
            QPointF local, int nesting, int& budget) {
  if (const TShapeGeometry* shape = library.Shape(id)) {
    if (!shape->Bounds.contains(local)) return false;
    for (const TShapeLayer& layer : shape->Layers)
      for (const auto& fill : layer.FillPaths)
        if (fill.Path.contains(local)) return true;
    return false;
  }
  if (const TShapeGeometry* morph = library.Morph(id, ratio)) return morph->Outline().contains(local);
  if (const TTextGeometry* text = library.Text(id)) {
    bool invertible = false;
    const QPointF inText = text->Matrix.inverted(&invertible).map(local);
    return invertible && text->Bounds.contains(inText);
  }
  if (const QImage* image = library.Bitmap(id))
    return QRectF(0, 0, image->width() * 20.0, image->height() * 20.0).contains(local);
  if (const swf::TEditText* edit = library.Movie().Find<swf::TEditText>(id)) {
    const swf::TRect& b = edit->Bounds;
    return QRectF(b.XMin, b.YMin, double(b.XMax) - b.XMin, double(b.YMax) - b.YMin).contains(local);
  }
  TTimelineIndex* sprite = nesting < TTimelineSet::MaxNesting ? timelines.Sprite(id) : nullptr;
  if (!sprite) return false;
  for (const auto& [depth, placed] : sprite->StateAt(0)) {
    if (--budget < 0) return false;
    const swf::TDisplayObject& object = placed.Object;
    if (!object.Visible || object.ClipDepth > 0) continue;
    bool invertible = false;
    const QPointF inObject = ToQTransform(object.Matrix).inverted(&invertible).map(local);
    if (invertible &&
        Covers(library, timelines, object.CharacterId, object.Ratio, inObject, nesting + 1, budget)) {
      return true;
    }
  }
  return false;
}

bool HitAreaCovers(TCharacterLibrary& library, TTimelineSet& timelines, const swf::TButton& button,
                   QPointF local, int nesting) {
  int budget = MaxHitAreaObjects;
  for (const swf::TButtonRecord& record : button.Records) {
    if (!(record.States & swf::ButtonHitTest)) continue;
    bool invertible = false;
    const QPointF inRecord = ToQTransform(record.Matrix).inverted(&invertible).map(local);
    if (invertible && Covers(library, timelines, record.CharacterId, 0, inRecord, nesting + 1, budget)) {
      return true;
    }
  }
  return false;
}

std::optional<TButtonHit> Search(TCharacterLibrary& library, const TClip& clip, QPointF point,
                                 const QTransform& world, int nesting) {
  const TDisplayState& list = clip.DisplayList();
  for (auto it = list.rbegin(); it != list.rend(); ++it) {
    const swf::TDisplayObject& object = it->second.Object;
    if (!object.Visible || object.ClipDepth > 0) continue;
    const QTransform objectWorld = ToQTransform(object.Matrix) * world;
    bool invertible = false;
    const QPointF local = objectWorld.inverted(&invertible).map(point);
    if (!invertible) continue;
    if (const swf::TButton* button = library.Movie().Find<swf::TButton>(object.CharacterId)) {
      if (HitAreaCovers(library, clip.Timelines(), *button, local, nesting)) {
        return TButtonHit{std::const_pointer_cast<TClip>(clip.shared_from_this()), it->first,
                          it->second, button};
      }
    } else if (const TClip* child = clip.Child(it->first)) {
      if (nesting >= TTimelineSet::MaxNesting) continue;
      if (auto hit = Search(library, *child, point, objectWorld, nesting + 1)) return hit;
    }
  }
  return std::nullopt;
}

}  // namespace

std::optional<TButtonHit> FindButtonAt(TCharacterLibrary& library, const TClip& root,
                                       QPointF point) {
  return Search(library, root, point, QTransform(), 0);
}

}  // namespace player
