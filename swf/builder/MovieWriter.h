// Serialises a recorded timeline as an uncompressed SWF 8 movie.
//
// Each character is shown in "runs" of consecutive frames; a run keeps one depth for its
// whole life, so a shape removed and added again on the same frame, or only moved or
// recoloured, becomes a PlaceObject2 modify carrying just what changed. Runs are stacked
// by the call order of the AddObject that began them (later in front); depths are reused
// once a run has ended, so they stay small however often objects are re-added.
// Definitions are written once, on the frame of their first use; identical shapes,
// pictures and sounds share one definition.
#pragma once

#include <cstdint>
#include <vector>

#include "swf/builder/SwfTimeline.h"
#include "swf/format/SwfTypes.h"

namespace swf {

struct TMovieSettings {
  TRect Stage;                     // twips, Xmin = Ymin = 0
  uint16_t FrameRate88 = 12 << 8;  // 8.8 fixed point
  TRgba Background{255, 255, 255, 255};
};

constexpr uint8_t MovieVersion = 8;

std::vector<uint8_t> SerializeMovie(const TMovieSettings& settings, const TSwfTimeline& timeline);

}  // namespace swf
