#include "player/button/ButtonHitTest.h"

#include <iterator>

#include "player/render/MatrixConvert.h"
#include "player/timeline/TimelineSet.h"

namespace player {

namespace {

// Whether a character (not a sprite) covers the point given in its own space.
bool Covers(TCharacterLibrary& library, uint16_t id, uint16_t ratio, QPointF local) {
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
  return false;
}

bool HitAreaCovers(TCharacterLibrary& library, const swf::TButton& button, QPointF local) {
  for (const swf::TButtonRecord& record : button.Records) {
    if (!(record.States & swf::ButtonHitTest)) continue;
    bool invertible = false;
    const QPointF inRecord = ToQTransform(record.Matrix).inverted(&invertible).map(local);
    if (invertible && Covers(library, record.CharacterId, 0, inRecord)) return true;
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
      if (HitAreaCovers(library, *button, local)) {
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
