#include "render/TextUnitLayout.h"

#include <algorithm>

#include "render/TextUnits.h"
#include "swf/builder/TextShape.h"

namespace {

constexpr std::size_t ChunkLength = 32;

bool IsSpace(const std::string& character) { return character == " " || character == "\t" || character == "\r"; }

std::vector<std::string> SplitLines(const std::string& text)
{
  std::vector<std::string> lines(1);
  for (char c : text) {
    if (c == '\n') lines.emplace_back();
    else lines.back() += c;
  }
  return lines;
}

TTextBox Union(const TTextBox& a, const TTextBox& b)
{
  if (a.Width <= 0 && a.Height <= 0) return b;
  const double left = std::min(a.X, b.X), top = std::min(a.Y, b.Y);
  const double right = std::max(a.X + a.Width, b.X + b.Width), bottom = std::max(a.Y + a.Height, b.Y + b.Height);
  return {left, top, right - left, bottom - top};
}

} // namespace

TTextLayout LayOutTextUnits(const std::string& fontName, const std::string& text, TTextUnitKind kind,
                            double x, double y, double height, TTextAlign align)
{
  TTextLayout layout;
  const std::vector<std::string> lines = SplitLines(text);
  const double lineHeight = swf::TextLineHeight(fontName, height);
  std::vector<double> widths;
  for (const std::string& line : lines) widths.push_back(swf::TextAdvanceWidth(fontName, line, height));
  const double widest = *std::max_element(widths.begin(), widths.end());
  const double alignShare = align == TTextAlign::Centre ? 0.5 : align == TTextAlign::Right ? 1.0 : 0.0;
  auto& [letters, words, lineBoxes, whole] = layout.Groups;
  whole.push_back({x, y, widest, lineHeight * static_cast<double>(lines.size())});

  for (std::size_t l = 0; l < lines.size(); ++l) {
    const double left = x + (widest - widths[l]) * alignShare;
    const double top = y + lineHeight * static_cast<double>(l);
    const int lineGroup = static_cast<int>(lineBoxes.size());
    lineBoxes.push_back({left, top, widths[l], lineHeight});
    if (kind == TTextUnitKind::Line && !lines[l].empty())
      layout.Units.push_back({lines[l], lineBoxes.back(), {0, 0, lineGroup, 0}});

    const std::vector<std::string> characters = SplitCharacters(lines[l]);
    // Each character ends where the text up to it ends. Measured within chunks (a word and
    // its space, or at most ChunkLength characters) so a long line costs linear time;
    // kerning across a chunk's edge is left out.
    double chunkX = left, chunkWidth = 0;
    std::string chunk;
    std::size_t chunkLength = 0;
    bool inWord = false;
    for (const std::string& character : characters) {
      const double start = chunkX + chunkWidth;
      chunk += character;
      chunkWidth = swf::TextAdvanceWidth(fontName, chunk, height);
      const double end = chunkX + chunkWidth;
      if (IsSpace(character) || ++chunkLength >= ChunkLength) {
        chunkX = end;
        chunkWidth = 0;
        chunk.clear();
        chunkLength = 0;
      }
      if (IsSpace(character)) {
        inWord = false;
        continue;
      }
      const TTextBox box{start, top, end - start, lineHeight};
      if (!inWord) words.push_back(box);
      else words.back() = Union(words.back(), box);
      inWord = true;
      letters.push_back(box);
      if (kind == TTextUnitKind::Letter) {
        layout.Units.push_back({character, box,
                                {static_cast<int>(letters.size()) - 1, static_cast<int>(words.size()) - 1, lineGroup, 0}});
      } else if (kind == TTextUnitKind::Word) {
        const int word = static_cast<int>(words.size()) - 1;
        if (layout.Units.empty() || layout.Units.back().Group[1] != word)
          layout.Units.push_back({"", box, {static_cast<int>(letters.size()) - 1, word, lineGroup, 0}});
        layout.Units.back().Text += character;
      }
    }
  }
  if (kind == TTextUnitKind::Word)
    for (TTextUnit& unit : layout.Units) unit.Box = words[static_cast<std::size_t>(unit.Group[1])];
  if (kind == TTextUnitKind::Whole && !text.empty()) layout.Units.push_back({text, whole.front(), {0, 0, 0, 0}});
  return layout;
}
