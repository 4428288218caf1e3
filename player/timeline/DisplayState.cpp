#include "player/timeline/DisplayState.h"

namespace player {

namespace {

void ApplyPlace(TDisplayState& state, const swf::TPlaceObject& place, uint32_t frame,
                const TReplaceRule& mayReplace) {
  auto found = state.find(place.Depth);
  if (!place.Move) {
    if (!place.CharacterId || found != state.end()) return;
    state.emplace(place.Depth, TPlacedObject{swf::NewDisplayObject(place), frame});
    return;
  }
  if (found == state.end()) return;
  swf::TDisplayObject& object = found->second.Object;
  if (place.CharacterId && (!mayReplace || mayReplace(object.CharacterId, *place.CharacterId))) {
    object.CharacterId = *place.CharacterId;
  }
  swf::ApplyPlaceFields(object, place);
}

}  // namespace

void ApplyDisplayTag(TDisplayState& state, const swf::TDisplayTag& tag, uint32_t frame,
                     const TReplaceRule& mayReplace) {
  if (const auto* place = std::get_if<swf::TPlaceObject>(&tag)) {
    ApplyPlace(state, *place, frame, mayReplace);
  } else if (const auto* remove = std::get_if<swf::TRemoveObject>(&tag)) {
    state.erase(remove->Depth);
  }
}

void ApplyFrameTags(TDisplayState& state, const swf::TFrame& frame, uint32_t frameIndex,
                    const TReplaceRule& mayReplace) {
  for (const swf::TDisplayTag& tag : frame.DisplayTags) {
    ApplyDisplayTag(state, tag, frameIndex, mayReplace);
  }
}

}  // namespace player
