// JPEG decoding and encoding with libjpeg. The files are untrusted: the declared size is
// checked before any pixel memory is taken, a damaged or cut-short file is an error with a
// clear text (never a process exit), and the decoder's memory and scan count are capped.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "render/RgbPicture.h"

// The outcome of decoding: the declared size always; the pixels only when the size was
// within the limit (Pixels empty and TooLarge set otherwise).
struct TJpegDecoding {
  TPictureSize Declared;
  bool TooLarge = false;
  TRgbPicture Picture;
};

// Reads the JPEG file at `path`. A picture wider than maxWidth or higher than maxHeight is
// not decoded. Throws TPictureError when the file cannot be opened or is not a whole JPEG.
TJpegDecoding DecodeJpeg(const std::string& path, int maxWidth, int maxHeight);

// Reads the JPEG file at `path` shrunk while decoding to 1/1, 1/2, 1/4 or 1/8 of its size,
// the largest whose sides are at most maxSide pixels (for showing it small). TooLarge when
// even 1/8 is larger.
TJpegDecoding DecodeJpegReduced(const std::string& path, int maxSide);

// Reads the JPEG file at `path` shrunk while decoding by 1/2, 1/4 or 1/8 as far as its sides
// stay at least minWidth x minHeight (a large photo decoded in a fraction of its memory).
TJpegDecoding DecodeJpegAtLeast(const std::string& path, int minWidth, int minHeight);

// The size the JPEG file's header declares. Throws TPictureError as DecodeJpeg does.
TPictureSize ReadJpegSize(const std::string& path);

// The JPEG data (baseline, 4:2:0) of `picture` at the given quality (0..100).
std::vector<std::uint8_t> EncodeJpeg(const TRgbPicture& picture, int quality);

// Writes `bytes` to `path` through a temporary file beside it, so a failed write leaves the
// previous file as it was. Throws TPictureError.
void WriteFileReplacing(const std::string& path, const std::vector<std::uint8_t>& bytes);
