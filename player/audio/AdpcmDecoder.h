// The SWF variant of IMA ADPCM: a 2-bit code size, then packets of 4096 samples per
// channel, each opening with a 16-bit sample and a 6-bit step index; nothing byte-aligned.
#pragma once

#include <cstddef>
#include <cstdint>

#include "player/audio/PcmSound.h"

namespace player {

// Decodes until the data runs out or maxFrames sample frames are made.
TPcmSound DecodeAdpcm(const uint8_t* data, size_t size, int channels, int rate,
                      size_t maxFrames = MaxSoundFrames);

}  // namespace player
