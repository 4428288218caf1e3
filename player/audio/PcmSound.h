// Decoded sound data of the player: 16-bit samples, interleaved when stereo.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace player {

struct TPcmSound {
  int Rate = 44100;
  int Channels = 1;
  std::vector<int16_t> Samples;  // Frames() × Channels values

  size_t Frames() const { return Channels > 0 ? Samples.size() / Channels : 0; }
};

// No sound is decoded beyond this many sample frames (ten minutes at 44.1 kHz), whatever
// its header claims: a hostile count must not make the player allocate without bound.
constexpr size_t MaxSoundFrames = 44100u * 600u;

}  // namespace player
