// The text of a text field as paragraphs of styled runs: plain text split at its line
// breaks, or the field's HTML subset read (<p align>, <font face size color>, <b>, <i>,
// <u>, <br>, the common entities; other tags are passed over, their text kept).
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

struct TParagraph {
  uint8_t Align = 0;  // 0 left, 1 right, 2 centre, 3 justify
  std::vector<TTextRun> Runs;
};

// base: the field's own style and alignment, which the markup changes.
std::vector<TParagraph> ParsePlainText(const QString& text, const TTextStyle& base, uint8_t align);
std::vector<TParagraph> ParseHtmlText(const QString& html, const TTextStyle& base, uint8_t align);

}  // namespace player
