// Runs the frame actions this player understands: play, stop, goto frame or label, next
// and previous frame, stop sounds, and goto with a pushed frame or label. Everything else
// is skipped; a block stops at a condition it cannot evaluate.
#pragma once

#include <functional>

#include "player/timeline/FrameEvents.h"

namespace player {

class TActionRunner {
 public:
  // Limits per call: blocks (gotos queue the target frame's blocks, which may goto again)
  // and single actions.
  static constexpr size_t MaxBlocks = 256;
  static constexpr size_t MaxActions = 1u << 16;

  explicit TActionRunner(std::function<void()> stopSounds) : FStopSounds(std::move(stopSounds)) {}

  // Runs every queued block in order, including those queued meanwhile; the sounds of
  // frames entered by gotos are added to events.Sounds. Blocks that ran are removed.
  void Run(TFrameEvents& events);

 private:
  void RunBlock(TClip& clip, const swf::TDoAction& block, TFrameEvents& events);

  std::function<void()> FStopSounds;
  size_t FActionsRun = 0;
};

}  // namespace player
