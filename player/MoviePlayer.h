// The player of one SWF movie without a window: loads a file, plays its timeline tick by
// tick or jumps to a frame, draws the current frame into any painter or image (the movie
// scaled to fit, proportions kept, centred on its background colour) and plays its sounds.
//
//   audio/     sound decoders (PCM, ADPCM, MP3), the mixer and the device output
//   bitmap/    JPEG and lossless pictures to QImage
//   timeline/  display lists, sprites, seeking, frame actions
//   render/    paths of shapes and texts, fills, masks: the QPainter renderer
//   widget/    the preview widget (a separate library, it needs Qt Widgets)
#pragma once

#include <QColor>
#include <QImage>
#include <QPointF>
#include <QPainter>
#include <QRect>
#include <QSizeF>

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "player/render/Edges.h"
#include "player/audio/AudioOutput.h"
#include "player/audio/SoundMixer.h"
#include "player/audio/StreamSound.h"

namespace swf {
struct TMovie;
struct TStartSound;
}

namespace player {

class TButtonTracker;
class TCharacterLibrary;
class TClip;
class TRenderer;
class TTimelineSet;
struct TFrameEvents;

enum class TAudioMode {
  None,    // sounds are neither decoded nor played (drawing frames only)
  Silent,  // sounds are decoded and mixed but go nowhere
  Device,  // sounds play on the default device (silent when there is none)
};

class TMoviePlayer {
 public:
  explicit TMoviePlayer(TAudioMode audio = TAudioMode::None);
  ~TMoviePlayer();
  TMoviePlayer(const TMoviePlayer&) = delete;
  TMoviePlayer& operator=(const TMoviePlayer&) = delete;

  // Loading replaces the movie and shows its frame 0, playing unless autoPlay is off (then
  // frame 0's sounds wait for the first SetPlaying(true)). A damaged movie loads what could
  // be read (see Warnings); only a file that is not a movie at all throws swf::TSwfError,
  // and then nothing is loaded.
  void LoadFile(const std::string& path, bool autoPlay = true);
  void LoadBytes(std::span<const uint8_t> bytes, bool autoPlay = true);
  void Unload();
  bool IsLoaded() const { return FRoot != nullptr; }

  // 0 when nothing is loaded.
  int TotalFrames() const;
  int CurrentFrame() const;  // from 0
  double FrameRate() const;  // frames per second; a movie's 0 reads as 12
  QSizeF StageSize() const;  // pixels
  QColor BackgroundColor() const;  // the movie's (white when it sets none)
  int SwfVersion() const;
  std::vector<std::string> Warnings() const;

  // Looping at the end of the main timeline (on by default). Sprites always loop.
  bool Loop() const { return FLoop; }
  void SetLoop(bool loop) { FLoop = loop; }
  // Whether the main timeline moves on at each tick. Halting stops the sounds; playing
  // from the last frame of a movie that does not loop starts it again from frame 0.
  bool IsPlaying() const;
  void SetPlaying(bool playing);

  // One frame of playback: the main timeline moves on when playing, sprites always do;
  // actions run and sounds of the frames entered start.
  void Tick();
  // Jumps the main timeline to a frame (clamped to the movie); that frame's actions run and
  // its sounds start, those of frames passed over do not.
  void GotoFrame(int frame);
  void StopSounds();

  // The pointer: at a point of the stage (pixels) or off it, and its button pressed and
  // released. Buttons under it change state and run their actions and sounds.
  void PointerMove(std::optional<QPointF> stagePixels);
  void PointerPress();
  void PointerRelease();
  bool PointerOverButton() const;
  // The stage pixel under a device position of an area Render draws into (nothing
  // outside the stage).
  std::optional<QPointF> StagePoint(const QRect& area, QPointF position) const;

  // How edges are drawn (TEdges::Exact by default).
  void SetEdges(TEdges edges);

  // Draws the current frame into area: background colour everywhere (the override when
  // given), the stage scaled to fit and centred, nothing outside it.
  void Render(QPainter& painter, const QRect& area,
              std::optional<QColor> background = std::nullopt);
  QImage RenderImage(const QSize& size, std::optional<QColor> background = std::nullopt);

  // Grows whenever what is shown may have changed; a view repaints when it moved.
  uint64_t ChangeCount() const;
  const TSoundMixer& Mixer() const { return FMixer; }
  // Mixes the sounds now playing into 44.1 kHz stereo samples: for a caller that is its own
  // output (TAudioMode::Silent), such as the export of a sound track.
  void MixSounds(int16_t* stereo, int frames) { FMixer.Render(stereo, frames); }
  // Sprite clips alive (the main timeline not counted).
  size_t LiveClips() const;

 private:
  void Load(std::unique_ptr<swf::TMovie> movie, bool autoPlay);
  void Process(TFrameEvents& events);  // run actions, start sounds
  void StartSounds(const std::vector<std::shared_ptr<const swf::TStartSound>>& sounds);
  // The main timeline's streaming sound follows the playhead: it runs on while frames
  // follow one another and starts again at the new frame after a jump.
  void FollowStream(int previousFrame);
  void EnsureOutput();
  // The stage's place in an area: scale from stage pixels and the top-left corner.
  std::pair<double, QPointF> Placement(const QRect& area) const;

  TAudioMode FAudioMode;
  TSoundMixer FMixer;
  std::unique_ptr<IAudioOutput> FOutput;  // opened on the first sound
  std::unique_ptr<swf::TMovie> FMovie;
  std::unique_ptr<TCharacterLibrary> FLibrary;
  std::unique_ptr<TTimelineSet> FTimelines;
  std::shared_ptr<TClip> FRoot;
  std::unique_ptr<TRenderer> FRenderer;
  std::unique_ptr<TButtonTracker> FButtons;
  std::optional<QPointF> FPointer;  // stage twips
  bool FLoop = true;
  TEdges FEdges = TEdges::Exact;
  std::vector<std::shared_ptr<const swf::TStartSound>> FPendingSounds;  // frame 0's, loaded without playing
  std::optional<TStreamSound> FStream;  // decoded when first needed
  uint64_t FLoadCount = 0;
};

}  // namespace player
