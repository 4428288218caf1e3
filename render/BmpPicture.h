// BMP pictures: the declared size from the header alone, and the decoding by Qt's built-in
// bitmap reader (no display needed). The files are untrusted: the header is checked against
// the file's length before the reader is asked to decode it.
#pragma once

#include <string>

#include "render/RgbPicture.h"

// The size the bitmap at `path` declares. Throws TPictureError when the file cannot be
// opened, is not a Windows or OS/2 bitmap, declares no pixels, or is shorter than its
// uncompressed pixel rows need.
TPictureSize ReadBmpSize(const std::string& path);

// Decodes the bitmap at `path` (call ReadBmpSize first: this takes memory for its declared
// size). Throws TPictureError when the reader refuses it.
TRgbPicture DecodeBmp(const std::string& path);
