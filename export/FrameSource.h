// The frames and the sound of a movie as the player plays them, one frame at a time: each
// step draws the current frame at the export's size and mixes the sound of that frame's
// duration, so nothing but the current frame is ever held.
#pragma once

#include <QColor>
#include <QImage>
#include <QSize>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace player {
class TMoviePlayer;
}

namespace exporter {

// Sample rate of the mixed sound (the player's output rate); samples are stereo.
constexpr int MixRate = 44100;

class TFrameSource {
 public:
  // Throws TExportError for a file that is not a movie or a movie without frames.
  explicit TFrameSource(const std::string& moviePath);
  ~TFrameSource();

  int MovieFrames() const { return FMovieFrames; }
  double FrameRate() const { return FRate; }
  QSizeF StageSize() const { return FStage; }
  QColor Background() const;
  // Whether the movie comes round again after its last frame (it does unless it stops).
  bool Loops() const { return FLoops; }
  // Frames of an export of `loops` passes: a movie that stops plays one pass.
  int FramesFor(int loops) const { return FLoops ? FMovieFrames * loops : FMovieFrames; }

  // Back to frame 0 with no sound playing, for another pass over the movie.
  void Restart();
  // Draws the current frame (stage scaled to size) and, when stereo is given, mixes the
  // samples of its duration into it; then the movie moves on by one frame.
  QImage Next(const QSize& size, std::vector<int16_t>* stereo = nullptr);
  int FramesDrawn() const { return FDrawn; }
  // The frame a still picture of the movie shows: its last, where everything has arrived.
  QImage Poster(const QSize& size);

 private:
  std::string FPath;
  std::unique_ptr<player::TMoviePlayer> FPlayer;
  int FMovieFrames = 0;
  double FRate = 12;
  QSizeF FStage;
  bool FLoops = true;
  int FDrawn = 0;          // frames drawn since the last Restart
  int64_t FSamplesOut = 0;  // sample frames mixed since the last Restart
};

// Sample frames of sound from the start of frame 0 to the start of `frame`.
int64_t SamplesBefore(int64_t frame, double rate);

}  // namespace exporter
