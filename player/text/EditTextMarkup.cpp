#include "player/text/EditTextMarkup.h"

#include <QStringList>

#include <algorithm>

#include "player/text/MarkupTokens.h"

namespace player {

namespace {

// Open tags are capped, so a stream of them cannot grow the stacks without end.
constexpr size_t MaxDepth = 256;
// <textformat> lengths are pixels; beyond this they mean nothing on any screen.
constexpr double MaxLength = 4000;

void Append(std::vector<TParagraph>& paragraphs, const QString& text, const TTextStyle& style) {
  if (text.isEmpty()) return;
  std::vector<TTextRun>& runs = paragraphs.back().Runs;
  if (!runs.empty() && runs.back().Style == style) runs.back().Text += text;
  else runs.push_back({text, style});
}

uint8_t AlignOf(const QString& value, uint8_t fallback) {
  const QString v = value.toLower();
  if (v == "left") return 0;
  if (v == "right") return 1;
  if (v == "center") return 2;
  if (v == "justify") return 3;
  return fallback;
}

// Tab stops given at most: a list longer than any line is of no use.
constexpr size_t MaxTabStops = 64;

// A <textformat>'s length in pixels as twips, or the value in effect when it is no number.
double TwipsOf(const QString& value, double current, double least) {
  bool ok = false;
  const double pixels = value.trimmed().toDouble(&ok);
  return ok ? std::clamp(pixels, least, MaxLength) * 20 : current;
}

// "[30, 95, 140]" (pixels, the brackets optional) as ascending twips; what is no number
// is left out.
std::vector<double> TabStopsOf(QString value) {
  value.remove('[').remove(']');
  std::vector<double> stops;
  for (const QString& part : value.split(',')) {
    bool ok = false;
    const double pixels = part.trimmed().toDouble(&ok);
    if (ok && pixels >= 0 && stops.size() < MaxTabStops) stops.push_back(std::min(pixels, MaxLength) * 20);
  }
  std::sort(stops.begin(), stops.end());
  return stops;
}

class THtmlReader {
 public:
  THtmlReader(const TTextStyle& style, const TParagraphFormat& format)
      : FParagraphs(1, TParagraph{format, {}}), FStyles{style}, FFormats{format}, FAlign(format.Align) {}

  std::vector<TParagraph> Read(const QString& html) {
    int i = 0;
    while (i < html.size()) {
      if (html[i] != '<') {
        int end = html.indexOf('<', i);
        if (end < 0) end = html.size();
        Text(html.mid(i, end - i));
        i = end;
        continue;
      }
      const int end = html.indexOf('>', i);
      if (end < 0) break;
      Tag(ReadTag(html.mid(i + 1, end - i - 1)));
      i = end + 1;
    }
    return std::move(FParagraphs);
  }

 private:
  void Text(const QString& raw) {
    QString text = DecodeEntities(raw);
    text.replace('\r', ' ').replace('\n', ' ');
    if (text.isEmpty()) return;
    if (FParagraphClosed) {
      StartParagraph();
      FParagraphClosed = false;
    }
    TParagraph& paragraph = FParagraphs.back();
    // The paragraph takes the <textformat> in effect where its text begins.
    if (paragraph.Runs.empty()) {
      TParagraphFormat format = FFormats.back();
      format.Align = paragraph.Format.Align;
      format.Bullet = paragraph.Format.Bullet;
      paragraph.Format = format;
    }
    Append(FParagraphs, text, FStyles.back());
    FParagraphUsed = true;
  }

  void Tag(const TMarkupTag& tag) {
    if (tag.Name == "br") {
      // A new line of the same paragraph format.
      FParagraphs.push_back({FParagraphs.back().Format, {}});
    } else if (tag.Name == "p" || tag.Name == "li") {
      Paragraph(tag);
    } else if (tag.Name == "textformat") {
      TextFormat(tag);
    } else if (tag.Name == "font" || tag.Name == "b" || tag.Name == "i" || tag.Name == "u") {
      Style(tag);
    }
    // Anything else (<a>, <img>, <span>, unknown names) draws nothing; its text is kept.
  }

  void StartParagraph() {
    TParagraphFormat format = FFormats.back();
    format.Align = FAlign;
    FParagraphs.push_back({format, {}});
  }

