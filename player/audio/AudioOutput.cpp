#include "player/audio/AudioOutput.h"

#include <SDL.h>

#include <cstring>

namespace player {

namespace {

class TSilentOutput : public IAudioOutput {
 public:
  bool IsAudible() const override { return false; }
};

class TSdlOutput : public IAudioOutput {
 public:
  TSdlOutput(SDL_AudioDeviceID device, bool audible) : FDevice(device), FAudible(audible) {}
  ~TSdlOutput() override {
    SDL_CloseAudioDevice(FDevice);  // waits for a running callback to finish
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }
  bool IsAudible() const override { return FAudible; }

  static void Callback(void* userData, Uint8* stream, int length) {
    auto* source = static_cast<IAudioSource*>(userData);
    std::memset(stream, 0, static_cast<size_t>(length));
    source->Render(reinterpret_cast<int16_t*>(stream), length / 4);
  }

 private:
  SDL_AudioDeviceID FDevice;
  bool FAudible;
};

}  // namespace

std::unique_ptr<IAudioOutput> SilentAudioOutput() { return std::make_unique<TSilentOutput>(); }

std::unique_ptr<IAudioOutput> OpenAudioOutput(IAudioSource& source) {
  // SDL must not take over SIGINT/SIGTERM from the application.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return SilentAudioOutput();
  SDL_AudioSpec want{};
  want.freq = AudioOutputRate;
  want.format = AUDIO_S16SYS;
  want.channels = 2;
  want.samples = 1024;
  want.callback = &TSdlOutput::Callback;
  want.userdata = &source;
  SDL_AudioSpec have{};
  const SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
  if (device == 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return SilentAudioOutput();
  }
  const char* driver = SDL_GetCurrentAudioDriver();
  const bool audible = driver == nullptr || std::strcmp(driver, "dummy") != 0;
  SDL_PauseAudioDevice(device, 0);
  return std::make_unique<TSdlOutput>(device, audible);
}

}  // namespace player
