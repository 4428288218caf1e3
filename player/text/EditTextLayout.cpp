#include "player/text/EditTextLayout.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace player {

namespace {

constexpr double Gutter = 40;         // twips between the box and its text
constexpr double BulletIndent = 720;  // a list item's text, past its bullet
constexpr char32_t Bullet = U'\u2022';
// Without tab stops of their own, tabs go to every 2.7 ems of their text's size, where the
// peer player puts them.
constexpr double DefaultTabEms = 2.7;

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

bool IsSpace(char32_t c) { return c == U' ' || c == U'\t'; }

// The width without the spaces that end the line.
double VisibleWidth(const std::vector<TItem>& items) {
  size_t end = items.size();
  while (end > 0 && IsSpace(items[end - 1].Char)) --end;
  return Width(items, end);
}

// Where a tab at x (from the paragraph's left) takes the text: the next stop given, and
// past the last one (or without any) the next of the default stops.
double NextTabStop(double x, const std::vector<double>& stops, double size) {
  for (const double stop : stops) {
    if (stop > x) return stop;
  }
  const double from = stops.empty() ? 0 : stops.back();
  const double interval = DefaultTabEms * size;
  if (!(interval > 1)) return x;
  return from + (std::floor((x - from) / interval) + 1) * interval;
}

// Gives each tab among items the advance to its stop, the items starting at x.
void PlaceTabs(std::vector<TItem>& items, double x, const std::vector<double>& stops) {
  for (TItem& item : items) {
    if (item.Char == U'\t') item.Advance = NextTabStop(x, stops, item.Style->Size) - x;
    x += item.Advance;
  }
}

// Lines: break at the last space that lets the line fit, else before the character that
// does not fit. The first line starts indent in.
std::vector<TLine> BreakLines(const std::vector<TItem>& items, double width, double indent, bool wrap) {
  std::vector<TLine> lines(1);
  double x = indent;
  size_t lastSpace = SIZE_MAX;
  for (const TItem& item : items) {
    TLine& line = lines.back();
    if (wrap && !line.Items.empty() && !IsSpace(item.Char) && x + item.Advance > width) {
      TLine next;
      if (lastSpace != SIZE_MAX) {
        next.Items.assign(line.Items.begin() + lastSpace + 1, line.Items.end());
        line.Items.resize(lastSpace + 1);
      }
      lines.push_back(std::move(next));
      x = Width(lines.back().Items, lines.back().Items.size());
      lastSpace = SIZE_MAX;
    }
    if (IsSpace(item.Char)) lastSpace = lines.back().Items.size();
    lines.back().Items.push_back(item);
    x += item.Advance;
  }
  return lines;
}

// What each space between the words of a justified line gains so the line fills free.
double JustifiedSpace(const std::vector<TItem>& items, double free) {
  size_t end = items.size();
  while (end > 0 && items[end - 1].Char == U' ') --end;
  const auto spaces = std::count_if(items.begin(), items.begin() + end, [](const TItem& item) { return item.Char == U' '; });
  return spaces > 0 && free > 0 ? free / spaces : 0;
}

}  // namespace

TParagraphFormat FieldFormat(const swf::TEditText& field) {
  TParagraphFormat format;
  format.Align = field.Align;
  format.LeftMargin = field.LeftMargin;
  format.RightMargin = field.RightMargin;
  format.Indent = field.Indent;
  format.Leading = field.Leading;
  return format;
}

