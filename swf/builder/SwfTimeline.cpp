#include "swf/builder/SwfTimeline.h"

namespace swf {

void TContentTimeline::Add(int frame, const TPlacement& placement, uint64_t seq) {
  FEvents[frame].push_back({true, placement, seq});
  FLastAddFrame = std::max(FLastAddFrame, frame);
}

void TContentTimeline::Remove(int frame) { FEvents[frame].push_back({false, {}, 0}); }

bool TContentTimeline::ShownAt(int frame) const {
  auto it = FEvents.upper_bound(frame);
  if (it == FEvents.begin()) return false;
  --it;
  return it->second.back().IsAdd;
}

bool TContentTimeline::EndedAfterLastAdd() const {
  return !FEvents.empty() && !FEvents.rbegin()->second.back().IsAdd;
}

TContentTimeline& TSwfTimeline::Of(const TContentPtr& character) {
  if (auto* found = Find(character.get())) return *found;
  FShapes.push_back(std::make_unique<TContentTimeline>(character));
  FIndex[character.get()] = FShapes.back().get();
  return *FShapes.back();
}

TContentTimeline* TSwfTimeline::Find(const TContent* character) {
  auto it = FIndex.find(character);
  return it == FIndex.end() ? nullptr : it->second;
}

void TSwfTimeline::Clear() {
  FShapes.clear();
  FIndex.clear();
  FSounds.clear();
  FActions.clear();
  FLastFrame = 0;
  FSeq = 0;
}

}  // namespace swf
