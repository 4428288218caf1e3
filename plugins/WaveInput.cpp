// The input module for WAV and every other sound that is not MP3: WAV and AIFF through
// libsndfile, the rest through FFmpeg. Any sample format is read as signed 16-bit PCM
// (float data scaled to full range).
#include <sndfile.h>

#include <array>
#include <cstdint>
#include <fstream>

#include "plugins/DecodingInModule.h"
#include "plugins/FfmpegInput.h"
#include "plugins/StandardModules.h"

namespace plugins {

namespace {

// Limits that keep a lying header from asking for absurd buffers or rates.
constexpr int MaxChannels = 64;
constexpr int MinRate = 1000;
constexpr int MaxRate = 768000;

uint32_t LittleEndian32(const unsigned char* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

// True when a RIFF WAVE file's "data" chunk declares noticeably more sound (over 10 ms)
// than the file holds: the file was cut short. The reader alone would quietly play the
// part that is there. Placeholder sizes (0, 0xFFFFFFFF) of streamed files are not checked.
bool WaveIsCutShort(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::array<unsigned char, 12> riff{};
  if (!in.read(reinterpret_cast<char*>(riff.data()), riff.size())) return false;
  if (std::string(riff.begin(), riff.begin() + 4) != "RIFF" ||
      std::string(riff.begin() + 8, riff.end()) != "WAVE")
    return false;
  in.seekg(0, std::ios::end);
  const uint64_t fileSize = static_cast<uint64_t>(in.tellg());
  uint64_t position = 12;
  uint32_t bytesPerSecond = 0;
  for (int chunk = 0; chunk < 256 && position + 8 <= fileSize; ++chunk) {
    std::array<unsigned char, 16> head{};
    in.seekg(static_cast<std::streamoff>(position));
    if (!in.read(reinterpret_cast<char*>(head.data()), 8)) return false;
    const std::string id(head.begin(), head.begin() + 4);
    const uint64_t size = LittleEndian32(head.data() + 4);
    if (id == "fmt " && size >= 16 && in.read(reinterpret_cast<char*>(head.data() + 8), 8))
      bytesPerSecond = LittleEndian32(head.data() + 8 + 4);
    if (id == "data") {
      if (size == 0 || size == 0xFFFFFFFFu || bytesPerSecond == 0) return false;
      const uint64_t present = fileSize - (position + 8);
      return size > present && size - present > bytesPerSecond / 100;
    }
    position += 8 + size + (size & 1);
  }
  return false;
}

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
    if (WaveIsCutShort(file)) throw std::runtime_error("the file is cut short");
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

// WAV and AIFF through libsndfile as ever; M4A/AAC, Ogg Vorbis, Opus, FLAC and the rest
// through FFmpeg.
std::unique_ptr<TPcmDecoder> MakeWaveDecoder() { return MakeContentDecoder(&MakeSndfileDecoder); }

}  // namespace

std::unique_ptr<TInModule> MakeWaveInModule() {
  return std::make_unique<TDecodingInModule>("Wave and PCM decoder", "WAV;AIFF;AU;FLAC;OGG;OPUS;M4A;AAC",
                                             &MakeWaveDecoder);
}

}  // namespace plugins
