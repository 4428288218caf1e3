// The timelines of one movie (the main one and every sprite's), with the limits that keep
// a hostile movie from creating clips without end.
#pragma once

#include <cstdint>
#include <map>
#include <memory>

#include "player/timeline/TimelineIndex.h"
#include "swf/reader/MovieTypes.h"

namespace player {

class TTimelineSet {
 public:
  // Sprites and buttons nested deeper than this, or beyond this many live clips, are not
  // instantiated (they show nothing): a sprite or button placing itself, or a tree of them
  // that multiplies at every level.
  static constexpr int MaxNesting = 32;
  static constexpr size_t MaxClips = 4096;

  explicit TTimelineSet(const swf::TMovie& movie)
      : FMovie(movie), FRoot(movie.Timeline, ReplaceRule(movie)) {}

  TTimelineIndex& Root() { return FRoot; }
  // The timeline of a sprite character, or null when the id is not a sprite.
  TTimelineIndex* Sprite(uint16_t id);
  // The one-frame timeline of a button character in a state (up, over or down), or null
  // when the id is not a button.
  TTimelineIndex* ButtonState(uint16_t id, uint8_t state);

  bool MayCreateClip(int nesting) const { return nesting <= MaxNesting && FClips < MaxClips; }
  void ClipCreated() { ++FClips; }
  void ClipDestroyed() { --FClips; }
  size_t LiveClips() const { return FClips; }

  // Counts every change of what is shown (a frame entered, an object placed or moved), so
  // a view can tell whether it must repaint.
  uint64_t ChangeCount() const { return FChanges; }
  void Changed() { ++FChanges; }

 private:
  // Only shapes swap their character on a replace.
  static TReplaceRule ReplaceRule(const swf::TMovie& movie) {
    return [&movie](uint16_t from, uint16_t to) {
      return movie.Find<swf::TShape>(from) != nullptr && movie.Find<swf::TShape>(to) != nullptr;
    };
  }

  const swf::TMovie& FMovie;
  TTimelineIndex FRoot;
  std::map<uint16_t, std::unique_ptr<TTimelineIndex>> FSprites;
  struct TButtonState {
    std::unique_ptr<swf::TTimeline> Timeline;  // the index refers to it
    std::unique_ptr<TTimelineIndex> Index;
  };
  std::map<std::pair<uint16_t, uint8_t>, TButtonState> FButtonStates;
  size_t FClips = 0;
  uint64_t FChanges = 0;
};

}  // namespace player
