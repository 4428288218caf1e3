// Parsed static text (DefineText, DefineText2) and text fields (DefineEditText).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "swf/format/SwfTypes.h"

namespace swf {

struct TGlyphEntry {
  uint32_t Index = 0;   // glyph index in the font
  int32_t Advance = 0;  // twips to the next glyph
  bool operator==(const TGlyphEntry&) const = default;
};

// Font, colour, position and height carry over from the previous record when absent.
struct TTextRecord {
  std::optional<uint16_t> FontId;
  std::optional<TRgba> Color;
  std::optional<int16_t> XOffset, YOffset;  // absolute within the text, twips; y = baseline
  std::optional<uint16_t> Height;           // twips, present with FontId
  std::vector<TGlyphEntry> Glyphs;
  bool operator==(const TTextRecord&) const = default;
};

struct TText {
  uint16_t Id = 0;
  uint8_t Version = 1;  // 1 = RGB colours, 2 = RGBA
  TRect Bounds;
  TMatrix Matrix;
  std::vector<TTextRecord> Records;
  bool operator==(const TText&) const = default;
};

struct TEditText {
  uint16_t Id = 0;
  TRect Bounds;
  bool WordWrap = false, Multiline = false, Password = false, ReadOnly = false;
  bool AutoSize = false, NoSelect = false, Border = false, WasStatic = false;
  bool Html = false, UseOutlines = false;
  std::optional<uint16_t> FontId;
  std::string FontClass;
  uint16_t FontHeight = 0;  // twips
  std::optional<TRgba> Color;
  std::optional<uint16_t> MaxLength;
  bool HasLayout = false;
  uint8_t Align = 0;  // 0 left, 1 right, 2 centre, 3 justify
  uint16_t LeftMargin = 0, RightMargin = 0, Indent = 0;
  int16_t Leading = 0;
  std::string VariableName;
  std::optional<std::string> InitialText;
  bool operator==(const TEditText&) const = default;
};

}  // namespace swf
