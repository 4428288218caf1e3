// A whole parsed movie: header, the character dictionary, the main timeline and the
// per-tag problems met while reading.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "swf/format/SwfTypes.h"
#include "swf/reader/BitmapTypes.h"
#include "swf/reader/ButtonTypes.h"
#include "swf/reader/FontTypes.h"
#include "swf/reader/MorphShapeTypes.h"
#include "swf/reader/ShapeTypes.h"
#include "swf/reader/SoundTypes.h"
#include "swf/reader/TextTypes.h"
#include "swf/reader/TimelineTypes.h"

namespace swf {

using TCharacter =
    std::variant<TShape, TBitmap, TFont, TText, TEditText, TSound, TSprite, TMorphShape,
                 TButton>;

// FileAttributes flags.
enum TFileAttributeFlags : uint32_t {
  FileUseNetwork = 0x01,
  FileHasMetadata = 0x10,
  FileActionScript3 = 0x08,
  FileUseGpu = 0x20,
  FileUseDirectBlit = 0x40,
};

struct TMovie {
  THeader Header;                   // FrameCount as written (may be 0)
  std::optional<TRgba> BackgroundColor;  // the first SetBackgroundColor
  std::optional<uint32_t> FileAttributes;
  std::string Metadata;
  std::vector<uint8_t> JpegTables;  // shared tables for DefineBits
  std::map<uint16_t, TCharacter> Characters;  // by id; the first definition of an id wins
  TTimeline Timeline;                // the main timeline
  std::vector<std::string> Warnings; // load problems and tags that failed to parse

  // The character with this id if it is of type T, else nullptr.
  template <class T>
  const T* Find(uint16_t id) const {
    auto it = Characters.find(id);
    return it == Characters.end() ? nullptr : std::get_if<T>(&it->second);
  }
  bool Has(uint16_t id) const { return Characters.count(id) != 0; }
  double FramesPerSecond() const { return Header.FrameRate / 256.0; }
};

}  // namespace swf
