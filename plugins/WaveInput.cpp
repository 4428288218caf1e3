// The input module for WAV and the other formats libsndfile reads; any sample format is
// read as signed 16-bit PCM (float data scaled to full range).
#include "plugins/DecodingInModule.h"
#include "plugins/StandardModules.h"

#include <sndfile.h>

namespace plugins {

namespace {

// Limits that keep a lying header from asking for absurd buffers or rates.
constexpr int MaxChannels = 64;
constexpr int MinRate = 1000;
constexpr int MaxRate = 768000;

class TSndfileDecoder : public TPcmDecoder {
 public:
  ~TSndfileDecoder() override {
    if (FFile) sf_close(FFile);
  }

  void Open(const std::string& file) override {
    SF_INFO info{};
    FFile = sf_open(file.c_str(), SFM_READ, &info);
    if (!FFile) throw std::runtime_error(sf_strerror(nullptr));
    if (info.channels < 1 || info.channels > MaxChannels)
      throw std::runtime_error("unsupported number of channels");
    if (info.samplerate < MinRate || info.samplerate > MaxRate)
      throw std::runtime_error("unsupported sample rate");
    if (info.frames <= 0) throw std::runtime_error("the file holds no sound");
    const int subtype = info.format & SF_FORMAT_SUBMASK;
    if (subtype == SF_FORMAT_FLOAT || subtype == SF_FORMAT_DOUBLE)
      sf_command(FFile, SFC_SET_SCALE_FLOAT_INT_READ, nullptr, SF_TRUE);
    FRate = info.samplerate;
    FChannels = info.channels;
    FExpectedFrames = info.frames;
  }

  int SampleRate() const override { return FRate; }
  int Channels() const override { return FChannels; }
  int64_t ExpectedFrames() const override { return FExpectedFrames; }

  size_t Read(int16_t* buffer, size_t maxFrames) override {
    sf_count_t got = sf_readf_short(FFile, buffer, static_cast<sf_count_t>(maxFrames));
    if (got <= 0) {
      if (sf_error(FFile) != SF_ERR_NO_ERROR) throw std::runtime_error(sf_strerror(FFile));
      return 0;
    }
    return static_cast<size_t>(got);
  }

 private:
  SNDFILE* FFile = nullptr;
  int FRate = 0;
  int FChannels = 0;
  int64_t FExpectedFrames = -1;
};

std::unique_ptr<TPcmDecoder> MakeSndfileDecoder() { return std::make_unique<TSndfileDecoder>(); }

}  // namespace

std::unique_ptr<TInModule> MakeWaveInModule() {
  return std::make_unique<TDecodingInModule>("Wave and PCM decoder", "WAV;AIFF;AU;FLAC;OGG",
                                             &MakeSndfileDecoder);
}

}  // namespace plugins
