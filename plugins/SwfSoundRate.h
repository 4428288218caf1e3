// The sample rates a SWF sound may have, and the one the sound output writes for a source.
#pragma once

#include <array>

namespace plugins {

// 5.5, 11, 22 and 44 kHz; the 5.5 kHz rate is 5512.5 Hz in SWF, stored as 5512 in a WAV.
inline constexpr std::array<int, 4> SwfSoundRates = {5512, 11025, 22050, 44100};

// The lowest SWF rate that keeps all of the source's bandwidth, 44100 above that: 48 kHz
// becomes 44100, 32 kHz 44100, 16 kHz 22050, 8 kHz 11025.
constexpr int SwfSoundRateFor(int sourceRate) {
  for (int rate : SwfSoundRates)
    if (rate >= sourceRate) return rate;
  return SwfSoundRates.back();
}

constexpr bool IsSwfSoundRate(int rate) {
  for (int swfRate : SwfSoundRates)
    if (swfRate == rate) return true;
  return false;
}

}  // namespace plugins
