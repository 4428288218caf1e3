#include "player/MoviePlayer.h"

#include <algorithm>
#include <utility>

#include "player/button/ButtonTracker.h"
#include "player/render/CharacterLibrary.h"
#include "player/render/Renderer.h"
#include "player/timeline/ActionRunner.h"
#include "player/timeline/Clip.h"
#include "player/timeline/TimelineSet.h"
#include "swf/reader/MovieParser.h"

namespace player {

namespace {

// The mixer's id of the streaming sound (event sounds use the movie's ids, 0..65535).
constexpr int StreamSoundId = -1;

}  // namespace

TMoviePlayer::TMoviePlayer(TAudioMode audio) : FAudioMode(audio) {}

TMoviePlayer::~TMoviePlayer() {
  FOutput.reset();  // the device thread reads the mixer: stop it first
  Unload();
}

void TMoviePlayer::LoadFile(const std::string& path, bool autoPlay) {
  Unload();
  Load(std::make_unique<swf::TMovie>(swf::LoadMovieFile(path, swf::TTimelineReading::OnDemand)), autoPlay);
}

void TMoviePlayer::LoadBytes(std::span<const uint8_t> bytes, bool autoPlay) {
  Unload();
  Load(std::make_unique<swf::TMovie>(swf::LoadMovie(bytes, swf::TTimelineReading::OnDemand)), autoPlay);
}

void TMoviePlayer::Load(std::unique_ptr<swf::TMovie> movie, bool autoPlay) {
  Unload();
  FMovie = std::move(movie);
  FLibrary = std::make_unique<TCharacterLibrary>(*FMovie);
  FTimelines = std::make_unique<TTimelineSet>(*FMovie);
  FRenderer = std::make_unique<TRenderer>(*FLibrary, FMovie->Header.Version);
  FRenderer->SetEdges(FEdges);
  FButtons = std::make_unique<TButtonTracker>();
  TFrameEvents events;
  FRoot = TClip::Create(*FTimelines, FTimelines->Root(), 0, events);
  ++FLoadCount;
  if (!autoPlay) {
    FRoot->SetPlaying(false);
    FPendingSounds = std::move(events.Sounds);
    events.Sounds.clear();
  }
  Process(events);
  FollowStream(-1);
}

void TMoviePlayer::Unload() {
  FMixer.StopAll();
  FPendingSounds.clear();
  FStream.reset();
  // Clips refer to the timelines, the renderer to the library, both to the movie.
  FButtons.reset();
  FPointer.reset();
  FRoot.reset();
  FRenderer.reset();
  FTimelines.reset();
  FLibrary.reset();
  FMovie.reset();
}

int TMoviePlayer::TotalFrames() const {
  return FRoot ? static_cast<int>(FRoot->FrameCount()) : 0;
}

int TMoviePlayer::CurrentFrame() const {
  return FRoot ? static_cast<int>(FRoot->CurrentFrame()) : 0;
}

double TMoviePlayer::FrameRate() const {
  const double rate = FMovie ? FMovie->FramesPerSecond() : 0;
  return rate > 0 ? rate : 12;
}

QSizeF TMoviePlayer::StageSize() const {
  if (!FMovie) return {};
  const swf::TRect& r = FMovie->Header.FrameSize;
  return QSizeF(std::max(0.0, (static_cast<double>(r.XMax) - r.XMin) / 20),
                std::max(0.0, (static_cast<double>(r.YMax) - r.YMin) / 20));
}

QColor TMoviePlayer::BackgroundColor() const {
  if (!FMovie || !FMovie->BackgroundColor) return Qt::white;
  const swf::TRgba& c = *FMovie->BackgroundColor;
  return QColor(c.R, c.G, c.B);
}

int TMoviePlayer::SwfVersion() const { return FMovie ? FMovie->Header.Version : 0; }

std::vector<std::string> TMoviePlayer::Warnings() const {
  std::vector<std::string> warnings;
  if (FMovie) warnings = FMovie->Warnings;
  if (FLibrary) warnings.insert(warnings.end(), FLibrary->Warnings().begin(), FLibrary->Warnings().end());
  return warnings;
}

bool TMoviePlayer::IsPlaying() const { return FRoot && FRoot->IsPlaying(); }

void TMoviePlayer::SetPlaying(bool playing) {
  if (!FRoot) return;
  if (playing && !FRoot->IsPlaying() && !FLoop && FRoot->FrameCount() > 1 &&
      FRoot->CurrentFrame() + 1 >= FRoot->FrameCount()) {
    GotoFrame(0);
  }
  FRoot->SetPlaying(playing);
  if (!playing) {
    StopSounds();
  } else {
    if (!FPendingSounds.empty()) StartSounds(std::exchange(FPendingSounds, {}));
    FollowStream(-1);
  }
}

void TMoviePlayer::SetEdges(TEdges edges) {
  FEdges = edges;
  if (FRenderer) FRenderer->SetEdges(edges);
}

void TMoviePlayer::Tick() {
  if (!FRoot) return;
  FPendingSounds.clear();
  const int previous = CurrentFrame();
  TFrameEvents events;
  FRoot->Tick(events, FLoop);
  Process(events);
  // What lies under a pointer that stays put may have changed with the frame.
  if (FButtons->OverButton() || FPointer) {
    TFrameEvents pointer;
    FButtons->Move(*FLibrary, *FRoot, FPointer, pointer);
    Process(pointer);
  }
  FollowStream(previous);
}

void TMoviePlayer::GotoFrame(int frame) {
  if (!FRoot) return;
  FPendingSounds.clear();
  TFrameEvents events;
  FRoot->Goto(static_cast<uint32_t>(std::max(frame, 0)), events);
  Process(events);
  FMixer.Stop(StreamSoundId);  // the stream picks up again at the next tick
}

void TMoviePlayer::StopSounds() { FMixer.StopAll(); }

void TMoviePlayer::Process(TFrameEvents& events) {
  TActionRunner runner([this] { StopSounds(); });
  runner.Run(events);
  StartSounds(events.Sounds);
}

void TMoviePlayer::StartSounds(const std::vector<std::shared_ptr<const swf::TStartSound>>& sounds) {
  if (FAudioMode == TAudioMode::None) return;
  for (const auto& start : sounds) {
    if (!start->ClassName.empty() && start->SoundId == 0) continue;  // by class: not resolvable
    const uint16_t id = start->SoundId;
    if (start->Info.SyncStop) {
      FMixer.Stop(id);
      continue;
    }
    if (start->Info.SyncNoMultiple && FMixer.IsPlaying(id)) continue;
    std::shared_ptr<const TPcmSound> sound = FLibrary->Sound(id);
    if (!sound) continue;
    TSoundPlayback how;
    how.InPoint = start->Info.InPoint.value_or(0);
    how.OutPoint = start->Info.OutPoint.value_or(0);
    how.Loops = start->Info.LoopCount.value_or(1);
    EnsureOutput();
    FMixer.Start(id, std::move(sound), how);
  }
}

void TMoviePlayer::EnsureOutput() {
  if (!FOutput) {
    FOutput = FAudioMode == TAudioMode::Device ? OpenAudioOutput(FMixer) : SilentAudioOutput();
  }
}

void TMoviePlayer::FollowStream(int previousFrame) {
  if (FAudioMode == TAudioMode::None || !FRoot) return;
  if (!FRoot->IsPlaying()) {
    FMixer.Stop(StreamSoundId);
    return;
  }
  const int frame = CurrentFrame();
  if (frame == previousFrame + 1 && FMixer.IsPlaying(StreamSoundId)) return;
  if (!FStream) FStream = DecodeStreamSound(FMovie->Timeline);
  if (!FStream->Sound) return;
  FMixer.Stop(StreamSoundId);
  TSoundPlayback how;
  how.InPoint = FStream->InPointOf(static_cast<uint32_t>(frame));
  EnsureOutput();
  FMixer.Start(StreamSoundId, FStream->Sound, how);
}

void TMoviePlayer::PointerMove(std::optional<QPointF> stagePixels) {
  if (!FRoot) return;
  const swf::TRect& frame = FMovie->Header.FrameSize;
  FPointer.reset();
  if (stagePixels) FPointer = *stagePixels * 20 + QPointF(frame.XMin, frame.YMin);
  TFrameEvents events;
  FButtons->Move(*FLibrary, *FRoot, FPointer, events);
  Process(events);
}

void TMoviePlayer::PointerPress() {
  if (!FRoot) return;
  TFrameEvents events;
  FButtons->Press(events);
  Process(events);
}

void TMoviePlayer::PointerRelease() {
  if (!FRoot) return;
  TFrameEvents events;
  FButtons->Release(*FLibrary, *FRoot, events);
  Process(events);
}

bool TMoviePlayer::PointerOverButton() const { return FButtons && FButtons->OverButton(); }

std::pair<double, QPointF> TMoviePlayer::Placement(const QRect& area) const {
  // "Show all": the whole stage fits, proportions kept, centred.
  const QSizeF stage = StageSize();
  const double scale = std::min(area.width() / stage.width(), area.height() / stage.height());
  return {scale, QPointF(area.x() + (area.width() - stage.width() * scale) / 2,
                         area.y() + (area.height() - stage.height() * scale) / 2)};
}

std::optional<QPointF> TMoviePlayer::StagePoint(const QRect& area, QPointF position) const {
  const QSizeF stage = StageSize();
  if (!FRoot || stage.isEmpty() || area.isEmpty()) return std::nullopt;
  const auto [scale, topLeft] = Placement(area);
  const QPointF point = (position - topLeft) / scale;
  if (point.x() < 0 || point.y() < 0 || point.x() >= stage.width() || point.y() >= stage.height())
    return std::nullopt;
  return point;
}

void TMoviePlayer::Render(QPainter& painter, const QRect& area, std::optional<QColor> background) {
  painter.save();
  painter.fillRect(area, background.value_or(BackgroundColor()));
  const QSizeF stage = StageSize();
  if (FRoot && stage.width() > 0 && stage.height() > 0 && !area.isEmpty()) {
    const auto [scale, topLeft] = Placement(area);
    const QRectF shown(topLeft, stage * scale);
    const swf::TRect& frame = FMovie->Header.FrameSize;
    const QTransform toDevice = QTransform::fromTranslate(-frame.XMin, -frame.YMin) *
                                QTransform::fromScale(scale / 20, scale / 20) *
                                QTransform::fromTranslate(shown.x(), shown.y());
    painter.setClipRect(shown, Qt::IntersectClip);
    FRenderer->Draw(painter, *FRoot, toDevice);
  }
  painter.restore();
}

QImage TMoviePlayer::RenderImage(const QSize& size, std::optional<QColor> background) {
  QImage image(size, QImage::Format_ARGB32_Premultiplied);
  if (image.isNull()) return image;
  QPainter painter(&image);
  Render(painter, image.rect(), background);
  painter.end();
  return image;
}

size_t TMoviePlayer::LiveClips() const {
  return FTimelines ? FTimelines->LiveClips() - (FRoot ? 1 : 0) : 0;
}

uint64_t TMoviePlayer::ChangeCount() const {
  return (FTimelines ? FTimelines->ChangeCount() : 0) + (FLoadCount << 40);
}

}  // namespace player
