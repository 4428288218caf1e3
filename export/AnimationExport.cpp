#include "export/AnimationExport.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <vector>

#include "export/EncoderThread.h"
#include "export/ExportError.h"
#include "export/FrameSpool.h"
#include "export/MediaFile.h"
#include "export/PaletteFilters.h"
#include "export/VideoStream.h"
#include "export/WebpWriter.h"

namespace exporter {

namespace {

// Small enough to matter little where the temporary folder is held in memory.
constexpr uint64_t MaxSpoolBytes = 256ull << 20;

// The time a frame starts, in units of 1/perSecond (GIF delays count hundredths).
int64_t FrameTime(int frame, double rate, int perSecond) {
  return std::llround(frame * perSecond / rate);
}

TVideoSettings AnimationSettings(const char* codec, AVPixelFormat format, const QSize& size,
                                 int perSecond, double rate) {
  TVideoSettings settings;
  settings.Codec = codec;
  settings.PixelFormat = format;
  settings.Width = size.width();
  settings.Height = size.height();
  settings.TimeBase = AVRational{1, perSecond};
  settings.FrameRate = av_d2q(rate, 100000);
  return settings;
}

void EncodeMapped(TPaletteMapper& mapper, TVideoStream& stream) {
  while (TFramePtr frame = mapper.Next()) stream.Encode(*frame);
}

}  // namespace

void WriteGif(TFrameSource& source, const std::string& path, const std::string& shownName, const QSize& size,
              TProgressCounter& progress) {
  const int frames = AnimationFrames(source);
  const double rate = source.FrameRate();
  // Each frame is drawn once: its colours go to the palette and its pixels to the spool,
  // from which the second pass maps them onto the palette. Frames that would take more
  // than MaxSpoolBytes of the temporary folder (a long movie changing everywhere) are
  // drawn a second time instead.
  TPaletteGatherer gatherer(size.width(), size.height());
  TFrameSpool spool(size, shownName, MaxSpoolBytes);
  {
    TEncoderThread worker;
    source.Restart();
    for (int i = 0; i < frames; ++i) {
      worker.Post([&gatherer, &spool, image = source.Next(size)] {
        gatherer.Add(image);
        spool.Add(image);
      });
      progress.Step();
    }
    worker.Finish();
  }
  TFramePtr palette = gatherer.Palette();

  TMediaFile file(path, "gif", shownName);
  TVideoSettings settings = AnimationSettings("gif", AV_PIX_FMT_PAL8, size, 100, rate);
  // Each frame is stored as the rectangle that changed, unchanged pixels transparent.
  settings.Options = {{"gifflags", "+offsetting+transdiff"}};
  TVideoStream stream(file, settings);
  TAvOptions muxerOptions;
  muxerOptions.Set("loop", source.Loops() ? "0" : "-1");  // 0: for ever; -1: once
  // The last frame stays as long as the others.
  muxerOptions.Set("final_delay", std::to_string(FrameTime(1, rate, 100)));
  file.Begin(muxerOptions);

  TPaletteMapper mapper(size.width(), size.height(), *palette);
  TEncoderThread worker;  // after what its jobs use: it ends first
  if (spool.Full()) source.Restart();
  for (int i = 0; i < frames; ++i) {
    QImage image = spool.Full() ? source.Next(size) : spool.Next();
    worker.Post([&mapper, &stream, pts = FrameTime(i, rate, 100), image = std::move(image)] {
      mapper.Add(image, pts);
      EncodeMapped(mapper, stream);
    });
    progress.Step();
  }
  worker.Finish();
  mapper.Finish();
  EncodeMapped(mapper, stream);
  stream.Flush();
  file.Finish();
}

void WriteWebp(TFrameSource& source, const std::string& path, const std::string& shownName, const QSize& size,
               const TExportOptions& options, TProgressCounter& progress) {
  const int frames = AnimationFrames(source);
  const double rate = source.FrameRate();
  TWebpWriter file(path, shownName, size, options.Quality, source.Loops() ? 0 : 1);  // 0: for ever
  TEncoderThread encoder;  // after the file its jobs write: it ends first
  source.Restart();
  for (int i = 0; i < frames; ++i) {
    const int duration = static_cast<int>(FrameTime(i + 1, rate, 1000) - FrameTime(i, rate, 1000));
    encoder.Post([&file, duration, image = source.Next(size)] { file.Add(image, duration); });
    progress.Step();
  }
  encoder.Finish();
  file.Finish();
}

}  // namespace exporter
