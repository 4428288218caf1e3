// What entering frames produced during one step of playback: action blocks to run on the
// clip they belong to, and sounds to start.
#pragma once

#include <memory>
#include <vector>

#include "swf/reader/ActionTypes.h"
#include "swf/reader/SoundTypes.h"

namespace player {

class TClip;

struct TFrameEvents {
  struct TQueuedActions {
    std::weak_ptr<TClip> Clip;  // the clip may be gone by the time the block runs
    const swf::TDoAction* Block = nullptr;
  };
  std::vector<TQueuedActions> Actions;
  std::vector<const swf::TStartSound*> Sounds;
};

}  // namespace player
