// Turns a parsed bitmap definition (JPEG, JPEG with alpha, lossless) into a premultiplied
// QImage the renderer can paint.
#pragma once

#include <QImage>

#include <cstdint>
#include <span>
#include <string>

#include "swf/reader/BitmapTypes.h"

namespace player {

// A Format_ARGB32_Premultiplied image, or a null image with the reason in error (bad data,
// an image larger than MaxImagePixels).
QImage DecodeBitmap(const swf::TBitmap& bitmap, std::span<const uint8_t> jpegTables,
                    std::string& error);

}  // namespace player
