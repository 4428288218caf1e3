// The text of a text field as paragraphs of styled runs: plain text split at its line
// breaks, or the field's HTML subset read (<p align>, <font face size color>, <b>, <i>,
// <u>, <br>, <textformat>, <li>, the common entities; other tags such as <a> and <img> are
// passed over, their text kept).
#pragma once

#include <QString>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "swf/format/SwfTypes.h"

namespace player {

struct TTextStyle {
  std::string Face;    // font name
  double Size = 240;   // twips
  swf::TRgba Color;
  bool Bold = false, Italic = false, Underline = false;
  bool operator==(const TTextStyle&) const = default;
};

struct TTextRun {
  QString Text;
  TTextStyle Style;
};

// Where a paragraph's lines sit, twips.
struct TParagraphFormat {
  uint8_t Align = 0;  // 0 left, 1 right, 2 centre, 3 justify
  double LeftMargin = 0, RightMargin = 0;
  double BlockIndent = 0;  // every line's, after the left margin
  double Indent = 0;       // the first line's, after the block indent
  double Leading = 0;      // below each line
  bool Bullet = false;     // a bullet before the first line, the text indented past it
  std::vector<double> TabStops;  // from the paragraph's left, ascending; none: every few ems
  bool operator==(const TParagraphFormat&) const = default;
};

struct TParagraph {
  TParagraphFormat Format;
  std::vector<TTextRun> Runs;
};

// base, format: the field's own style and layout, which the markup changes.
std::vector<TParagraph> ParsePlainText(const QString& text, const TTextStyle& base,
                                       const TParagraphFormat& format);
std::vector<TParagraph> ParseHtmlText(const QString& html, const TTextStyle& base,
                                      const TParagraphFormat& format);

}  // namespace player
