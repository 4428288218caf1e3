// The display list of one timeline and the replay of control tags into it: the pure-data
// base of the player's timeline. Frames are counted from 0.
#pragma once

#include <cstdint>
#include <algorithm>
#include <map>
#include <string>

#include "swf/format/SwfTypes.h"
#include "swf/reader/FilterTypes.h"
#include "swf/reader/TimelineTypes.h"

namespace swf {

struct TDisplayObject {
  uint16_t CharacterId = 0;
  TMatrix Matrix;
  TCxForm CxForm;
  uint16_t Ratio = 0;
  std::string Name;
  uint16_t ClipDepth = 0;  // > 0: a mask for depths (Depth, ClipDepth]
  uint8_t BlendMode = 0;   // 0 and 1 normal, 2 layer, ... 14 hard light
  bool Visible = true;
  bool CacheAsBitmap = false;
  TFilterList Filters;
  bool operator==(const TDisplayObject&) const = default;
};

// The rules of a PlaceObject, shared with the player's own display state. A new instance
// takes every field the tag gives; the caller has checked that the tag names a character.
TDisplayObject NewDisplayObject(const TPlaceObject& place);
// What a modify or replace takes: matrix, colour transform, ratio, blend mode and
// visibility when given. The character is the caller's decision; name and clip depth are
// taken only when the instance is created.
void ApplyPlaceFields(TDisplayObject& object, const TPlaceObject& place);

class TDisplayList {
 public:
  // Place new on an occupied depth, and modify or replace on an empty one, are ignored.
  // Replace and modify keep the fields the tag does not give; name and clip depth are
  // taken only when the instance is created.
  void Apply(const TPlaceObject& place);
  void Apply(const TRemoveObject& remove);
  void Apply(const TDisplayTag& tag);
  void ApplyFrame(const TFrame& frame);
  void Clear() { FObjects.clear(); }

  // By ascending depth: the drawing order.
  const std::map<uint16_t, TDisplayObject>& Objects() const { return FObjects; }
  const TDisplayObject* At(uint16_t depth) const;
  size_t Size() const { return FObjects.size(); }
  bool operator==(const TDisplayList&) const = default;

 private:
  std::map<uint16_t, TDisplayObject> FObjects;
};

// The display list after frames 0..frame of the timeline (frame clamped to the last one).
TDisplayList ReplayTimeline(const TTimeline& timeline, uint32_t frame);

}  // namespace swf
