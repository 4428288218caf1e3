#include "player/timeline/TimelineSet.h"

namespace player {

TTimelineIndex* TTimelineSet::Sprite(uint16_t id) {
  auto found = FSprites.find(id);
  if (found != FSprites.end()) return found->second.get();
  const swf::TSprite* sprite = FMovie.Find<swf::TSprite>(id);
  if (!sprite) return nullptr;
  return FSprites.emplace(id, std::make_unique<TTimelineIndex>(sprite->Timeline, ReplaceRule(FMovie)))
      .first->second.get();
}

}  // namespace player
