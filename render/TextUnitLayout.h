// Where each unit of a text stands: its letters, words and lines laid out with the font's
// real advances and line height, so units animated one by one sit where the whole text
// would show them. Twips throughout; a box's (X, Y) is the top left of its line box.
#pragma once

#include <array>
#include <string>
#include <vector>

enum class TTextUnitKind { Letter = 0, Word = 1, Line = 2, Whole = 3 };

struct TTextBox {
  double X = 0, Y = 0, Width = 0, Height = 0;
};

struct TTextUnit {
  std::string Text;
  TTextBox Box;
  // The unit's letter, word, line and whole-text group (indices into TTextLayout::Groups).
  std::array<int, 4> Group{};
};

struct TTextLayout {
  std::vector<TTextUnit> Units;
  // The boxes of the letters, words, lines and the whole text, each in reading order.
  std::array<std::vector<TTextBox>, 4> Groups;
};

enum class TTextAlign { Left, Centre, Right };

// Cuts the text at '\n' into lines and the lines into units of `kind`; spaces make no
// unit. Lines are aligned within the widest one. `height` is the em height.
TTextLayout LayOutTextUnits(const std::string& fontName, const std::string& text, TTextUnitKind kind,
                            double x, double y, double height, TTextAlign align = TTextAlign::Left);
