// A timeline's streaming sound (SoundStreamHead + one SoundStreamBlock per frame) decoded
// as one sound, with the sample where each frame's block begins, so playback can start
// at any frame and runs on while the frames follow one another.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "player/audio/PcmSound.h"
#include "swf/reader/TimelineTypes.h"

namespace player {

struct TStreamSound {
  std::shared_ptr<const TPcmSound> Sound;  // null: the timeline streams nothing playable
  std::vector<size_t> FrameStart;          // per frame, in the sound's sample frames

  // Where playback for a frame begins, in 44.1 kHz samples (the mixer's in-point unit).
  uint32_t InPointOf(uint32_t frame) const;
};

// Decodes the stream of a timeline (PCM, ADPCM or MP3); a timeline without one, or with a
// codec not played, gives an empty result. Never throws.
TStreamSound DecodeStreamSound(const swf::TTimeline& timeline);

}  // namespace player
