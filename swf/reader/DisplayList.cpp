#include "swf/reader/DisplayList.h"

namespace swf {

TDisplayObject NewDisplayObject(const TPlaceObject& place) {
  TDisplayObject obj;
  if (place.CharacterId) obj.CharacterId = *place.CharacterId;
  if (place.Name) obj.Name = *place.Name;
  if (place.ClipDepth) obj.ClipDepth = *place.ClipDepth;
  ApplyPlaceFields(obj, place);
  return obj;
}

void ApplyPlaceFields(TDisplayObject& object, const TPlaceObject& place) {
  if (place.Matrix) object.Matrix = *place.Matrix;
  if (place.CxForm) object.CxForm = *place.CxForm;
  if (place.Ratio) object.Ratio = *place.Ratio;
  if (place.BlendMode) object.BlendMode = *place.BlendMode;
  if (place.Visible) object.Visible = *place.Visible;
  if (place.CacheAsBitmap) object.CacheAsBitmap = *place.CacheAsBitmap;
  if (place.Filters) object.Filters = *place.Filters;
}

void TDisplayList::Apply(const TPlaceObject& place) {
  auto it = FObjects.find(place.Depth);
  if (!place.Move) {
    // A new instance; an occupied depth keeps what it has.
    if (!place.CharacterId || it != FObjects.end()) return;
    FObjects.emplace(place.Depth, NewDisplayObject(place));
    return;
  }
  if (it == FObjects.end()) return;  // modify or replace on an empty depth
  if (place.CharacterId) it->second.CharacterId = *place.CharacterId;
  ApplyPlaceFields(it->second, place);
}

void TDisplayList::Apply(const TRemoveObject& remove) { FObjects.erase(remove.Depth); }

void TDisplayList::Apply(const TDisplayTag& tag) {
  std::visit([this](const auto& t) { Apply(t); }, tag);
}

void TDisplayList::ApplyFrame(const TFrame& frame) {
  for (const TDisplayTag& tag : frame.DisplayTags) Apply(tag);
}

const TDisplayObject* TDisplayList::At(uint16_t depth) const {
  auto it = FObjects.find(depth);
  return it == FObjects.end() ? nullptr : &it->second;
}

TDisplayList ReplayTimeline(const TTimeline& timeline, uint32_t frame) {
  TDisplayList list;
  uint32_t last = timeline.FrameCount == 0 ? 0 : timeline.FrameCount - 1;
  if (frame > last) frame = last;
  // Frames past the parsed ones are empty: nothing to apply.
  uint64_t stop = std::min<uint64_t>(frame + 1ull, timeline.FramesKept());
  for (uint32_t i = 0; i < stop; ++i) list.ApplyFrame(*timeline.FrameAt(i));
  return list;
}

}  // namespace swf
