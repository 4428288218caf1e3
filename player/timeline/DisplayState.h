// The display list of one timeline as data: depth → placed object, with the frame that
// created each object so that an instance can be told from a later one at the same depth.
#pragma once

#include <cstdint>
#include <map>

#include "swf/reader/DisplayList.h"
#include "swf/reader/TimelineTypes.h"

namespace player {

struct TPlacedObject {
  swf::TDisplayObject Object;
  uint32_t PlacedFrame = 0;  // the frame whose PlaceObject created the instance

  // The same instance: created by the same tag and still showing the same character.
  bool SameInstance(const TPlacedObject& other) const {
    return PlacedFrame == other.PlacedFrame && Object.CharacterId == other.Object.CharacterId;
  }
};

using TDisplayState = std::map<uint16_t, TPlacedObject>;

// Applies one display tag of the given frame. A new place on an occupied depth and a
// modify or replace on an empty one are ignored; name and clip depth are taken only when
// the instance is created.
void ApplyDisplayTag(TDisplayState& state, const swf::TDisplayTag& tag, uint32_t frame);
void ApplyFrameTags(TDisplayState& state, const swf::TFrame& frame, uint32_t frameIndex);

}  // namespace player
