// Text as a shape: UTF-8 text shaped by HarfBuzz with the fonts of TFontCatalog, glyph
// outlines from FreeType, encoded as one DefineShape3 with a single solid fill (opaque
// black; placements recolour it). Coordinates are twips relative to the text's origin,
// the top left of the first line's box: the first baseline lies one ascender below it.
// Lines break at '\n'; other control characters are left out, a tab counts as a space.
// Each line is laid out in the order the bidirectional algorithm gives (see TextRuns).
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "swf/builder/SwfContent.h"
#include "swf/format/SwfTypes.h"

namespace swf {

// height is the em height in twips; a height of 0 or less gives an empty shape.
// The shape is filled with `colour` (opaque black unless given).
std::vector<uint8_t> TextShapeBody(const std::string& fontName, const std::string& text, double height,
                                   TRgba colour = {0, 0, 0, 255});

// A colour glyph of the text (an emoji) as a picture standing in its box, in twips from the
// text's origin.
struct TTextPicture {
  std::shared_ptr<const TBitmapData> Bitmap;
  double X = 0, Y = 0, Width = 0, Height = 0;
};

// A text whose colour glyphs become pictures: Body holds the outlines alone (as
// TextShapeBody makes them); with pictures, BodyWithPictures makes the DefineShape4 body of
// the outlines and the pictures, given the pictures' bitmap character ids in order.
struct TTextShape {
  std::vector<uint8_t> Body;
  std::vector<TTextPicture> Pictures;
  std::function<std::vector<uint8_t>(const std::vector<uint16_t>& bitmapIds)> BodyWithPictures;
};
TTextShape MakeTextShape(const std::string& fontName, const std::string& text, double height,
                         TRgba colour = {0, 0, 0, 255});

// Whether some character of the text is drawn as a colour picture (an emoji of a colour
// font), which a colour transform must not recolour.
bool HasColourGlyphs(const std::string& fontName, const std::string& text);

// The advance width of the text's longest line, in twips.
double TextAdvanceWidth(const std::string& fontName, const std::string& text, double height);

// The distance from one line's top to the next line's top, in twips.
double TextLineHeight(const std::string& fontName, double height);

// The text's code points; bytes that are not UTF-8 become U+FFFD.
std::u32string DecodeUtf8(const std::string& text);

}  // namespace swf
