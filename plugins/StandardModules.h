// The modules that come with the program, each made fresh for one loaded library.
#pragma once

#include <memory>

#include "plugins/AudioModule.h"

namespace plugins {

// "mp3.dll": MPEG audio layers 1-3 through libmpg123.
std::unique_ptr<TInModule> MakeMp3InModule();
// "wave.dll": WAV and every other format libsndfile reads (AIFF, FLAC, Ogg, ...).
std::unique_ptr<TInModule> MakeWaveInModule();
// "sound.dll": writes 16-bit mono WAV at a sound rate SWF accepts to TOutModule::OutputFile.
std::unique_ptr<TOutModule> MakeSoundOutModule();

}  // namespace plugins
