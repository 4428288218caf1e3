#include "player/timeline/TimelineSet.h"

#include "player/timeline/ButtonStateTimeline.h"

namespace player {

TTimelineIndex* TTimelineSet::Sprite(uint16_t id) {
  auto found = FSprites.find(id);
  if (found != FSprites.end()) return found->second.get();
  const swf::TSprite* sprite = FMovie.Find<swf::TSprite>(id);
  if (!sprite) return nullptr;
  return FSprites.emplace(id, std::make_unique<TTimelineIndex>(sprite->Timeline, ReplaceRule(FMovie)))
      .first->second.get();
}

TTimelineIndex* TTimelineSet::ButtonState(uint16_t id, uint8_t state) {
  auto found = FButtonStates.find({id, state});
  if (found != FButtonStates.end()) return found->second.Index.get();
  const swf::TButton* button = FMovie.Find<swf::TButton>(id);
  if (!button) return nullptr;
  auto timeline = std::make_unique<swf::TTimeline>(ButtonStateTimeline(*button, state));
  auto index = std::make_unique<TTimelineIndex>(*timeline, ReplaceRule(FMovie));
  TTimelineIndex* result = index.get();
  FButtonStates.emplace(std::make_pair(id, state), TButtonState{std::move(timeline), std::move(index)});
  return result;
}

}  // namespace player