TEditTextGeometry LayOutEditText(const swf::TEditText& field,
                                 const std::vector<TParagraph>& source,
                                 const TGlyphChooser& glyphs) {
  TEditTextGeometry geometry;
  const swf::TRect& b = field.Bounds;
  geometry.Box = QRectF(b.XMin, b.YMin, double(b.XMax) - b.XMin, double(b.YMax) - b.YMin);
  // A field of one line shows the first line of its text.
  std::vector<TParagraph> paragraphs = source;
  if (!field.Multiline && paragraphs.size() > 1) paragraphs.resize(1);
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
    const TParagraphFormat& format = paragraph.Format;
    const double block = format.LeftMargin + format.BlockIndent;
    const double bulletIndent = format.Bullet ? BulletIndent : 0;
    const double left = geometry.Box.left() + Gutter + block + bulletIndent;
    const double width = geometry.Box.width() - 2 * Gutter - block - bulletIndent - format.RightMargin;
    // The paragraph's characters with their advances.
    std::vector<TItem> items;
    TTextStyle fallback;
    fallback.Size = field.FontHeight;
    const TTextStyle& firstStyle = paragraph.Runs.empty() ? fallback : paragraph.Runs.front().Style;
    for (const TTextRun& run : paragraph.Runs) {
      TGlyphSource* font = glyphs(run.Style);
      for (char32_t c : run.Text.toUcs4()) {
        if (++characters > MaxFieldCharacters) break;
        if (field.Password) c = U'*';
        double advance = font->Has(c) && c != U'\t' ? font->Advance(c, run.Style.Size) : 0;
        if (!items.empty() && items.back().Source == font && c != U'\t')
          advance += font->Kerning(items.back().Char, c, run.Style.Size);
        items.push_back({c, &run.Style, font, advance});
      }
    }
    PlaceTabs(items, format.Indent, format.TabStops);
    std::vector<TLine> lines = BreakLines(items, width, format.Indent, wrap);
    for (size_t n = 0; n < lines.size(); ++n) {
      TLine& line = lines[n];
      // A line that starts after a break has its tabs placed afresh.
      if (n > 0) PlaceTabs(line.Items, 0, format.TabStops);
      // Every line is at least as high as the paragraph's (or the field's) first font, an
      // empty one and those after a larger first run alike.
      TGlyphSource* firstFont = glyphs(firstStyle);
      line.Ascent = firstFont->Ascent(firstStyle.Size);
      line.Descent = firstFont->Descent(firstStyle.Size);
      for (const TItem& item : line.Items) {
        line.Ascent = std::max(line.Ascent, item.Source->Ascent(item.Style->Size));
        line.Descent = std::max(line.Descent, item.Source->Descent(item.Style->Size));
        line.Leading = std::max(line.Leading, item.Source->Leading(item.Style->Size));
      }
      const double indent = n == 0 ? format.Indent : 0;
      const double free = width - indent - VisibleWidth(line.Items);
      // Justified paragraphs stretch every line but their last.
      const bool justified = format.Align == 3 && n + 1 < lines.size();
      const double space = justified ? JustifiedSpace(line.Items, free) : 0;
      const double shift = format.Align == 1 ? free : format.Align == 2 ? free / 2 : 0;
      const double baseline = top + line.Ascent;
      if (n == 0 && format.Bullet) {
        const TTextStyle& style = line.Items.empty() ? firstStyle : *line.Items.front().Style;
        TGlyphSource* font = glyphs(style);
        if (font->Has(Bullet))
          runFor(style.Color).addPath(font->Path(Bullet, style.Size).translated(left - BulletIndent / 2, baseline));
      }
      double pen = left + indent + std::max(0.0, shift);
      for (const TItem& item : line.Items) {
        const double advance = item.Advance + (item.Char == U' ' ? space : 0);
        if (item.Source->Has(item.Char) && !IsSpace(item.Char))
          runFor(item.Style->Color).addPath(item.Source->Path(item.Char, item.Style->Size).translated(pen, baseline));
        if (item.Style->Underline) {
          const double thickness = std::max(20.0, item.Style->Size / 16);
          runFor(item.Style->Color).addRect(QRectF(pen, baseline + item.Style->Size / 16, advance, thickness));
        }
        pen += advance;
      }
      top = baseline + line.Descent + line.Leading + format.Leading;
    }
  }
  return geometry;
}

}  // namespace player
