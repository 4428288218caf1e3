#include "export/VideoExport.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "export/AudioStream.h"
#include "export/EncoderThread.h"
#include "export/MediaFile.h"
#include "export/VideoStream.h"

namespace exporter {

namespace {

// Pixels of a full-HD picture: above it the encoders' memory is bounded (see below).
constexpr int64_t LargePicturePixels = 1920 * 1080;

AVRational FrameRateOf(double rate) { return av_d2q(rate, 100000); }

// Quality 1..100 onto a constant-quality value of the codec: lower is better.
int QualityToCrf(int quality, int best, int worst) {
  const double q = std::clamp(quality, 1, 100) / 100.0;
  return static_cast<int>(std::lround(worst - q * (worst - best)));
}

TVideoSettings VideoSettingsFor(TExportFormat format, const QSize& size, double rate,
                                const TExportOptions& options) {
  TVideoSettings settings;
  settings.Width = size.width();
  settings.Height = size.height();
  settings.FrameRate = FrameRateOf(rate);
  settings.TimeBase = av_inv_q(settings.FrameRate);
  settings.Threads = options.Threads;
  // Above full HD an encoder's frames are large: each thread and each frame looked ahead
  // holds some of them, so both are capped there (at 4096 x 3072, 1.3 GB rather than 1.6
  // GB and more with every core). Smaller pictures are encoded as always.
  const bool large = static_cast<int64_t>(size.width()) * size.height() > LargePicturePixels;
  if (large) settings.Threads = settings.Threads == 0 ? 2 : std::min(settings.Threads, 2);
  settings.GlobalHeader = true;
  settings.PixelFormat = AV_PIX_FMT_YUV420P;
  if (format == TExportFormat::Mp4) {
    settings.Codec = "libx264";
    // Quality 75 gives crf 21, a little better than x264's default.
    settings.Options = {{"crf", std::to_string(QualityToCrf(options.Quality, 15, 39))},
                        {"preset", "veryfast"},
                        {"profile", "high"}};
    if (large) settings.Options.push_back({"rc-lookahead", "5"});
  } else {
    settings.Codec = "libvpx-vp9";
    settings.Options = {{"crf", std::to_string(QualityToCrf(options.Quality, 15, 50))},
                        {"b", "0"},
                        {"deadline", "realtime"},
                        {"cpu-used", "8"},
                        {"row-mt", "1"}};
    if (large) settings.Options.push_back({"lag-in-frames", "10"});
  }
  return settings;
}

}  // namespace

TVideoWriter::TVideoWriter(const std::string& path, const std::string& shownName, TExportFormat format,
                           const QSize& size, double rate, const TExportOptions& options) {
  const bool mp4 = format == TExportFormat::Mp4;
  FFile = std::make_unique<TMediaFile>(path, mp4 ? "mp4" : "webm", shownName);
  FVideo = std::make_unique<TVideoStream>(*FFile, VideoSettingsFor(format, size, rate, options));
  FAudio = std::make_unique<TAudioStream>(*FFile, mp4 ? "aac" : "libopus", mp4 ? MixRate : 48000,
                                          mp4 ? 128000 : 96000);
  TAvOptions muxerOptions;
  // The index first, so a browser starts playing before the whole file has arrived.
  if (mp4) muxerOptions.Set("movflags", "+faststart");
  FFile->Begin(muxerOptions);
}

// The streams write into the file: they go first.
TVideoWriter::~TVideoWriter() {
  FVideo.reset();
  FAudio.reset();
}

void TVideoWriter::Add(const QImage& image, const std::vector<int16_t>& stereo) {
  FVideo->Encode(image, FFrames++);
  FAudio->Add(stereo.data(), static_cast<int>(stereo.size() / 2));
}

void TVideoWriter::Finish() {
  FVideo->Flush();
  FAudio->Flush();
  FFile->Finish();
}

void WriteVideo(TFrameSource& source, const std::string& path, const std::string& shownName, TExportFormat format,
                const QSize& size, const TExportOptions& options, TProgressCounter& progress) {
  TVideoWriter writer(path, shownName, format, size, source.FrameRate(), options);
  TEncoderThread encoder;  // declared after the writer its jobs use: it ends first
  source.Restart();
  const int frames = source.FramesFor(options.Loops);
  for (int i = 0; i < frames; ++i) {
    // A looping movie comes round by itself, its sounds running on as the player's do.
    std::vector<int16_t> samples;
    QImage image = source.Next(size, &samples);
    encoder.Post([&writer, image = std::move(image), samples = std::move(samples)] {
      writer.Add(image, samples);
    });
    progress.Step();
  }
  encoder.Finish();
  writer.Finish();
}

}  // namespace exporter
