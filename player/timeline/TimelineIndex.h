// Fast seeking in one timeline: the display state after every SnapshotInterval-th frame is
// kept once computed, so the state at any frame is a few frames of replay away.
#pragma once

#include <cstdint>
#include <vector>

#include "player/timeline/DisplayState.h"
#include "swf/reader/TimelineTypes.h"

namespace player {

class TTimelineIndex {
 public:
  static constexpr uint32_t SnapshotInterval = 16;
  // Snapshots stop being kept once they hold this many objects together (a timeline with
  // thousands of objects on thousands of frames); seeking then replays further.
  static constexpr size_t MaxSnapshotObjects = 1u << 20;

  explicit TTimelineIndex(const swf::TTimeline& timeline, TReplaceRule mayReplace = {})
      : FTimeline(timeline), FMayReplace(std::move(mayReplace)) {}

  const swf::TTimeline& Timeline() const { return FTimeline; }
  uint32_t FrameCount() const { return FTimeline.FrameCount == 0 ? 1 : FTimeline.FrameCount; }

  // Applies the display tags of one frame (tags, when given, are that frame's).
  void ApplyFrame(TDisplayState& state, uint32_t frame) const {
    ApplyFrame(state, frame, *FTimeline.FrameAt(frame));
  }
  void ApplyFrame(TDisplayState& state, uint32_t frame, const swf::TFrame& tags) const {
    ApplyFrameTags(state, tags, frame, FMayReplace);
  }

  // The display state after frames 0..frame (frame clamped to the last one).
  TDisplayState StateAt(uint32_t frame);

 private:
  const swf::TTimeline& FTimeline;
  TReplaceRule FMayReplace;
  std::vector<TDisplayState> FSnapshots;  // [k]: after frame k · SnapshotInterval
  size_t FSnapshotObjects = 0;
  bool FSnapshotsFull = false;
};

}  // namespace player
