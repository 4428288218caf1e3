// The sound output module: whatever PCM the input module opens it with is down-mixed to one
// channel, resampled to a SWF sound rate when needed (libsamplerate) and written as a
// 16-bit mono WAV file (libsndfile) to the path the program gave in OutputFile.
#include <samplerate.h>
#include <sndfile.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <mutex>
#include <vector>

#include "plugins/StandardModules.h"
#include "plugins/SwfSoundRate.h"

namespace plugins {

namespace {

constexpr int MaxChannels = 64;
constexpr int MinRate = 1000;
constexpr int MaxRate = 768000;
constexpr size_t ResampleChunk = 4096;  // output frames per libsamplerate call

class TSoundOutModule : public TOutModule {
 public:
  TSoundOutModule() {
    description = "16-bit mono WAV writer";
    Config = [](THandle) {};  // nothing to set: the format is what SWF sounds need
    About = [](THandle) {};
    Init = [this] { Reset(); };
    Quit = [this] { DoClose(); };
    Open = [this](int rate, int channels, int bits, int, int) {
      return DoOpen(rate, channels, bits);
    };
    Close = [this] { DoClose(); };
    Write = [this](const char* buffer, int bytes) { return DoWrite(buffer, bytes); };
    CanWrite = [this] {
      std::lock_guard<std::mutex> guard(FLock);
      return FFile ? 1 << 24 : 0;  // a file never fills up
    };
    IsPlaying = [] { return 0; };  // nothing is queued: Write writes at once
    Pause = [](int) { return 0; };
    // A file keeps the level as decoded; a player's volume is not part of the sound.
    SetVolume = [this](int volume) { FVolume = volume; };
    SetPan = [](int) {};
    Flush = [](int) {};
    GetOutputTime = [this] { return TimeMs(); };
    GetWrittenTime = [this] { return TimeMs(); };
    GetErrorMessage = [this] {
      std::lock_guard<std::mutex> guard(FLock);
      return FError;
    };
  }
  ~TSoundOutModule() override { DoClose(); }

 private:
  // Milliseconds of source audio handled, counted in the source's rate exactly as the input
  // module counts what it delivered.
  int TimeMs() const {
    int rate = FTimeRate.load();
    return rate > 0 ? static_cast<int>(FReceivedFrames.load() * 1000 / rate) : 0;
  }

  void Reset() {
    DoClose();
    std::lock_guard<std::mutex> guard(FLock);
    FError.clear();
    FReceivedFrames = 0;
    FTimeRate = 0;
  }

  int Refuse(const std::string& reason) {
    FError = reason;
    return -1;
  }

  int DoOpen(int rate, int channels, int bits) {
    DoClose();
    std::lock_guard<std::mutex> guard(FLock);
    FError.clear();
    FReceivedFrames = 0;
    FTimeRate = 0;
    if (rate < MinRate || rate > MaxRate) return Refuse("unsupported sample rate");
    if (channels < 1 || channels > MaxChannels) return Refuse("unsupported number of channels");
    if (bits != 8 && bits != 16 && bits != 24 && bits != 32)
      return Refuse("unsupported sample size");
    if (OutputFile.empty()) return Refuse("no output file was given");

    FInRate = rate;
    FChannels = channels;
    FBits = bits;
    FOutRate = SwfSoundRateFor(rate);
    if (FOutRate != FInRate) {
      int error = 0;
      FResampler = src_new(SRC_SINC_MEDIUM_QUALITY, 1, &error);
      if (!FResampler) return Refuse(std::string("cannot resample: ") + src_strerror(error));
      FRatio = static_cast<double>(FOutRate) / FInRate;
    }
    SF_INFO info{};
    info.samplerate = FOutRate;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    FFile = sf_open(OutputFile.c_str(), SFM_WRITE, &info);
    if (!FFile) {
      std::string reason =
          std::string("cannot write \"") + OutputFile + "\": " + sf_strerror(nullptr);
      ReleaseResampler();
      return Refuse(reason);
    }
    FPartial.clear();
    FTimeRate = rate;
    return 0;
  }

