#include "export/FrameSource.h"

#include <QPainter>

#include <cmath>

#include "export/ExportError.h"
#include "player/MoviePlayer.h"
#include "swf/format/SwfError.h"
#include "swf/reader/SwfFile.h"

namespace exporter {

int64_t SamplesBefore(int64_t frame, double rate) {
  return std::llround(static_cast<double>(frame) * MixRate / rate);
}

TFrameSource::TFrameSource(const std::string& moviePath) : FPath(moviePath) {
  {
    // The probe is gone before the player of the export loads the movie: a long movie is
    // held once, not twice.
    player::TMoviePlayer probe(player::TAudioMode::None);
    try {
      probe.LoadFile(moviePath);
    } catch (const std::exception& error) {
      throw TExportError("The movie cannot be read: " + std::string(error.what()));
    }
    FMovieFrames = probe.TotalFrames();
    FRate = probe.FrameRate();
    FStage = probe.StageSize();
    // A movie that does not loop halts on its last frame (a stop action there); one that
    // loops is still playing when it gets there.
    for (int i = 1; i < FMovieFrames; ++i) probe.Tick();
    FLoops = probe.IsPlaying();
  }
  // The player shows a movie whose header counts no frames as one frame: export nothing.
  if (swf::TSwfFile::FromFile(moviePath).Header().FrameCount == 0) {
    throw TExportError("The movie has no frames to export.");
  }
  if (FMovieFrames < 1) throw TExportError("The movie has no frames to export.");
  if (FStage.width() < 1 || FStage.height() < 1) {
    throw TExportError("The movie's stage is empty: there is nothing to draw.");
  }
  Restart();
}

TFrameSource::~TFrameSource() = default;

QColor TFrameSource::Background() const { return FPlayer->BackgroundColor(); }

void TFrameSource::Restart() {
  FPlayer = std::make_unique<player::TMoviePlayer>(player::TAudioMode::Silent);
  FPlayer->LoadFile(FPath);
  FDrawn = 0;
  FSamplesOut = 0;
}

QImage TFrameSource::Next(const QSize& size, std::vector<int16_t>* stereo) {
  // Opaque 32-bit pixels (B, G, R, A in memory), the layout the encoders take directly.
  QImage image(size, QImage::Format_RGB32);
  if (image.isNull()) throw TExportError("There is not enough memory for a picture of this size.");
  {
    QPainter painter(&image);
    FPlayer->Render(painter, image.rect());
  }
  if (stereo) {
    const int64_t end = SamplesBefore(FDrawn + 1, FRate);
    const int count = static_cast<int>(end - FSamplesOut);
    stereo->assign(static_cast<size_t>(count) * 2, 0);
    if (count > 0) FPlayer->MixSounds(stereo->data(), count);
    FSamplesOut = end;
  }
  ++FDrawn;
  FPlayer->Tick();
  return image;
}

QImage TFrameSource::Poster(const QSize& size) {
  Restart();
  for (int i = 1; i < FMovieFrames; ++i) FPlayer->Tick();
  FDrawn = FMovieFrames - 1;
  return Next(size);
}

}  // namespace exporter
