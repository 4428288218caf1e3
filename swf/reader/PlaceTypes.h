// Parsed display-list tags: PlaceObject 1/2/3 and RemoveObject 1/2.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "swf/format/SwfTypes.h"
#include "swf/reader/FilterTypes.h"

namespace swf {

// Move = false with a CharacterId places a new instance; Move = true without one modifies
// the instance at Depth; Move = true with one replaces its character. Absent fields are
// left as they are.
struct TPlaceObject {
  uint8_t Version = 2;  // 1, 2 or 3
  uint16_t Depth = 0;
  bool Move = false;
  std::optional<uint16_t> CharacterId;
  std::optional<TMatrix> Matrix;
  std::optional<TCxForm> CxForm;
  std::optional<uint16_t> Ratio;
  std::optional<std::string> Name;
  std::optional<uint16_t> ClipDepth;
  // PlaceObject3 extras.
  std::optional<std::string> ClassName;
  std::optional<uint8_t> BlendMode;
  std::optional<bool> CacheAsBitmap;
  std::optional<bool> Visible;
  std::optional<TRgba> BackgroundColor;
  std::optional<TFilterList> Filters;
  bool HasClipActions = false;  // clip event handlers are not kept
  bool operator==(const TPlaceObject&) const = default;
};

struct TRemoveObject {
  uint16_t Depth = 0;
  std::optional<uint16_t> CharacterId;  // RemoveObject (1) only; informational
  bool operator==(const TRemoveObject&) const = default;
};

}  // namespace swf
