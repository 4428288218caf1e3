// Reads a JPEG file for DefineBitsJPEG2: its bytes, checked and measured with libjpeg's
// header reader, so a file that is not a JPEG is refused at once with a clear message.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "swf/builder/SwfContent.h"

namespace swf {

std::shared_ptr<TBitmapData> ReadJpegFile(const std::string& path);
// The same for bytes already read; `path` names the file in messages.
std::shared_ptr<TBitmapData> JpegForMovie(std::vector<uint8_t> bytes, const std::string& path);

}  // namespace swf
