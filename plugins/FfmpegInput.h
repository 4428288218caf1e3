// The PCM decoder over FFmpeg's libraries, for the sound kinds libsndfile and libmpg123 do
// not read (M4A/AAC above all), and the choice between it and libsndfile by content.
#pragma once

#include <memory>

#include "plugins/DecodingInModule.h"

namespace plugins {

std::unique_ptr<TPcmDecoder> MakeFfmpegDecoder();

// Decodes with `sndfile` (made on demand by the factory) when the file is a kind it has
// always read (WAV, AIFF, ...), else with FFmpeg.
std::unique_ptr<TPcmDecoder> MakeContentDecoder(std::unique_ptr<TPcmDecoder> (*makeSndfile)());

}  // namespace plugins
