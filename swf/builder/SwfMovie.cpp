#include "swf/builder/SwfMovie.h"

#include <algorithm>
#include <atomic>
#include <cmath>

#include "swf/builder/FileIo.h"
#include "swf/builder/SwfAction.h"
#include "swf/builder/SwfObject.h"
#include "swf/format/SwfError.h"

namespace swf {
namespace {

constexpr int MaxFrame = 65534;  // the frame count is a u16
constexpr int MaxStageTwips = 1073741823;

std::atomic<uint64_t> FrameVisits{1};
// Every movie started (made or cleared) gets its own number, so content bound to one
// movie is never taken for content of another.
std::atomic<uint64_t> MovieStarts{0};

int ClampByte(int v) { return std::clamp(v, 0, 255); }

}  // namespace

TSwfMovie::TSwfMovie() : FGeneration(++MovieStarts) {
  FSettings.Stage = {0, 550 * TwipsPerPixel, 0, 400 * TwipsPerPixel};
}

uint64_t TSwfMovie::FrameVisit() { return FrameVisits.load(); }

uint64_t TSwfMovie::MovieCount() { return MovieStarts.load(); }

int TSwfMovie::RoundFrame(double frame) {
  if (std::isnan(frame) || frame < -0.5 || frame > MaxFrame + 0.5) {
    throw TSwfError("Frame number out of range (0 to " + std::to_string(MaxFrame) +
                    "): " + std::to_string(frame));
  }
  // The default rounding mode rounds half to even.
  double rounded = std::nearbyint(frame);
  return static_cast<int>(std::clamp(rounded, 0.0, static_cast<double>(MaxFrame)));
}

void TSwfMovie::SetSize(int width, int height) {
  if (width < 0 || height < 0 || width > MaxStageTwips || height > MaxStageTwips) {
    throw TSwfError("Stage size out of range: " + std::to_string(width) + " x " + std::to_string(height) +
                    " twips");
  }
  FSettings.Stage = {0, width, 0, height};
}

void TSwfMovie::SetFrameRate(int framesPerSecond) {
  if (framesPerSecond < 1 || framesPerSecond > 255) {
    throw TSwfError("Frame rate out of range (1 to 255): " + std::to_string(framesPerSecond));
  }
  FSettings.FrameRate88 = static_cast<uint16_t>(framesPerSecond << 8);
}

void TSwfMovie::SetFrameBkColor(int red, int green, int blue) {
  FSettings.Background = {static_cast<uint8_t>(ClampByte(red)), static_cast<uint8_t>(ClampByte(green)),
                          static_cast<uint8_t>(ClampByte(blue)), 255};
}

void TSwfMovie::GotoFrame(double frame) {
  FFrame = RoundFrame(frame);
  FrameVisits.fetch_add(1);
}

TSwfObject& TSwfMovie::Own(ISwfObject& object) const {
  auto* own = dynamic_cast<TSwfObject*>(&object);
  if (!own) throw TSwfError("The movie can only place objects of its own builder");
  return *own;
}

bool TSwfMovie::Holds(TSwfObject& object) const {
  if (!object.FContent || object.FFinished) return false;
  if (!object.FMovie) {
    object.FMovie = this;
    object.FMovieGeneration = FGeneration;
  }
  return object.FMovie == this && object.FMovieGeneration == FGeneration;
}

void TSwfMovie::AddObject(ISwfObject& object) {
  TSwfObject& obj = Own(object);
  FTimeline.UseFrame(FFrame);
  if (!Holds(obj)) return;
  using TLastCall = TSwfObject::TLastCall;
  TLastCall previous = obj.FLastCall;
  bool frameStep = obj.FVisitAtRemove == FrameVisit();  // removed since the last GotoFrame
  if (obj.FContent->Kind == TContentKind::Sound) {
    FTimeline.StartSound(FFrame, obj.FContent);
    obj.FLastCall = TLastCall::Add;
    obj.FFinished = true;
    return;
  }
  FTimeline.Of(obj.FContent).Add(FFrame, obj.CurrentPlacement(), FTimeline.NextSeq());
  obj.FLastCall = frameStep ? TLastCall::FrameStepAdd : TLastCall::Add;
  bool addedTwice = previous == TLastCall::Add || previous == TLastCall::FrameStepAdd;
  bool placedWhereMade = previous == TLastCall::Make && obj.FVisitAtMake == FrameVisit();
  if (!frameStep && (addedTwice || placedWhereMade)) obj.FFinished = true;
}

void TSwfMovie::RemoveObject(ISwfObject& object) {
  TSwfObject& obj = Own(object);
  FTimeline.UseFrame(FFrame);
  // Even a removal that finds nothing makes the next AddObject on this frame a frame step.
  obj.FVisitAtRemove = FrameVisit();
  if (!Holds(obj)) return;
  if (obj.FLastCall == TSwfObject::TLastCall::Remove) {
    obj.FFinished = true;  // the content already left with the first removal
    return;
  }
  obj.FLastCall = TSwfObject::TLastCall::Remove;
  RemoveGroup(obj);
}

void TSwfMovie::RemoveGroup(TSwfObject& obj) {
  const auto live = [&](const TContentPtr& character) -> TContentTimeline* {
    TContentTimeline* line = FTimeline.Find(character.get());
    return line && line->LastAddFrame() >= 0 && !line->EndedAfterLastAdd() ? line : nullptr;
  };
  // Letters made since the last removal that are no longer current join the earlier ones
  // (those that left, or never came, need no more attention).
  for (const TContentPtr& character : obj.FGroup) {
    if (character == obj.FContent) continue;
    if (TContentTimeline* line = live(character)) obj.FEarlierLetters.emplace(line->LastAddFrame(), character);
  }
  obj.FGroup.assign(1, obj.FContent);

  // An earlier letter shown on the current frame from an earlier one leaves now. One still
  // placed on or after this frame stays: the text's closing removal takes it away after its
  // last placement, and a text that instead stays to the movie's end (placed once more on
  // its last frame) keeps it, even when a stop frame added later makes the movie longer.
  const auto leaving = obj.FEarlierLetters.lower_bound(FFrame);
  for (auto it = obj.FEarlierLetters.begin(); it != leaving; ++it) {
    if (TContentTimeline* line = live(it->second)) line->Remove(FFrame);
  }
  obj.FEarlierLetters.erase(obj.FEarlierLetters.begin(), leaving);

  if (TContentTimeline* line = live(obj.FContent)) {
    const int lastAdd = line->LastAddFrame();
    if (lastAdd < FFrame) {
      line->Remove(FFrame);
    } else if (lastAdd > FFrame) {
      line->Remove(lastAdd + 1);  // past the movie's end it is simply never written
    }
  }
}

void TSwfMovie::AddAction(ISwfAction& action) {
  auto* own = dynamic_cast<TSwfAction*>(&action);
  if (!own) throw TSwfError("The movie can only add actions of its own builder");
  FTimeline.UseFrame(FFrame);
  if (!own->Codes().empty()) FTimeline.AddAction(FFrame, own->Codes());
}

std::vector<uint8_t> TSwfMovie::MovieBytes() const { return SerializeMovie(FSettings, FTimeline); }

void TSwfMovie::WriteMovie(const std::string& path) {
  struct TClearAtEnd {
    TSwfMovie& Movie;
    ~TClearAtEnd() { Movie.Clear(); }
  } clearAtEnd{*this};
  WriteFileAtomically(path, MovieBytes(), "movie");
}

void TSwfMovie::Clear() {
  FTimeline.Clear();
  FFrame = 0;
  FGeneration = ++MovieStarts;
}

}  // namespace swf
