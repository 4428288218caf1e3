// Reading a BMP or JPEG picture to show it small on screen (the picture panel's thumbnail):
// any size the examiner would refuse is still shown, within bounds that keep a hostile
// file from taking unbounded memory.
#pragma once

#include <string>

#include "render/RgbPicture.h"

// The picture at `path`, at most about maxSide pixels on its longer side for a JPEG (which
// is shrunk while decoding); a bitmap comes at its own size, up to 4096 x 4096. Throws
// TPictureError for a file that is missing, damaged, too large or of another kind.
TRgbPicture ReadPreviewPicture(const std::string& path, int maxSide = 512);
