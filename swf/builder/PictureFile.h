// The bitmap of a picture file that MakePicture receives. Its first bytes decide the kind: a JPEG
// is kept as it is (DefineBitsJPEG2), a PNG is decoded into lossless premultiplied pixels
// with their alpha (DefineBitsLossless2). Anything else is refused with a message naming
// the file.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "swf/builder/SwfContent.h"

namespace swf {

// `bytes` are the file's content; `path` names it in messages.
std::shared_ptr<TBitmapData> BitmapForMovie(std::vector<uint8_t> bytes, const std::string& path);

// The largest picture file MakePicture reads.
constexpr size_t MaxPictureFileBytes = 64u << 20;

}  // namespace swf
