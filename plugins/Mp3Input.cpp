// The MPEG audio input module: libmpg123 decodes to signed 16-bit PCM at the file's own
// rate and channel count.
#include <mpg123.h>

#include "plugins/DecodingInModule.h"
#include "plugins/StandardModules.h"

namespace plugins {

namespace {

class TMpg123Decoder : public TPcmDecoder {
 public:
  TMpg123Decoder() {
    // Once per process; a no-op for libmpg123 1.27 and later.
    static const int initialised = mpg123_init();
    (void)initialised;
  }
  ~TMpg123Decoder() override {
    if (FHandle) {
      mpg123_close(FHandle);
      mpg123_delete(FHandle);
    }
  }

  void Open(const std::string& file) override {
    int error = MPG123_OK;
    FHandle = mpg123_new(nullptr, &error);
    if (!FHandle) throw std::runtime_error(mpg123_plain_strerror(error));
    mpg123_param(FHandle, MPG123_ADD_FLAGS, MPG123_QUIET, 0);
    // Only 16-bit output, at whatever rate and channel count the stream has.
    mpg123_format_none(FHandle);
    const long* rates = nullptr;
    size_t rateCount = 0;
    mpg123_rates(&rates, &rateCount);
    for (size_t i = 0; i < rateCount; ++i)
      mpg123_format(FHandle, rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16);

    if (mpg123_open(FHandle, file.c_str()) != MPG123_OK) Fail("cannot open the file");
    long rate = 0;
    int channels = 0;
    int encoding = 0;
    if (mpg123_getformat(FHandle, &rate, &channels, &encoding) != MPG123_OK || rate <= 0 ||
        channels < 1 || channels > 2)
      Fail("no MPEG audio found");
    FRate = static_cast<int>(rate);
    FChannels = channels;
    // A length header (as encoders write it) declares the exact length before the scan.
    long accurate = 0;
    double unused = 0;
    mpg123_getstate(FHandle, MPG123_ACCURATE, &accurate, &unused);
    const off_t declared = accurate ? mpg123_length(FHandle) : -1;
    // Scanning the whole file gives the exact length, also without a length header.
    if (mpg123_scan(FHandle) != MPG123_OK) Fail("damaged MPEG audio data");
    const off_t length = mpg123_length(FHandle);
    FExpectedFrames = length > 0 ? static_cast<int64_t>(length) : -1;
    // More than 10 ms short of what the header declares: the file was cut short, and the
    // decoder alone would quietly play the part that is there.
    if (declared > 0 && length >= 0 && declared - length > FRate / 100)
      throw std::runtime_error("the file is cut short");
    mpg123_frameinfo info{};
    if (mpg123_info(FHandle, &info) == MPG123_OK) FBitrate = info.bitrate;
  }

  int SampleRate() const override { return FRate; }
  int Channels() const override { return FChannels; }
  int64_t ExpectedFrames() const override { return FExpectedFrames; }
  int BitrateKbps() const override { return FBitrate; }

  size_t Read(int16_t* buffer, size_t maxFrames) override {
    const size_t frameBytes = static_cast<size_t>(FChannels) * sizeof(int16_t);
    unsigned char* out = reinterpret_cast<unsigned char*>(buffer);
    size_t filled = 0;
    while (filled < maxFrames * frameBytes) {
      size_t done = 0;
      int result = mpg123_read(FHandle, out + filled, maxFrames * frameBytes - filled, &done);
      filled += done;
      if (result == MPG123_DONE) break;
      if (result == MPG123_NEW_FORMAT) {
        long rate = 0;
        int channels = 0;
        int encoding = 0;
        mpg123_getformat(FHandle, &rate, &channels, &encoding);
        if (rate != FRate || channels != FChannels)
          throw std::runtime_error("the sound format changes within the file");
        continue;
      }
      if (result != MPG123_OK) Fail("damaged MPEG audio data");
      if (done == 0) break;  // nothing more came without an error: treat as the end
    }
    // A damaged last frame may leave a partial sample frame; it is dropped.
    return filled / frameBytes;
  }

 private:
  [[noreturn]] void Fail(const std::string& what) {
    std::string detail;
    if (FHandle && mpg123_errcode(FHandle) != MPG123_OK) detail = mpg123_strerror(FHandle);
    throw std::runtime_error(detail.empty() ? what : what + " (" + detail + ")");
  }

  mpg123_handle* FHandle = nullptr;
  int FRate = 0;
  int FChannels = 0;
  int64_t FExpectedFrames = -1;
  int FBitrate = 0;
};

std::unique_ptr<TPcmDecoder> MakeMpg123Decoder() { return std::make_unique<TMpg123Decoder>(); }

}  // namespace

std::unique_ptr<TInModule> MakeMp3InModule() {
  return std::make_unique<TDecodingInModule>("MPEG audio decoder", "MP3;MP2;MP1",
                                             &MakeMpg123Decoder);
}

}  // namespace plugins
