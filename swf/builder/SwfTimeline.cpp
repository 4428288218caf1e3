#include "swf/builder/SwfTimeline.h"

#include <algorithm>

namespace swf {

void TContentTimeline::Insert(int frame, TTimelineEvent event) {
  // Effects mostly go forward frame by frame: the common case appends, and a character
  // is placed on many frames.
  if (FEvents.empty()) FEvents.reserve(16);
  if (FEvents.empty() || FEvents.back().Frame <= frame) {
    FEvents.push_back({frame, std::move(event)});
    return;
  }
  auto after = std::upper_bound(FEvents.begin(), FEvents.end(), frame,
                                [](int f, const TFrameEvent& e) { return f < e.Frame; });
  FEvents.insert(after, {frame, std::move(event)});
}

void TContentTimeline::Add(int frame, const TPlacement& placement, uint64_t seq) {
  Insert(frame, {true, placement, seq});
  FLastAddFrame = std::max(FLastAddFrame, frame);
}

void TContentTimeline::Remove(int frame) { Insert(frame, {false, {}, 0}); }

bool TContentTimeline::EndedAfterLastAdd() const { return !FEvents.empty() && !FEvents.back().Event.IsAdd; }

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