  int DoWrite(const char* buffer, int bytes) {
    std::lock_guard<std::mutex> guard(FLock);
    if (!FFile || bytes < 0 || (bytes > 0 && !buffer)) return 1;
    if (!FError.empty()) return 1;  // an earlier write failed; the file is incomplete

    const size_t frameBytes = static_cast<size_t>(FChannels) * (FBits / 8);
    FPartial.insert(FPartial.end(), buffer, buffer + bytes);
    const size_t frames = FPartial.size() / frameBytes;
    if (frames == 0) return 0;

    FMono.resize(frames);
    for (size_t f = 0; f < frames; ++f) {
      const unsigned char* frame =
          reinterpret_cast<const unsigned char*>(FPartial.data()) + f * frameBytes;
      float sum = 0.0f;
      for (int c = 0; c < FChannels; ++c) sum += SampleAt(frame, c);
      FMono[f] = sum / static_cast<float>(FChannels);
    }
    FPartial.erase(FPartial.begin(),
                   FPartial.begin() + static_cast<std::ptrdiff_t>(frames * frameBytes));

    if (!Resample(FMono.data(), frames, false)) return 1;
    FReceivedFrames += static_cast<int64_t>(frames);
    return 0;
  }

  // One sample of channel `c` in `frame`, scaled to -1..1.
  float SampleAt(const unsigned char* frame, int c) const {
    const unsigned char* p = frame + static_cast<size_t>(c) * (FBits / 8);
    switch (FBits) {
      case 8:
        return (static_cast<int>(p[0]) - 128) / 128.0f;
      case 16: {
        int16_t v;
        std::memcpy(&v, p, sizeof v);
        return v / 32768.0f;
      }
      case 24: {
        int32_t v = p[0] | (p[1] << 8) | (p[2] << 16);
        if (v & 0x800000) v -= 0x1000000;
        return static_cast<float>(v) / 8388608.0f;
      }
      default: {
        int32_t v;
        std::memcpy(&v, p, sizeof v);
        return static_cast<float>(static_cast<double>(v) / 2147483648.0);
      }
    }
  }

  // Passes mono samples through the resampler, if any, to the file. With `endOfInput` the
  // resampler gives out what it still holds.
  bool Resample(const float* samples, size_t count, bool endOfInput) {
    if (!FResampler) return Emit(samples, count);
    FResampled.resize(ResampleChunk);
    SRC_DATA data{};
    data.src_ratio = FRatio;
    data.end_of_input = endOfInput ? 1 : 0;
    data.data_in = samples;
    data.input_frames = static_cast<long>(count);
    for (;;) {
      data.data_out = FResampled.data();
      data.output_frames = static_cast<long>(ResampleChunk);
      int error = src_process(FResampler, &data);
      if (error != 0) return Fail(std::string("cannot resample: ") + src_strerror(error));
      if (!Emit(FResampled.data(), static_cast<size_t>(data.output_frames_gen))) return false;
      data.data_in += data.input_frames_used;
      data.input_frames -= data.input_frames_used;
      if (data.input_frames == 0 && (!endOfInput || data.output_frames_gen == 0)) return true;
    }
  }

  bool Emit(const float* samples, size_t count) {
    if (count == 0) return true;
    FPcm.resize(count);
    for (size_t i = 0; i < count; ++i) {
      float scaled = std::clamp(samples[i] * 32768.0f, -32768.0f, 32767.0f);
      FPcm[i] = static_cast<int16_t>(std::lrintf(scaled));
    }
    if (sf_write_short(FFile, FPcm.data(), static_cast<sf_count_t>(count)) !=
        static_cast<sf_count_t>(count))
      return Fail(std::string("cannot write \"") + OutputFile + "\": " + sf_strerror(FFile));
    return true;
  }

  bool Fail(const std::string& reason) {
    if (FError.empty()) FError = reason;
    return false;
  }

  void ReleaseResampler() {
    if (FResampler) src_delete(FResampler);
    FResampler = nullptr;
  }

  void DoClose() {
    std::lock_guard<std::mutex> guard(FLock);
    if (!FFile) return;
    static const float nothing = 0.0f;
    if (FResampler && FError.empty()) Resample(&nothing, 0, true);
    int error = sf_close(FFile);
    FFile = nullptr;
    if (error != 0)
      Fail(std::string("cannot write \"") + OutputFile + "\": " + sf_error_number(error));
    ReleaseResampler();
    FPartial.clear();
  }

  std::mutex FLock;
  SNDFILE* FFile = nullptr;
  SRC_STATE* FResampler = nullptr;
  double FRatio = 1.0;
  int FInRate = 0;
  int FOutRate = 0;
  int FChannels = 0;
  int FBits = 16;
  std::vector<char> FPartial;  // bytes of a sample frame not yet complete
  std::vector<float> FMono;
  std::vector<float> FResampled;
  std::vector<int16_t> FPcm;
  std::string FError;
  std::atomic<int> FVolume{255};
  // Read by the polling thread while the decoding thread writes.
  std::atomic<int64_t> FReceivedFrames{0};
  std::atomic<int> FTimeRate{0};
};

}  // namespace

std::unique_ptr<TOutModule> MakeSoundOutModule() { return std::make_unique<TSoundOutModule>(); }

}  // namespace plugins
