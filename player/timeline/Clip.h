// A playing timeline: the main movie, one sprite instance or one button instance (whose
// timeline is the one frame of the state it shows). It holds its playhead, its display
// list and the clips of the sprites and buttons placed on it, each with its own playhead.
#pragma once

#include <cstdint>
#include <map>
#include <memory>

#include "player/timeline/DisplayState.h"
#include "player/timeline/FrameEvents.h"
#include "player/timeline/TimelineIndex.h"

namespace player {

class TTimelineSet;

class TClip : public std::enable_shared_from_this<TClip> {
 public:
  // Shows frame 0 at once; its events go to events.
  static std::shared_ptr<TClip> Create(TTimelineSet& set, TTimelineIndex& index, int nesting,
                                       TFrameEvents& events);
  ~TClip();

  uint32_t CurrentFrame() const { return FFrame; }
  uint32_t FrameCount() const { return FIndex->FrameCount(); }
  const swf::TTimeline& Timeline() const { return FIndex->Timeline(); }
  bool IsPlaying() const { return FPlaying; }
  void SetPlaying(bool playing) { FPlaying = playing; }

  const TDisplayState& DisplayList() const { return FState; }
  // The movie's timelines, which this clip's belongs to.
  TTimelineSet& Timelines() const { return FSet; }
  // The clip of the sprite or button at a depth, or null.
  const TClip* Child(uint16_t depth) const;

  // The state a button placed at depth shows (swf::ButtonUp unless the pointer is on it).
  // A new state shows its records: those at the same depth with the same character as
  // before stay as they are, the others start afresh (sprites from their first frame).
  uint8_t ButtonState(uint16_t depth) const;
  void SetButtonState(uint16_t depth, uint8_t state, TFrameEvents& events);

  // One tick of playback: this clip moves on when playing (at its last frame it goes back
  // to frame 0 when loop is set and it has more than one frame, else it halts), then the
  // sprites that were already placed tick too. Sprites always loop.
  void Tick(TFrameEvents& events, bool loop);

  // Jumps to a frame (clamped): the display list becomes that of the frame, instances that
  // were there already and still are keep their state, and the frame's actions and sounds
  // are queued. A goto to the current frame does nothing.
  void Goto(uint32_t frame, TFrameEvents& events);

 private:
  TClip(TTimelineSet& set, TTimelineIndex& index, int nesting);
  void EnterFrame(uint32_t frame, TFrameEvents& events);  // queue the frame's events
  void EnterFrame(uint32_t frame, const std::shared_ptr<const swf::TFrame>& tags,
                  TFrameEvents& events);
  void AdvanceOneFrame(TFrameEvents& events);
  // A button instance's clip turns to the timeline of another state.
  void ShowButtonState(TTimelineIndex& state, TFrameEvents& events);
  // Brings the child clips in line with FState: gone or replaced instances lose their
  // clip, new sprite and button instances get one.
  void SyncChildren(TFrameEvents& events);
  // Drops the entries of a by-depth map whose instance is no longer on the list.
  template <class TMap, class TInstanceOf>
  void ForgetGone(TMap& byDepth, TInstanceOf instanceOf) const;

  TTimelineSet& FSet;
  TTimelineIndex* FIndex;
  int FNesting;
  uint32_t FFrame = 0;
  bool FPlaying = true;
  TDisplayState FState;
  struct TChild {
    TPlacedObject Instance;  // what it was created for
    std::shared_ptr<TClip> Clip;
  };
  std::map<uint16_t, TChild> FChildren;
  std::map<uint16_t, std::pair<TPlacedObject, uint8_t>> FButtonStates;  // by depth, not up
};

}  // namespace player
