// Small movies made in memory for the reader tests: tags from the bit writer wrapped in a
// header, and the compressed (CWS, ZWS) forms of a plain movie.
#pragma once

#include <cstdint>
#include <vector>

#include "swf/format/SwfTypes.h"

namespace swf::test {

// One tag, short header when it fits.
std::vector<uint8_t> Tag(uint16_t code, const std::vector<uint8_t>& body);
// A FWS movie of 550 × 400 px at 24 fps holding the given tag bytes (End appended).
std::vector<uint8_t> Movie(const std::vector<std::vector<uint8_t>>& tags, uint16_t frameCount,
                           uint8_t version = 8);
// The same movie with its body zlib-compressed (CWS) or LZMA-compressed (ZWS).
std::vector<uint8_t> ToCws(const std::vector<uint8_t>& fws);
std::vector<uint8_t> ToZws(const std::vector<uint8_t>& fws);

// Tag bodies used by several tests.
std::vector<uint8_t> PlaceNew(uint16_t depth, uint16_t id, const TMatrix& matrix = {});
std::vector<uint8_t> PlaceMove(uint16_t depth, const TMatrix& matrix);
std::vector<uint8_t> Remove(uint16_t depth);
std::vector<uint8_t> ShowFrame();

}  // namespace swf::test
