#include "player/text/MarkupTokens.h"

namespace player {

TMarkupTag ReadTag(const QString& text) {
  TMarkupTag tag;
  QString inside = text.trimmed();
  tag.Closing = inside.startsWith('/');
  if (tag.Closing) inside = inside.mid(1);
  if (inside.endsWith('/')) inside.chop(1);
  int i = 0;
  const int n = inside.size();
  while (i < n && !inside[i].isSpace()) ++i;
  tag.Name = inside.left(i).toLower();
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
    if (!name.isEmpty()) tag.Attributes.emplace_back(name, DecodeEntities(value));
  }
  return tag;
}

QString DecodeEntities(const QString& text) {
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
      const bool hex = name.startsWith("#x", Qt::CaseInsensitive);
      const uint code = hex ? name.mid(2).toUInt(&ok, 16) : name.mid(1).toUInt(&ok, 10);
      // Surrogate halves are no characters of their own.
      if (ok && code > 0 && code < 0x110000 && (code < 0xD800 || code > 0xDFFF))
        value = QString::fromUcs4(reinterpret_cast<const char32_t*>(&code), 1);
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

}  // namespace player
