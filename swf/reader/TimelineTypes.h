// A timeline (the movie's or a sprite's) as frames of control tags. A frame is the tags
// between two ShowFrames; frames are counted from 0.
#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "swf/reader/ActionTypes.h"
#include "swf/reader/PlaceTypes.h"
#include "swf/reader/SoundTypes.h"

namespace swf {

using TDisplayTag = std::variant<TPlaceObject, TRemoveObject>;

struct TFrame {
  std::vector<TDisplayTag> DisplayTags;  // in file order
  std::vector<TDoAction> Actions;        // run after the display tags
  std::vector<TStartSound> Sounds;       // started when the frame is entered
  std::optional<std::string> Label;      // FrameLabel (first one kept)
  std::optional<TSoundStreamHead> StreamHead;
  std::vector<TSoundStreamBlock> StreamBlocks;
  bool Empty() const {
    return DisplayTags.empty() && Actions.empty() && Sounds.empty() && !Label && !StreamHead &&
           StreamBlocks.empty();
  }
};

class TFrameStore;

struct TTimeline {
  // Frames the timeline plays (the header's count, 0 read as 1). Frames holds the parsed
  // frames; any frame from Frames.size() up to FrameCount is empty.
  uint32_t FrameCount = 1;
  std::vector<TFrame> Frames;
  // A timeline read on demand keeps its frames here instead, and Frames stays empty.
  std::shared_ptr<const TFrameStore> Store;

  // A frame of a timeline read whole (an empty frame beyond Frames); throws
  // std::logic_error for one read on demand, whose frames only FrameAt gives.
  const TFrame& Frame(uint32_t index) const;
  // Frames that hold tags (those after them up to FrameCount are empty).
  uint32_t FramesKept() const;
  // Any frame; one read on demand is parsed for this call and lives as long as the pointer.
  std::shared_ptr<const TFrame> FrameAt(uint32_t index) const;
  // The 0-based frame carrying the label (ASCII case-insensitive, first match), or -1.
  int64_t FindLabel(const std::string& label) const;
};

// DefineSprite: a movie clip with its own timeline.
struct TSprite {
  uint16_t Id = 0;
  TTimeline Timeline;
};

}  // namespace swf
