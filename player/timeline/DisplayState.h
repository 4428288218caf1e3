// The display list of one timeline as data: depth → placed object, with the frame that
// created each object so that an instance can be told from a later one at the same depth.
#pragma once

#include <cstdint>
#include <functional>
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

// Whether a place that moves an instance may swap its character for another (players swap
// only shapes; a sprite, text or bitmap keeps its character and is only moved).
using TReplaceRule = std::function<bool(uint16_t fromId, uint16_t toId)>;

// Applies one display tag of the given frame. A new place on an occupied depth and a
// modify or replace on an empty one are ignored; name and clip depth are taken only when
// the instance is created. Without a rule every replace swaps.
void ApplyDisplayTag(TDisplayState& state, const swf::TDisplayTag& tag, uint32_t frame,
                     const TReplaceRule& mayReplace = {});
void ApplyFrameTags(TDisplayState& state, const swf::TFrame& frame, uint32_t frameIndex,
                    const TReplaceRule& mayReplace = {});

}  // namespace player
