// The container layer of a movie: the signature, decompression (zlib for CWS, LZMA for ZWS),
// the header and the list of tag records. Every tag is kept as raw bytes, known or not.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "swf/format/SwfTypes.h"

namespace swf {

// Upper bound on the uncompressed size of a movie, whatever its header says.
constexpr size_t MaxMovieSize = 256u << 20;

// Upper bound on the number of tag records read from one run of tags.
constexpr size_t MaxTagsPerRun = 4u << 20;

// Offsets fit 32 bits because a movie never exceeds MaxMovieSize.
struct TTagRecord {
  uint16_t Code = 0;
  uint32_t Offset = 0;      // of the tag header in the uncompressed file
  uint32_t BodyOffset = 0;  // of the body in the uncompressed file
  uint32_t BodySize = 0;
  uint32_t HeaderSize() const { return BodyOffset - Offset; }
};

class TSwfFile {
 public:
  // Loads a movie from its bytes. Throws TSwfError only when not even the header can be
  // read (not a movie, empty, broken compression at the start); otherwise keeps what
  // could be read and notes each problem in Warnings.
  static TSwfFile FromBytes(std::span<const uint8_t> bytes);
  static TSwfFile FromFile(const std::string& path);  // also throws when unreadable

  const THeader& Header() const { return FHeader; }
  // The header's frame count with 0 read as 1.
  uint32_t FrameCount() const { return FHeader.FrameCount == 0 ? 1 : FHeader.FrameCount; }
  // The uncompressed file: signature, version, length, then header and tags.
  const std::vector<uint8_t>& Data() const { return FData; }
  // The top-level tags in file order, up to and including End.
  const std::vector<TTagRecord>& Tags() const { return FTags; }
  std::span<const uint8_t> Body(const TTagRecord& tag) const {
    return {FData.data() + tag.BodyOffset, tag.BodySize};
  }
  const std::vector<std::string>& Warnings() const { return FWarnings; }

  // Slices a run of tags (the top level, or a sprite's body) at byte offsets [begin, end)
  // of Data(). Stops after End; a length past the end stops with a warning.
  std::vector<TTagRecord> ReadTags(size_t begin, size_t end,
                                   std::vector<std::string>& warnings) const;

 private:
  // `owned`, when given, holds the same bytes: an uncompressed movie then keeps them
  // without a copy.
  static TSwfFile Load(std::span<const uint8_t> bytes, std::vector<uint8_t>* owned);

  THeader FHeader;
  std::vector<uint8_t> FData;
  std::vector<TTagRecord> FTags;
  std::vector<std::string> FWarnings;
};

}  // namespace swf
