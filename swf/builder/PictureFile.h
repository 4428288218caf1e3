// Reads the picture file that MakePicture receives. Its first bytes decide the kind: a JPEG
// is kept as it is (DefineBitsJPEG2), a PNG is decoded into lossless premultiplied pixels
// with their alpha (DefineBitsLossless2). Anything else is refused with a message naming
// the file.
#pragma once

#include <memory>
#include <string>

#include "swf/builder/SwfContent.h"

namespace swf {

std::shared_ptr<TBitmapData> ReadPictureFile(const std::string& path);

}  // namespace swf
