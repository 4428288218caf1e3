// Reads a wave file into DefineSound data. Only 16-bit mono PCM at a rate the SWF format
// knows (5512, 11025, 22050, 44100 Hz) is taken; anything else is refused with a message.
// Chunk lengths are checked against the file; a data chunk cut short gives what is there.
#pragma once

#include <memory>
#include <string>

#include "swf/builder/SwfContent.h"

namespace swf {

std::shared_ptr<TSoundData> ReadWaveFile(const std::string& path);

// The sound format byte for 16-bit mono little-endian PCM at a rate, or -1 for other rates.
int PcmMonoFormat(uint32_t sampleRate);

}  // namespace swf
