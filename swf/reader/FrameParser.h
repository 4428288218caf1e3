// The tags that belong to a frame (place, remove, actions, sounds, labels, sound stream),
// parsed into a TFrame: shared by a timeline read whole and one read on demand.
#pragma once

#include <cstddef>
#include <cstdint>

#include "swf/reader/SwfFile.h"
#include "swf/reader/TimelineTypes.h"

namespace swf {

// Parses a control tag whose body lies at tag.BodyOffset of data into frame. Returns the
// parsed elements it added (for the movie's budget), 0 for a tag that is not a control
// tag. Throws TSwfError on bad data, leaving frame as it was.
size_t ReadControlTag(const TTagRecord& tag, const uint8_t* data, int swfVersion, TFrame& frame);

}  // namespace swf
