// Finds and keeps fonts for text shapes: a family name goes to fontconfig (which falls
// back to the default sans for unknown families); a character the family's font lacks is
// taken from the first installed font, in fontconfig's order of preference, that has it.
// Each font file is opened once (FreeType for outlines, HarfBuzz for shaping) and glyph
// outlines are kept after their first use, so making many texts stays cheap.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include <ft2build.h>
#include FT_FREETYPE_H
#include <hb.h>

#include "swf/builder/ShapeEncoder.h"
#include "swf/builder/SwfContent.h"

namespace swf {

// A glyph outline in font units, y pointing up, as FreeType decomposes it.
struct TGlyphOutline {
  struct TCommand {
    enum TKind : uint8_t { Move, Line, Quad, Cubic } Kind;
    float Points[6];  // x,y pairs: the end point last
  };
  std::vector<TCommand> Commands;
  TInkSide Ink = TInkSide::Right;  // the side of travel (on screen) the glyph's ink lies on
};

// A colour glyph (an emoji of a colour bitmap font) as a picture: its box in font units,
// x from the pen, y up from the baseline to the picture's top.
struct TGlyphPicture {
  std::shared_ptr<const TBitmapData> Bitmap;  // null: the glyph has none
  double Left = 0, Top = 0, Width = 0, Height = 0;
};

class TFontFace {
 public:
  TFontFace(FT_Library library, const std::string& file, int index);
  ~TFontFace();
  TFontFace(const TFontFace&) = delete;
  TFontFace& operator=(const TFontFace&) = delete;

  bool Loaded() const { return FFace && FFont; }
  // The face's own cut, as the font file says.
  bool Bold() const { return FFace && (FFace->style_flags & FT_STYLE_FLAG_BOLD); }
  bool Italic() const { return FFace && (FFace->style_flags & FT_STYLE_FLAG_ITALIC); }
  hb_font_t* Font() const { return FFont; }
  double UnitsPerEm() const { return FUnitsPerEm; }
  double Ascender() const { return FAscender; }     // font units above the baseline
  double LineHeight() const { return FLineHeight; } // font units from one baseline to the next
  bool HasChar(char32_t c) const;
  const TGlyphOutline& Outline(uint32_t glyph);
  // A font of colour bitmaps (CBDT, sbix): its glyphs have pictures, not outlines.
  bool ColourBitmaps() const { return FColourBitmaps; }
  const TGlyphPicture& Picture(uint32_t glyph);

 private:
  FT_Face FFace = nullptr;
  hb_blob_t* FBlob = nullptr;
  hb_face_t* FHbFace = nullptr;
  hb_font_t* FFont = nullptr;
  double FUnitsPerEm = 1000;
  double FAscender = 800;
  double FLineHeight = 1200;
  std::unordered_map<uint32_t, TGlyphOutline> FOutlines;
  bool FColourBitmaps = false;
  std::unordered_map<uint32_t, TGlyphPicture> FPictures;
};

// The cut asked of a family; fontconfig gives the closest one installed.
struct TFontStyle {
  bool Bold = false;
  bool Italic = false;
  auto operator<=>(const TFontStyle&) const = default;
};

class TFontCatalog {
 public:
  static TFontCatalog& Instance();
  ~TFontCatalog();

  // Callers hold this lock while they use faces of the catalog.
  std::mutex& Lock() { return FLock; }
  // The face fontconfig gives the family. Throws when no font is installed at all.
  TFontFace& Primary(const std::string& family, TFontStyle style = {});
  // The face that draws the character for the family.
  TFontFace& ForChar(const std::string& family, char32_t c, TFontStyle style = {});

 private:
  TFontCatalog();
  struct TFamily;
  TFamily& Family(const std::string& family, TFontStyle style);
  TFontFace* Load(const std::string& file, int index);

  std::mutex FLock;
  FT_Library FLibrary = nullptr;
  std::map<std::pair<std::string, int>, std::unique_ptr<TFontFace>> FFaces;
  std::map<std::pair<std::string, TFontStyle>, std::unique_ptr<TFamily>> FFamilies;
};

}  // namespace swf
