// Where a text field's characters get their outlines and advances: a font embedded in the
// movie (DefineFont2/3 glyphs, advances and kerning) or a device font found by family
// through fontconfig. Every measure is in twips for a font size in twips.
#pragma once

#include <QPainterPath>

#include <memory>
#include <string>
#include <vector>

#include "swf/reader/FontTypes.h"

namespace player {

class TGlyphSource {
 public:
  virtual ~TGlyphSource() = default;
  virtual double Ascent(double size) const = 0;
  virtual double Descent(double size) const = 0;
  virtual double Leading(double size) const { return 0 * size; }
  virtual bool Has(char32_t c) const = 0;
  virtual double Advance(char32_t c, double size) = 0;
  virtual double Kerning(char32_t /*left*/, char32_t /*right*/, double /*size*/) { return 0; }
  // The outline with its origin on the baseline, y down.
  virtual QPainterPath Path(char32_t c, double size) = 0;
};

// glyphs: the font's outlines in EM units (as the character library builds them).
std::unique_ptr<TGlyphSource> EmbeddedGlyphs(const swf::TFont& font,
                                             const std::vector<QPainterPath>& glyphs);
// Never fails: an unknown family gives the system's default font; none installed at all
// gives a source without characters. Bold and italic take the family's cuts, or make them.
std::unique_ptr<TGlyphSource> DeviceGlyphs(const std::string& family, bool bold = false, bool italic = false);

}  // namespace player
