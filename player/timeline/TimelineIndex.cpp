#include "player/timeline/TimelineIndex.h"

#include <algorithm>

namespace player {

TDisplayState TTimelineIndex::StateAt(uint32_t frame) {
  frame = std::min(frame, FrameCount() - 1);
  if (FSnapshots.empty()) {
    TDisplayState first;
    ApplyFrame(first, 0);
    FSnapshotObjects += first.size();
    FSnapshots.push_back(std::move(first));
  }
  const size_t wanted = frame / SnapshotInterval;
  // Extend the snapshots up to the one at or before the frame, while room remains.
  while (FSnapshots.size() <= wanted && !FSnapshotsFull) {
    TDisplayState next = FSnapshots.back();
    const uint32_t from = static_cast<uint32_t>(FSnapshots.size() - 1) * SnapshotInterval;
    for (uint32_t f = from + 1; f <= from + SnapshotInterval; ++f) {
      ApplyFrame(next, f);
    }
    if (FSnapshotObjects + next.size() > MaxSnapshotObjects) {
      FSnapshotsFull = true;
      break;
    }
    FSnapshotObjects += next.size();
    FSnapshots.push_back(std::move(next));
  }
  const size_t base = std::min(wanted, FSnapshots.size() - 1);
  TDisplayState state = FSnapshots[base];
  for (uint32_t f = static_cast<uint32_t>(base) * SnapshotInterval + 1; f <= frame; ++f) {
    ApplyFrame(state, f);
  }
  return state;
}

}  // namespace player
