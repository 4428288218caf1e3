// Decodes a JPEG stream with libjpeg into a QImage, refusing images over a pixel limit
// before any pixel memory is taken.
#pragma once

#include <QImage>

#include <cstddef>
#include <cstdint>
#include <string>

namespace player {

// Largest picture the player decodes (pixels), whatever the file claims.
constexpr uint64_t MaxImagePixels = 16u << 20;

// An RGB32 image, or a null image with the reason in error.
QImage DecodeJpeg(const uint8_t* data, size_t size, std::string& error);

}  // namespace player
