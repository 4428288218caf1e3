#include "player/timeline/DisplayState.h"

namespace player {

namespace {

void ApplyPlace(TDisplayState& state, const swf::TPlaceObject& place, uint32_t frame,
                const TReplaceRule& mayReplace) {
  auto found = state.find(place.Depth);
  if (!place.Move) {
    if (!place.CharacterId || found != state.end()) return;
    TPlacedObject placed;
    placed.PlacedFrame = frame;
    swf::TDisplayObject& object = placed.Object;
    object.CharacterId = *place.CharacterId;
    if (place.Matrix) object.Matrix = *place.Matrix;
    if (place.CxForm) object.CxForm = *place.CxForm;
    if (place.Ratio) object.Ratio = *place.Ratio;
    if (place.Name) object.Name = *place.Name;
    if (place.ClipDepth) object.ClipDepth = *place.ClipDepth;
    if (place.BlendMode) object.BlendMode = *place.BlendMode;
    if (place.Visible) object.Visible = *place.Visible;
    state.emplace(place.Depth, std::move(placed));
    return;
  }
  if (found == state.end()) return;
  swf::TDisplayObject& object = found->second.Object;
  if (place.CharacterId && (!mayReplace || mayReplace(object.CharacterId, *place.CharacterId))) {
    object.CharacterId = *place.CharacterId;
  }
  if (place.Matrix) object.Matrix = *place.Matrix;
  if (place.CxForm) object.CxForm = *place.CxForm;
  if (place.Ratio) object.Ratio = *place.Ratio;
  if (place.BlendMode) object.BlendMode = *place.BlendMode;
  if (place.Visible) object.Visible = *place.Visible;
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
