#include "player/text/EditTextMarkup.h"

#include <QStringList>

#include <algorithm>
#include <vector>

namespace player {

namespace {

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

// The attributes of a tag's inside ("font face='Arial' size=\"20\""), names lower-cased.
std::vector<std::pair<QString, QString>> Attributes(const QString& inside) {
  std::vector<std::pair<QString, QString>> result;
  int i = 0;
  const int n = inside.size();
  while (i < n && !inside[i].isSpace()) ++i;  // the tag's name
  while (i < n) {
    while (i < n && inside[i].isSpace()) ++i;
    const int nameStart = i;
    while (i < n && inside[i] != '=' && !inside[i].isSpace()) ++i;
    const QString name = inside.mid(nameStart, i - nameStart).toLower();
    while (i < n && inside[i].isSpace()) ++i;
    QString value;
    if (i < n && inside[i] == '=') {
      ++i;
      while (i < n && inside[i].isSpace()) ++i;
      if (i < n && (inside[i] == '"' || inside[i] == '\'')) {
        const QChar quote = inside[i++];
        const int start = i;
        while (i < n && inside[i] != quote) ++i;
        value = inside.mid(start, i - start);
        ++i;
      } else {
        const int start = i;
        while (i < n && !inside[i].isSpace()) ++i;
        value = inside.mid(start, i - start);
      }
    }
    if (!name.isEmpty()) result.emplace_back(name, value);
  }
  return result;
}

QString Decode(const QString& text) {
  QString out;
  out.reserve(text.size());
  for (int i = 0; i < text.size(); ++i) {
    if (text[i] != '&') {
      out += text[i];
      continue;
    }
    const int end = text.indexOf(';', i);
    if (end < 0 || end - i > 10) {
      out += text[i];
      continue;
    }
    const QString name = text.mid(i + 1, end - i - 1);
    QString value;
    if (name == "lt") value = "<";
    else if (name == "gt") value = ">";
    else if (name == "amp") value = "&";
    else if (name == "quot") value = "\"";
    else if (name == "apos") value = "'";
    else if (name == "nbsp") value = QString(QChar(0xA0));
    else if (name.startsWith('#')) {
      bool ok = false;
      const uint code = name.startsWith("#x") ? name.mid(2).toUInt(&ok, 16) : name.mid(1).toUInt(&ok);
      if (ok && code > 0 && code < 0x110000) value = QString::fromUcs4(reinterpret_cast<const char32_t*>(&code), 1);
    }
    if (value.isEmpty()) {
      out += text[i];
      continue;
    }
    out += value;
    i = end;
  }
  return out;
}

std::optional<swf::TRgba> ColorOf(const QString& value) {
  QString v = value.trimmed();
  if (v.startsWith('#')) v = v.mid(1);
  bool ok = false;
  const uint rgb = v.toUInt(&ok, 16);
  if (!ok || v.size() != 6) return std::nullopt;
  return swf::TRgba{uint8_t(rgb >> 16), uint8_t(rgb >> 8), uint8_t(rgb), 255};
}

}  // namespace

std::vector<TParagraph> ParsePlainText(const QString& text, const TTextStyle& base, uint8_t align) {
  std::vector<TParagraph> paragraphs(1, TParagraph{align, {}});
  QString normal = text;
  normal.replace("\r\n", "\n").replace('\r', '\n');
  const QStringList lines = normal.split('\n');
  for (int i = 0; i < lines.size(); ++i) {
    if (i > 0) paragraphs.push_back({align, {}});
    Append(paragraphs, lines[i], base);
  }
  return paragraphs;
}

std::vector<TParagraph> ParseHtmlText(const QString& html, const TTextStyle& base, uint8_t align) {
  std::vector<TParagraph> paragraphs(1, TParagraph{align, {}});
  std::vector<TTextStyle> styles = {base};  // one more for each open <font>, <b>, <i>, <u>
  std::vector<QString> open;               // the names of those tags
  bool paragraphUsed = false;              // the current paragraph came from text or a <p>
  bool paragraphClosed = false;            // a </p>: text that follows starts a new one
  // Open tags are capped, so a stream of them cannot grow the stacks without end.
  constexpr size_t MaxDepth = 256;
  int i = 0;
  while (i < html.size()) {
    if (html[i] != '<') {
      int end = html.indexOf('<', i);
      if (end < 0) end = html.size();
      QString text = Decode(html.mid(i, end - i));
      text.replace('\r', ' ').replace('\n', ' ');
      if (paragraphClosed && !text.isEmpty()) {
        paragraphs.push_back({align, {}});
        paragraphClosed = false;
      }
      Append(paragraphs, text, styles.back());
      paragraphUsed = paragraphUsed || !text.isEmpty();
      i = end;
      continue;
    }
    int end = html.indexOf('>', i);
    if (end < 0) break;
    QString inside = html.mid(i + 1, end - i - 1).trimmed();
    i = end + 1;
    const bool closing = inside.startsWith('/');
    if (closing) inside = inside.mid(1);
    if (inside.endsWith('/')) inside.chop(1);
    const QString name = inside.section(' ', 0, 0).toLower();
    if (name == "br") {
      paragraphs.push_back({paragraphs.back().Align, {}});
      continue;
    }
    if (name == "p" || name == "li") {
      if (closing) {
        paragraphClosed = true;
        continue;
      }
      paragraphClosed = false;
      // A paragraph starts unless the one open is still empty.
      if (paragraphUsed) paragraphs.push_back({align, {}});
      paragraphUsed = true;
      paragraphs.back().Align = align;
      for (const auto& [key, value] : Attributes(inside))
        if (key == "align") paragraphs.back().Align = AlignOf(value, align);
      continue;
    }
    if (name != "font" && name != "b" && name != "i" && name != "u") continue;
    if (closing) {
      // Closes the innermost open tag of that name (and what was opened within it).
      for (size_t k = open.size(); k-- > 0;) {
        if (open[k] == name) {
          open.resize(k);
          styles.resize(k + 1);
          break;
        }
      }
      continue;
    }
    if (open.size() >= MaxDepth) continue;
    TTextStyle style = styles.back();
    if (name == "b") style.Bold = true;
    if (name == "i") style.Italic = true;
    if (name == "u") style.Underline = true;
    if (name == "font") {
      for (const auto& [key, value] : Attributes(inside)) {
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
    open.push_back(name);
    styles.push_back(style);
  }
  return paragraphs;
}

}  // namespace player
