// What entering frames produced during one step of playback: action blocks to run on the
// clip they belong to, and sounds to start.
#pragma once

#include <memory>
#include <vector>

#include "swf/reader/ActionTypes.h"
#include "swf/reader/SoundTypes.h"

namespace player {

class TClip;

// A frame's tags may be parsed only for the step that entered it: what is queued keeps
// them alive. Tags that the movie holds for its whole life are only referred to.
template <class T>
std::shared_ptr<const T> Borrowed(const T& held) {
  return std::shared_ptr<const T>(std::shared_ptr<const T>(), &held);
}

struct TFrameEvents {
  struct TQueuedActions {
    std::weak_ptr<TClip> Clip;  // the clip may be gone by the time the block runs
    std::shared_ptr<const swf::TDoAction> Block;
  };
  std::vector<TQueuedActions> Actions;
  std::vector<std::shared_ptr<const swf::TStartSound>> Sounds;
};

}  // namespace player
