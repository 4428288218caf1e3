// The player's sound output: a device that pulls 44.1 kHz stereo samples from a source.
// Behind this small interface lies SDL's audio subsystem; without a device it is silent.
#pragma once

#include <cstdint>
#include <memory>

namespace player {

constexpr int AudioOutputRate = 44100;

// Fills buffers for the device. Called on the device's own thread.
class IAudioSource {
 public:
  virtual ~IAudioSource() = default;
  // frames sample frames of interleaved stereo.
  virtual void Render(int16_t* stereo, int frames) = 0;
};

class IAudioOutput {
 public:
  virtual ~IAudioOutput() = default;
  // True when a device plays; false for the silent stand-in.
  virtual bool IsAudible() const = 0;
};

// Opens the default device feeding it from source (which must outlive the output). Never
// fails: without a device (or with SDL_AUDIODRIVER=dummy) the result plays nothing.
std::unique_ptr<IAudioOutput> OpenAudioOutput(IAudioSource& source);

// An output that never plays, for headless drawing.
std::unique_ptr<IAudioOutput> SilentAudioOutput();

}  // namespace player
