// Limits and checks shared by the tag parsers: counts from the file are checked against the
// bytes left before anything is allocated for them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "swf/format/SwfBitReader.h"

namespace swf {

// Records of one kind in one tag (shape records, text records, actions).
constexpr size_t MaxRecordsPerTag = 1u << 20;

// Throws unless count items of at least minBytes each fit in what is left of the reader.
inline void CheckCount(const TSwfBitReader& r, uint64_t count, size_t minBytes, const char* what) {
  if (count * minBytes > r.Remaining())
    r.Fail(std::to_string(count) + " " + what + " cannot fit in the " +
           std::to_string(r.Remaining()) + " bytes left");
}

}  // namespace swf

namespace swf {

// A reader over bytes [begin, end) of r's span (positions as r.Position() counts them),
// keeping the file offsets of error messages right. Throws if the range is outside r.
inline TSwfBitReader SubReader(const TSwfBitReader& r, size_t begin, size_t end, int tagCode) {
  size_t total = r.Position() + r.Remaining();
  if (begin > end || end > total)
    r.Fail("A range from " + std::to_string(begin) + " to " + std::to_string(end) +
           " lies outside the " + std::to_string(total) + " bytes of the tag");
  const uint8_t* start = r.Current() - r.Position();
  int64_t base = r.FileOffset() - static_cast<int64_t>(r.Position());
  return TSwfBitReader(start + begin, end - begin, base + static_cast<int64_t>(begin), tagCode);
}

}  // namespace swf
