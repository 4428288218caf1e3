#include "player/timeline/ButtonStateTimeline.h"

#include <set>

namespace player {

swf::TTimeline ButtonStateTimeline(const swf::TButton& button, uint8_t state) {
  swf::TTimeline timeline;
  swf::TFrame& frame = timeline.Frames.emplace_back();
  std::set<uint16_t> taken;
  for (const swf::TButtonRecord& record : button.Records) {
    if (!(record.States & state)) continue;
    // Of two records at one depth the later one shows.
    if (!taken.insert(record.Depth).second) frame.DisplayTags.push_back(swf::TRemoveObject{record.Depth, {}});
    swf::TPlaceObject place;
    place.Version = 3;
    place.Depth = record.Depth;
    place.CharacterId = record.CharacterId;
    place.Matrix = record.Matrix;
    // DefineButton's records share the colour transform of DefineButtonCxform.
    place.CxForm = button.Version == 1 ? button.CxForm.value_or(swf::TCxForm()) : record.CxForm;
    place.BlendMode = record.BlendMode;
    if (!record.Filters.empty()) place.Filters = record.Filters;
    frame.DisplayTags.push_back(std::move(place));
  }
  return timeline;
}

}  // namespace player
