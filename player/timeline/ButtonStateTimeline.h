// A button's state as a timeline of one frame that places the state's records, so that
// what a button shows is a display list like a sprite's, with clips of its own for the
// sprites and buttons it holds.
#pragma once

#include <cstdint>

#include "swf/reader/ButtonTypes.h"
#include "swf/reader/TimelineTypes.h"

namespace player {

// state: one of swf::ButtonUp, ButtonOver, ButtonDown.
swf::TTimeline ButtonStateTimeline(const swf::TButton& button, uint8_t state);

}  // namespace player
