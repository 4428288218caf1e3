#include "plugins/FfmpegInput.h"

#include "media/AudioDecoder.h"

namespace plugins {

namespace {

class TFfmpegDecoder : public TPcmDecoder {
 public:
  void Open(const std::string& file) override {
    FDecoder = std::make_unique<media::TAudioDecoder>(file);
    if (FDecoder->ExpectedFrames() == 0) throw std::runtime_error("the file holds no sound");
  }
  int SampleRate() const override { return FDecoder->SampleRate(); }
  int Channels() const override { return FDecoder->Channels(); }
  int64_t ExpectedFrames() const override { return FDecoder->ExpectedFrames(); }
  size_t Read(int16_t* buffer, size_t maxFrames) override {
    const size_t frames = FDecoder->Read(buffer, maxFrames);
    FDelivered += static_cast<int64_t>(frames);
    if (frames == 0 && FDelivered == 0) throw std::runtime_error("the file holds no sound");
    // A file that ends well before the length it declares was cut short (a tenth of a
    // second's slack for codec padding).
    const int64_t expected = FDecoder->ExpectedFrames();
    if (frames == 0 && expected > 0 && FDelivered + FDecoder->SampleRate() / 10 < expected)
      throw std::runtime_error("the file is cut short");
    return frames;
  }

 private:
  std::unique_ptr<media::TAudioDecoder> FDecoder;
  int64_t FDelivered = 0;
};

class TContentDecoder : public TPcmDecoder {
 public:
  explicit TContentDecoder(std::unique_ptr<TPcmDecoder> (*makeSndfile)()) : FMakeSndfile(makeSndfile) {}

  void Open(const std::string& file) override {
    FInner = media::NeedsAudioDecoder(file) ? MakeFfmpegDecoder() : FMakeSndfile();
    FInner->Open(file);
  }
  int SampleRate() const override { return FInner->SampleRate(); }
  int Channels() const override { return FInner->Channels(); }
  int64_t ExpectedFrames() const override { return FInner->ExpectedFrames(); }
  int BitrateKbps() const override { return FInner->BitrateKbps(); }
  size_t Read(int16_t* buffer, size_t maxFrames) override { return FInner->Read(buffer, maxFrames); }

 private:
  std::unique_ptr<TPcmDecoder> (*FMakeSndfile)();
  std::unique_ptr<TPcmDecoder> FInner;
};

}  // namespace

std::unique_ptr<TPcmDecoder> MakeFfmpegDecoder() { return std::make_unique<TFfmpegDecoder>(); }

std::unique_ptr<TPcmDecoder> MakeContentDecoder(std::unique_ptr<TPcmDecoder> (*makeSndfile)()) {
  return std::make_unique<TContentDecoder>(makeSndfile);
}

}  // namespace plugins
