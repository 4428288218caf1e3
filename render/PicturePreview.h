// Reading a picture of any kind the examiner reads to show it small on screen (the picture
// panel's thumbnail): any size the examiner would refuse is still shown, within bounds that
// keep a hostile file from taking unbounded memory.
#pragma once

#include <string>

#include "render/RgbPicture.h"

// The picture at `path` (told by its content, a JPEG turned upright), at most about maxSide
// pixels on its longer side (a JPEG is shrunk while decoding, other kinds are scaled to fit;
// an animation shows its first frame, transparency over white); a bitmap comes at its own
// size, up to 4096 x 4096. Throws TPictureError for a file that is missing, damaged, too
// large or of a kind no decoder reads.
TRgbPicture ReadPreviewPicture(const std::string& path, int maxSide = 512);
