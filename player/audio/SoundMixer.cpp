#include "player/audio/SoundMixer.h"

#include <algorithm>

namespace player {

void TSoundMixer::Start(int soundId, std::shared_ptr<const TPcmSound> sound,
                        const TSoundPlayback& how) {
  if (!sound || sound->Frames() == 0 || sound->Rate <= 0) return;
  TVoice voice;
  voice.SoundId = soundId;
  const double toSound = static_cast<double>(sound->Rate) / AudioOutputRate;
  const double frames = static_cast<double>(sound->Frames());
  voice.Begin = std::min(frames, how.InPoint * toSound);
  voice.End = how.OutPoint > 0 ? std::min(frames, how.OutPoint * toSound) : frames;
  if (voice.End <= voice.Begin) return;
  voice.Position = voice.Begin;
  voice.Step = toSound;
  voice.LoopsLeft = std::clamp(how.Loops, 1, 65535);
  voice.Sound = std::move(sound);
  std::lock_guard guard(FLock);
  if (FVoices.size() >= MaxVoices) return;
  FVoices.push_back(std::move(voice));
}

void TSoundMixer::Stop(int soundId) {
  std::lock_guard guard(FLock);
  std::erase_if(FVoices, [soundId](const TVoice& v) { return v.SoundId == soundId; });
}

void TSoundMixer::StopAll() {
  std::lock_guard guard(FLock);
  FVoices.clear();
}

bool TSoundMixer::IsPlaying(int soundId) const {
  std::lock_guard guard(FLock);
  return std::any_of(FVoices.begin(), FVoices.end(),
                     [soundId](const TVoice& v) { return v.SoundId == soundId; });
}

size_t TSoundMixer::VoiceCount() const {
  std::lock_guard guard(FLock);
  return FVoices.size();
}

bool TSoundMixer::MixVoice(TVoice& voice, int32_t* mix, int frames) {
  const TPcmSound& sound = *voice.Sound;
  const int16_t* samples = sound.Samples.data();
  const size_t last = sound.Frames() - 1;
  const bool stereo = sound.Channels == 2;
  for (int i = 0; i < frames; ++i) {
    if (voice.Position >= voice.End) {
      if (--voice.LoopsLeft <= 0) return false;
      voice.Position = voice.Begin + (voice.Position - voice.End);
    }
    // Linear interpolation between neighbouring frames resamples to the output rate.
    const size_t index = static_cast<size_t>(voice.Position);
    const size_t next = std::min(index + 1, last);
    const double t = voice.Position - static_cast<double>(index);
    const int ch = sound.Channels;
    const double left = samples[index * ch] * (1 - t) + samples[next * ch] * t;
    const double right = stereo ? samples[index * ch + 1] * (1 - t) + samples[next * ch + 1] * t
                                : left;
    mix[2 * i] += static_cast<int32_t>(left);
    mix[2 * i + 1] += static_cast<int32_t>(right);
    voice.Position += voice.Step;
  }
  return true;
}

void TSoundMixer::Render(int16_t* stereo, int frames) {
  if (frames <= 0) return;
  std::lock_guard guard(FLock);
  FMixBuffer.assign(static_cast<size_t>(frames) * 2, 0);
  std::erase_if(FVoices, [&](TVoice& v) { return !MixVoice(v, FMixBuffer.data(), frames); });
  for (size_t i = 0; i < FMixBuffer.size(); ++i) {
    stereo[i] = static_cast<int16_t>(std::clamp(FMixBuffer[i], -32768, 32767));
  }
}

}  // namespace player
