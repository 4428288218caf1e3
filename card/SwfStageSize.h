// The stage size and frame count of a SWF file, read from its uncompressed header without
// loading the movie.
#pragma once

#include <string>

// Stage width or height in pixels: Xmax or Ymax of the frame rectangle that starts at byte
// 8, divided by 20 with the remainder dropped. The signature is not examined. Throws
// std::runtime_error when the file cannot be opened or is shorter than 25 bytes.
int SwfStageWidth(const std::string& file);
int SwfStageHeight(const std::string& file);

// The frame count of an uncompressed (FWS) SWF header. Throws std::runtime_error for a file
// that cannot be opened, is not an uncompressed SWF or ends inside the header.
int SwfHeaderFrameCount(const std::string& file);
