// A readable account of a movie: header, tag list and the display list of every frame,
// as text or as a JSON document (what "greetix-cli info" prints).
#pragma once

#include <string>

#include "swf/reader/SwfFile.h"

namespace swf {

std::string DescribeMovie(const TSwfFile& file, bool json = false);

}  // namespace swf
