// The orientation a camera records in a JPEG's EXIF block, and turning pixels upright by it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace media {

// The EXIF orientation of the JPEG file (1 to 8; 1 = upright). 1 when the file has no EXIF
// block or a damaged one: a bad block never stops a picture from being used.
int JpegOrientation(const std::string& path);
// The same for the file's first bytes.
int JpegOrientationOf(const std::vector<std::uint8_t>& head);

// True for the orientations that swap width and height (5 to 8).
inline bool OrientationTurns(int orientation) { return orientation >= 5 && orientation <= 8; }

// Pixels of `channels` bytes each, rows from the top, shown upright: mirrored and turned as
// `orientation` says. width and height become the upright size.
std::vector<std::uint8_t> OrientPixels(const std::vector<std::uint8_t>& pixels, int& width, int& height, int channels,
                                       int orientation);

}  // namespace media
