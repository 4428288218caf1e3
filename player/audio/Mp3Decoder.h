// MP3 decoding through libmpg123, in memory.
#pragma once

#include <cstddef>
#include <cstdint>

#include "player/audio/PcmSound.h"

namespace player {

// Decodes the MP3 frames in data; stops after maxFrames sample frames. The rate and channel
// count come from the MP3 frames themselves. Throws swf::TSwfError when nothing decodes.
TPcmSound DecodeMp3(const uint8_t* data, size_t size, size_t maxFrames = MaxSoundFrames);

}  // namespace player
