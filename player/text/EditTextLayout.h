// Lays out a text field's paragraphs in its box: a gutter of 2 pixels, each paragraph's
// margins, block indent and first line's indent, list bullets, lines broken at spaces
// when the field wraps, aligned per paragraph (justified lines widen their spaces), one
// baseline after another by the fonts' ascent, descent and leading.
#pragma once

#include <QPainterPath>
#include <QRectF>

#include <functional>
#include <vector>

#include "player/text/EditTextMarkup.h"
#include "player/text/GlyphSource.h"
#include "swf/reader/TextTypes.h"

namespace player {

struct TEditTextGeometry {
  QRectF Box;  // the field's bounds, twips
  struct TRun {
    QPainterPath Path;  // glyphs and underlines, twips in the field's space
    swf::TRgba Color;
  };
  std::vector<TRun> Runs;
};

// The glyphs for a style (never null while the layout runs).
using TGlyphChooser = std::function<TGlyphSource*(const TTextStyle&)>;

// Characters laid out per field at most: a huge initial text stays bounded.
constexpr size_t MaxFieldCharacters = 1u << 16;

// The paragraph layout the field itself sets, which its markup may change.
TParagraphFormat FieldFormat(const swf::TEditText& field);

TEditTextGeometry LayOutEditText(const swf::TEditText& field,
                                 const std::vector<TParagraph>& paragraphs,
                                 const TGlyphChooser& glyphs);

}  // namespace player
