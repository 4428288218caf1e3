// Mixes the event sounds that play at one time into the 44.1 kHz stereo output.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "player/audio/AudioOutput.h"
#include "player/audio/PcmSound.h"

namespace player {

// How one StartSound plays its sound. Points are in 44.1 kHz samples whatever the sound's
// own rate; 0 means "from the start" / "to the end".
struct TSoundPlayback {
  uint32_t InPoint = 0;
  uint32_t OutPoint = 0;
  int Loops = 1;
};

class TSoundMixer : public IAudioSource {
 public:
  // More voices than this are not started (a movie that starts a sound every frame).
  static constexpr size_t MaxVoices = 32;

  void Start(int soundId, std::shared_ptr<const TPcmSound> sound, const TSoundPlayback& how);
  void Stop(int soundId);
  void StopAll();
  bool IsPlaying(int soundId) const;
  size_t VoiceCount() const;

  void Render(int16_t* stereo, int frames) override;

 private:
  struct TVoice {
    int SoundId = 0;
    std::shared_ptr<const TPcmSound> Sound;
    double Position = 0;  // in the sound's own frames
    double Begin = 0, End = 0;
    double Step = 1;      // sound frames per output frame
    int LoopsLeft = 1;
  };
  // Adds one voice into the buffer; false when it has finished.
  static bool MixVoice(TVoice& voice, int32_t* mix, int frames);

  mutable std::mutex FLock;  // the device thread renders while the player starts and stops
  std::vector<TVoice> FVoices;
  std::vector<int32_t> FMixBuffer;
};

}  // namespace player