  void Paragraph(const TMarkupTag& tag) {
    if (tag.Closing) {
      FParagraphClosed = true;
      return;
    }
    FParagraphClosed = false;
    TParagraphFormat format = FFormats.back();
    format.Align = FAlign;
    format.Bullet = tag.Name == "li";
    for (const auto& [key, value] : tag.Attributes)
      if (key == "align") format.Align = AlignOf(value, FAlign);
    // A paragraph starts unless the one open is still empty.
    if (FParagraphUsed) FParagraphs.push_back({format, {}});
    else FParagraphs.back().Format = format;
    FParagraphUsed = true;
  }

  void TextFormat(const TMarkupTag& tag) {
    if (tag.Closing) {
      if (FFormats.size() > 1) FFormats.pop_back();
      return;
    }
    if (FFormats.size() > MaxDepth) return;
    TParagraphFormat format = FFormats.back();
    for (const auto& [key, value] : tag.Attributes) {
      if (key == "leftmargin") format.LeftMargin = TwipsOf(value, format.LeftMargin, 0);
      if (key == "rightmargin") format.RightMargin = TwipsOf(value, format.RightMargin, 0);
      if (key == "blockindent") format.BlockIndent = TwipsOf(value, format.BlockIndent, 0);
      if (key == "indent") format.Indent = TwipsOf(value, format.Indent, -MaxLength);
      if (key == "leading") format.Leading = TwipsOf(value, format.Leading, -MaxLength);
      if (key == "tabstops") format.TabStops = TabStopsOf(value);
    }
    FFormats.push_back(format);
  }

  void Style(const TMarkupTag& tag) {
    if (tag.Closing) {
      // Closes the innermost open tag of that name (and what was opened within it).
      for (size_t k = FOpen.size(); k-- > 0;) {
        if (FOpen[k] == tag.Name) {
          FOpen.resize(k);
          FStyles.resize(k + 1);
          break;
        }
      }
      return;
    }
    if (FOpen.size() >= MaxDepth) return;
    TTextStyle style = FStyles.back();
    if (tag.Name == "b") style.Bold = true;
    if (tag.Name == "i") style.Italic = true;
    if (tag.Name == "u") style.Underline = true;
    if (tag.Name == "font") {
      for (const auto& [key, value] : tag.Attributes) {
        if (key == "face") style.Face = value.toStdString();
        if (key == "color") {
          if (auto color = ColorOf(value)) style.Color = {color->R, color->G, color->B, style.Color.A};
        }
        if (key == "size") {
          bool ok = false;
          const double size = value.toDouble(&ok);
          // Sizes are pixels; "+2" and "-2" change the size in effect.
          if (ok && (value.startsWith('+') || value.startsWith('-'))) style.Size += size * 20;
          else if (ok) style.Size = size * 20;
          style.Size = std::clamp(style.Size, 20.0, 2000.0 * 20);
        }
      }
    }
    FOpen.push_back(tag.Name);
    FStyles.push_back(style);
  }

  std::vector<TParagraph> FParagraphs;
  std::vector<TTextStyle> FStyles;         // one more for each open <font>, <b>, <i>, <u>
  std::vector<QString> FOpen;              // the names of those tags
  std::vector<TParagraphFormat> FFormats;  // one more for each open <textformat>
  uint8_t FAlign;                          // the field's alignment
  bool FParagraphUsed = false;             // the current paragraph came from text or a <p>
  bool FParagraphClosed = false;           // a </p>: text that follows starts a new one
};

}  // namespace

std::vector<TParagraph> ParsePlainText(const QString& text, const TTextStyle& base,
                                       const TParagraphFormat& format) {
  std::vector<TParagraph> paragraphs(1, TParagraph{format, {}});
  QString normal = text;
  normal.replace("\r\n", "\n").replace('\r', '\n');
  const QStringList lines = normal.split('\n');
  for (int i = 0; i < lines.size(); ++i) {
    if (i > 0) paragraphs.push_back({format, {}});
    Append(paragraphs, lines[i], base);
  }
  return paragraphs;
}

std::vector<TParagraph> ParseHtmlText(const QString& html, const TTextStyle& base,
                                      const TParagraphFormat& format) {
  return THtmlReader(base, format).Read(html);
}

}  // namespace player
