// Turns a loaded file into a parsed movie: definitions into the dictionary, control tags
// into the frames of the main timeline and of each sprite.
#pragma once

#include <span>
#include <string>

#include "swf/reader/MovieTypes.h"
#include "swf/reader/SwfFile.h"

namespace swf {

// How the main timeline is kept: parsed whole (Frames), or as its tags' bytes, each frame
// parsed when asked for (Store), so a player's memory does not grow with a movie's length.
enum class TTimelineReading { Whole, OnDemand };

// Never throws for a bad tag: the tag is skipped and the error noted in Warnings, so a
// damaged movie yields what could be read. The file's own warnings come first.
TMovie ParseMovie(const TSwfFile& file, TTimelineReading reading = TTimelineReading::Whole);

// Load and parse in one step; throws TSwfError only when the header cannot be read.
TMovie LoadMovie(std::span<const uint8_t> bytes, TTimelineReading reading = TTimelineReading::Whole);
TMovie LoadMovieFile(const std::string& path, TTimelineReading reading = TTimelineReading::Whole);

}  // namespace swf
