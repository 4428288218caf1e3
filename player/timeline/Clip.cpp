#include "player/timeline/Clip.h"

#include <algorithm>
#include <vector>

#include "player/timeline/TimelineSet.h"
#include "swf/reader/ButtonTypes.h"

namespace player {

TClip::TClip(TTimelineSet& set, TTimelineIndex& index, int nesting)
    : FSet(set), FIndex(&index), FNesting(nesting) {
  FSet.ClipCreated();
}

TClip::~TClip() { FSet.ClipDestroyed(); }

std::shared_ptr<TClip> TClip::Create(TTimelineSet& set, TTimelineIndex& index, int nesting,
                                     TFrameEvents& events) {
  std::shared_ptr<TClip> clip(new TClip(set, index, nesting));
  clip->FState = index.StateAt(0);
  clip->SyncChildren(events);
  clip->EnterFrame(0, events);
  return clip;
}

const TClip* TClip::Child(uint16_t depth) const {
  auto found = FChildren.find(depth);
  return found == FChildren.end() ? nullptr : found->second.Clip.get();
}

uint8_t TClip::ButtonState(uint16_t depth) const {
  auto found = FButtonStates.find(depth);
  return found == FButtonStates.end() ? swf::ButtonUp : found->second.second;
}

void TClip::SetButtonState(uint16_t depth, uint8_t state, TFrameEvents& events) {
  auto placed = FState.find(depth);
  if (placed == FState.end()) return;
  if (state == swf::ButtonUp) FButtonStates.erase(depth);
  else FButtonStates[depth] = {placed->second, state};
  FSet.Changed();
  auto child = FChildren.find(depth);
  TTimelineIndex* shown = FSet.ButtonState(placed->second.Object.CharacterId, state);
  if (child != FChildren.end() && shown) child->second.Clip->ShowButtonState(*shown, events);
}

void TClip::ShowButtonState(TTimelineIndex& state, TFrameEvents& events) {
  if (FIndex == &state) return;
  FIndex = &state;
  FState = state.StateAt(0);
  SyncChildren(events);
}

void TClip::EnterFrame(uint32_t frame, TFrameEvents& events) {
  EnterFrame(frame, FIndex->Timeline().FrameAt(frame), events);
}

void TClip::EnterFrame(uint32_t frame, const std::shared_ptr<const swf::TFrame>& tags,
                       TFrameEvents& events) {
  FFrame = frame;
  FSet.Changed();
  // The queued blocks and sounds share the ownership of the frame's tags.
  for (const swf::TDoAction& block : tags->Actions) {
    events.Actions.push_back({weak_from_this(), std::shared_ptr<const swf::TDoAction>(tags, &block)});
  }
  for (const swf::TStartSound& sound : tags->Sounds) {
    events.Sounds.push_back(std::shared_ptr<const swf::TStartSound>(tags, &sound));
  }
}

template <class TMap, class TInstanceOf>
void TClip::ForgetGone(TMap& byDepth, TInstanceOf instanceOf) const {
  for (auto it = byDepth.begin(); it != byDepth.end();) {
    auto placed = FState.find(it->first);
    if (placed == FState.end() || !placed->second.SameInstance(instanceOf(it->second))) {
      it = byDepth.erase(it);
    } else {
      ++it;
    }
  }
}

void TClip::SyncChildren(TFrameEvents& events) {
  // A button that left (or was replaced) is up again when it comes back.
  ForgetGone(FButtonStates, [](const auto& state) -> const TPlacedObject& { return state.first; });
  ForgetGone(FChildren, [](const TChild& child) -> const TPlacedObject& { return child.Instance; });
  for (const auto& [depth, placed] : FState) {
    if (FChildren.count(depth)) continue;
    const uint16_t id = placed.Object.CharacterId;
    TTimelineIndex* timeline = FSet.Sprite(id);
    if (!timeline) timeline = FSet.ButtonState(id, ButtonState(depth));
    if (!timeline || !FSet.MayCreateClip(FNesting + 1)) continue;
    FChildren.emplace(depth, TChild{placed, Create(FSet, *timeline, FNesting + 1, events)});
  }
}

void TClip::AdvanceOneFrame(TFrameEvents& events) {
  const uint32_t next = FFrame + 1;
  const std::shared_ptr<const swf::TFrame> tags = FIndex->Timeline().FrameAt(next);
  FIndex->ApplyFrame(FState, next, *tags);
  if (!tags->DisplayTags.empty()) SyncChildren(events);
  EnterFrame(next, tags, events);
}

void TClip::Tick(TFrameEvents& events, bool loop) {
  // Sprites placed during this tick show their first frame; only earlier ones move on.
  std::vector<std::pair<uint16_t, std::shared_ptr<TClip>>> earlier;
  earlier.reserve(FChildren.size());
  for (const auto& [depth, child] : FChildren) earlier.emplace_back(depth, child.Clip);

  if (FPlaying) {
    if (FFrame + 1 < FrameCount()) {
      AdvanceOneFrame(events);
    } else if (FrameCount() > 1 && loop) {
      Goto(0, events);
    } else if (!loop) {
      FPlaying = false;  // the end of a movie that does not loop
    }
  }
  for (const auto& [depth, clip] : earlier) {
    auto still = FChildren.find(depth);
    if (still != FChildren.end() && still->second.Clip == clip) clip->Tick(events, true);
  }
}

void TClip::Goto(uint32_t frame, TFrameEvents& events) {
  frame = std::min(frame, FrameCount() - 1);
  if (frame == FFrame) return;
  if (frame == FFrame + 1) {
    AdvanceOneFrame(events);
    return;
  }
  FState = FIndex->StateAt(frame);
  SyncChildren(events);
  EnterFrame(frame, events);
}

}  // namespace player
