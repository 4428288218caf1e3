// Parsed fonts (DefineFont, DefineFont2, DefineFont3, with DefineFontInfo merged in).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "swf/reader/ShapeTypes.h"

namespace swf {

struct TKerningPair {
  uint16_t Code1 = 0, Code2 = 0;
  int16_t Adjustment = 0;  // twips
  bool operator==(const TKerningPair&) const = default;
};

struct TFont {
  uint16_t Id = 0;
  uint8_t Version = 1;  // 1, 2 or 3
  std::string Name;
  bool Bold = false, Italic = false, SmallText = false, ShiftJis = false, Ansi = false;
  bool WideCodes = false;
  uint8_t Language = 0;
  // One outline per glyph: records with fill style 1 = inside, in EM units (see EmSquare).
  std::vector<std::vector<TShapeRecord>> Glyphs;
  std::vector<uint16_t> Codes;  // character code of each glyph (empty until known)
  bool HasLayout = false;
  uint16_t Ascent = 0, Descent = 0;
  int16_t Leading = 0;
  std::vector<int16_t> Advances;  // per glyph
  std::vector<TRect> GlyphBounds; // per glyph
  std::vector<TKerningPair> Kerning;

  // Glyph coordinates are in a square of this many units per EM.
  int EmSquare() const { return Version == 3 ? 20480 : 1024; }
  bool operator==(const TFont&) const = default;
};

}  // namespace swf
