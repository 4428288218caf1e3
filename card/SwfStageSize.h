// The stage size and frame count of a SWF file, read from its uncompressed header without
// loading the movie.
#pragma once

#include <string>

// Stage width or height in pixels: Xmax or Ymax of the frame rectangle, divided by 20 with
// the remainder dropped. A compressed movie (CWS, ZWS) is unpacked to find it; any other
// file is read as uncompressed, its rectangle starting at byte 8. Throws
// std::runtime_error when the file cannot be opened or read that far.
int SwfStageWidth(const std::string& file);
int SwfStageHeight(const std::string& file);

// The frame count of an uncompressed (FWS) SWF header. Throws std::runtime_error for a file
// that cannot be opened, is not an uncompressed SWF or ends inside the header.
int SwfHeaderFrameCount(const std::string& file);
