// PNG pictures for DefineBitsLossless2: decoded with libpng's simplified reader into 8-bit
// pixels (every colour type and depth, transparency kept), premultiplied and compressed.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "swf/builder/SwfContent.h"

namespace swf {

// True when the bytes begin with the PNG signature.
bool IsPngData(const std::vector<uint8_t>& bytes);

// The lossless bitmap of a PNG file's bytes; `path` names the file in messages. Throws
// TSwfError for a damaged file or one larger than a movie bitmap may be (65535 pixels a side,
// 64 million pixels).
std::shared_ptr<TBitmapData> DecodePngForMovie(const std::vector<uint8_t>& bytes, const std::string& path);

}  // namespace swf
