#include "player/text/EditTextLayout.h"

#include <algorithm>
#include <map>

namespace player {

namespace {

constexpr double Gutter = 40;  // twips between the box and its text

struct TItem {
  char32_t Char;
  const TTextStyle* Style;
  TGlyphSource* Source;
  double Advance;  // kerning with the character before included
};

struct TLine {
  std::vector<TItem> Items;
  double Ascent = 0, Descent = 0, Leading = 0;
};

double Width(const std::vector<TItem>& items, size_t end) {
  double w = 0;
  for (size_t i = 0; i < end; ++i) w += items[i].Advance;
  return w;
}

// The width without the spaces that end the line.
double VisibleWidth(const std::vector<TItem>& items) {
  size_t end = items.size();
  while (end > 0 && items[end - 1].Char == U' ') --end;
  return Width(items, end);
}

}  // namespace

TEditTextGeometry LayOutEditText(const swf::TEditText& field,
                                 const std::vector<TParagraph>& source,
                                 const TGlyphChooser& glyphs) {
  TEditTextGeometry geometry;
  const swf::TRect& b = field.Bounds;
  geometry.Box = QRectF(b.XMin, b.YMin, double(b.XMax) - b.XMin, double(b.YMax) - b.YMin);
  // A field of one line shows the first line of its text.
  std::vector<TParagraph> paragraphs = source;
  if (!field.Multiline && paragraphs.size() > 1) paragraphs.resize(1);
  const double left = geometry.Box.left() + Gutter + field.LeftMargin;
  const double width = geometry.Box.width() - 2 * Gutter - field.LeftMargin - field.RightMargin;
  const bool wrap = field.WordWrap && field.Multiline;
  std::map<std::pair<uint32_t, uint32_t>, size_t> runIndex;  // colour → run
  auto runFor = [&](const swf::TRgba& c) -> QPainterPath& {
    const auto key = std::make_pair(uint32_t(c.R << 16 | c.G << 8 | c.B), uint32_t(c.A));
    auto found = runIndex.find(key);
    if (found == runIndex.end()) {
      found = runIndex.emplace(key, geometry.Runs.size()).first;
      geometry.Runs.push_back({QPainterPath(), c});
      geometry.Runs.back().Path.setFillRule(Qt::WindingFill);
    }
    return geometry.Runs[found->second].Path;
  };

  double top = geometry.Box.top() + Gutter;
  size_t characters = 0;
  for (const TParagraph& paragraph : paragraphs) {
    // The paragraph's characters with their advances.
    std::vector<TItem> items;
    const TTextStyle* firstStyle = paragraph.Runs.empty() ? nullptr : &paragraph.Runs.front().Style;
    for (const TTextRun& run : paragraph.Runs) {
      TGlyphSource* font = glyphs(run.Style);
      for (char32_t c : run.Text.toUcs4()) {
        if (++characters > MaxFieldCharacters) break;
        if (field.Password) c = U'*';
        if (c == U'\t') c = U' ';
        double advance = font->Has(c) ? font->Advance(c, run.Style.Size) : 0;
        if (!items.empty() && items.back().Source == font)
          advance += font->Kerning(items.back().Char, c, run.Style.Size);
        items.push_back({c, &run.Style, font, advance});
      }
    }
    // Lines: break at the last space that lets the line fit, else before the character
    // that does not fit.
    std::vector<TLine> lines(1);
    double x = field.Indent;
    size_t lastSpace = SIZE_MAX;
    for (const TItem& item : items) {
      TLine& line = lines.back();
      if (wrap && !line.Items.empty() && item.Char != U' ' && x + item.Advance > width) {
        TLine next;
        if (lastSpace != SIZE_MAX) {
          next.Items.assign(line.Items.begin() + lastSpace + 1, line.Items.end());
          line.Items.resize(lastSpace + 1);
        }
        lines.push_back(std::move(next));
        x = Width(lines.back().Items, lines.back().Items.size());
        lastSpace = SIZE_MAX;
      }
      if (item.Char == U' ') lastSpace = lines.back().Items.size();
      lines.back().Items.push_back(item);
      x += item.Advance;
    }
    for (size_t n = 0; n < lines.size(); ++n) {
      TLine& line = lines[n];
      // An empty line is as high as the paragraph's (or the field's) first font.
      if (line.Items.empty()) {
        TTextStyle fallback;
        fallback.Size = field.FontHeight;
        const TTextStyle& style = firstStyle ? *firstStyle : fallback;
        TGlyphSource* font = glyphs(style);
        line.Ascent = font->Ascent(style.Size);
        line.Descent = font->Descent(style.Size);
      }
      for (const TItem& item : line.Items) {
        line.Ascent = std::max(line.Ascent, item.Source->Ascent(item.Style->Size));
        line.Descent = std::max(line.Descent, item.Source->Descent(item.Style->Size));
        line.Leading = std::max(line.Leading, item.Source->Leading(item.Style->Size));
      }
      const double indent = n == 0 ? field.Indent : 0;
      const double free = width - indent - VisibleWidth(line.Items);
      const double shift = paragraph.Align == 1 ? free : paragraph.Align == 2 ? free / 2 : 0;
      const double baseline = top + line.Ascent;
      double pen = left + indent + std::max(0.0, shift);
      for (const TItem& item : line.Items) {
        if (item.Source->Has(item.Char) && item.Char != U' ')
          runFor(item.Style->Color).addPath(item.Source->Path(item.Char, item.Style->Size).translated(pen, baseline));
        if (item.Style->Underline) {
          const double thickness = std::max(20.0, item.Style->Size / 16);
          runFor(item.Style->Color).addRect(QRectF(pen, baseline + item.Style->Size / 16, item.Advance, thickness));
        }
        pen += item.Advance;
      }
      top = baseline + line.Descent + line.Leading + field.Leading;
    }
  }
  return geometry;
}

}  // namespace player
