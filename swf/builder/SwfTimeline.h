// The movie's timeline as the builder records it: for every character, its additions and
// removals per frame in call order; sounds started and actions added per frame. Frames may
// be recorded in any order; the writer turns this into display-list tags.
#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <utility>
#include <vector>

#include "swf/builder/SwfContent.h"
#include "swf/format/SwfTypes.h"

namespace swf {

// Where and in which colours a shape is shown.
struct TPlacement {
  TMatrix Matrix;
  TCxForm CxForm;
  // The FILTERLIST of a PlaceObject3 without its count byte's tag: empty for no filters.
  std::vector<uint8_t> Filters;
  bool operator==(const TPlacement&) const = default;
};

struct TTimelineEvent {
  bool IsAdd = false;
  TPlacement Placement;  // for additions
  uint64_t Seq = 0;      // call order of the addition: later ones lie in front
};

struct TFrameEvent {
  int Frame = 0;
  TTimelineEvent Event;
};

// One character's additions and removals. State at a frame = the last event at or before
// it: an addition shows it (with that placement), a removal hides it. Kept in one vector
// ordered by frame, then call order: a movie is built and dropped at every edit, and one
// allocation per character instead of one per frame keeps that cheap.
class TContentTimeline {
 public:
  explicit TContentTimeline(TContentPtr character) : FCharacter(std::move(character)) {}

  const TContentPtr& Character() const { return FCharacter; }
  // By frame, then in call order.
  const std::vector<TFrameEvent>& Events() const { return FEvents; }

  void Add(int frame, const TPlacement& placement, uint64_t seq);
  void Remove(int frame);
  // The highest frame with an addition, or -1.
  int LastAddFrame() const { return FLastAddFrame; }
  // Whether a removal follows the character's last addition.
  bool EndedAfterLastAdd() const;

 private:
  TContentPtr FCharacter;
  void Insert(int frame, TTimelineEvent event);

  std::vector<TFrameEvent> FEvents;
  int FLastAddFrame = -1;
};

struct TSoundStart {
  int Frame = 0;
  TContentPtr Sound;
};

struct TFrameAction {
  int Frame = 0;
  std::vector<uint8_t> ActionCodes;
};

class TSwfTimeline {
 public:
  // The character's timeline, made on first use.
  TContentTimeline& Of(const TContentPtr& character);
  TContentTimeline* Find(const TContent* character);
  // Shape characters in the order they were first recorded.
  const std::vector<std::unique_ptr<TContentTimeline>>& Shapes() const { return FShapes; }
  const std::vector<TSoundStart>& Sounds() const { return FSounds; }
  const std::vector<TFrameAction>& Actions() const { return FActions; }

  void StartSound(int frame, const TContentPtr& sound) { FSounds.push_back({frame, sound}); }
  void AddAction(int frame, std::vector<uint8_t> codes) { FActions.push_back({frame, std::move(codes)}); }
  // Marks a frame on which an operation acted; the movie runs to the highest one.
  void UseFrame(int frame) { FLastFrame = std::max(FLastFrame, frame); }
  int LastFrame() const { return FLastFrame; }
  uint64_t NextSeq() { return ++FSeq; }
  void Clear();

 private:
  std::vector<std::unique_ptr<TContentTimeline>> FShapes;
  std::unordered_map<const TContent*, TContentTimeline*> FIndex;
  std::vector<TSoundStart> FSounds;
  std::vector<TFrameAction> FActions;
  int FLastFrame = 0;
  uint64_t FSeq = 0;
};

}  // namespace swf
