// Turns the data of a DefineSound into 16-bit samples: PCM (8/16 bit), SWF ADPCM and MP3.
#pragma once

#include <cstddef>
#include <cstdint>

#include "player/audio/PcmSound.h"
#include "swf/reader/SoundTypes.h"

namespace player {

// sampleCount is the header's count of sample frames; it trims the decoded data (MP3 and
// ADPCM pad their last block) but never enlarges it. Throws swf::TSwfError for data that
// cannot be decoded at all or a codec the player does not play.
TPcmSound DecodeSound(const swf::TSoundFormat& format, uint32_t sampleCount, const uint8_t* data,
                      size_t size);

// The rate in Hz of a format's rate code (5512, 11025, 22050, 44100).
int SoundRate(const swf::TSoundFormat& format);

TPcmSound DecodePcm(const swf::TSoundFormat& format, const uint8_t* data, size_t size);

}  // namespace player
