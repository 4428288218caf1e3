// The shared table of SWF tag test vectors: whole tags (header and body) as hex and the
// value they stand for. Reader tests turn the bytes into the value; a writer test can turn
// the value into the bytes. The bytes were checked with an independent parser.
#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "support/HexBytes.h"
#include "swf/reader/SwfTags.h"

namespace swf::test {

// A frame label is a std::string, a background colour a TRgba, FileAttributes a uint32_t.
using TTagValue = std::variant<TShape, TText, TSound, TPlaceObject, TRemoveObject, TDoAction,
                               TStartSound, TSoundStreamHead, std::string, TRgba, uint32_t>;

struct TTagVector {
  std::string Name;
  int SwfVersion = 8;
  std::string Hex;  // the complete tag
  TTagValue Value;
};

const std::vector<TTagVector>& TagVectors();

// The 79-byte movie: FWS, SWF 8, 550 × 400 px, 24 fps, one frame with a white background
// and a red 100 × 100 px square (id 1) at depth 1, translated to (2000, 1000) twips.
std::vector<uint8_t> SquareMovie();

}  // namespace swf::test
