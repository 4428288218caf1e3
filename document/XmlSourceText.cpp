#include "document/XmlSourceText.h"

#include <cstdint>

namespace {

void AppendUtf8(std::string& out, std::uint32_t cp)
{
  if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

std::uint32_t Unit(std::string_view bytes, std::size_t pos, int size, bool bigEndian)
{
  std::uint32_t value = 0;
  for (int i = 0; i < size; ++i) {
    auto byte = static_cast<unsigned char>(bytes[pos + (bigEndian ? i : size - 1 - i)]);
    value = (value << 8) | byte;
  }
  return value;
}

std::string FromUtf16(std::string_view bytes, bool bigEndian)
{
  std::string out;
  out.reserve(bytes.size());
  std::size_t pos = 0;
  while (pos + 2 <= bytes.size()) {
    std::uint32_t unit = Unit(bytes, pos, 2, bigEndian);
    pos += 2;
    if (unit >= 0xD800 && unit <= 0xDBFF && pos + 2 <= bytes.size()) {
      std::uint32_t low = Unit(bytes, pos, 2, bigEndian);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        pos += 2;
        unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
      }
    }
    AppendUtf8(out, unit);
  }
  return out;
}

std::string FromUtf32(std::string_view bytes, bool bigEndian)
{
  std::string out;
  out.reserve(bytes.size());
  for (std::size_t pos = 0; pos + 4 <= bytes.size(); pos += 4) AppendUtf8(out, Unit(bytes, pos, 4, bigEndian));
  return out;
}

} // namespace

bool HasByteOrderMark(std::string_view bytes, pugi::xml_encoding encoding)
{
  switch (encoding) {
  case pugi::encoding_utf8: return bytes.starts_with("\xEF\xBB\xBF");
  case pugi::encoding_utf16_le: return bytes.starts_with("\xFF\xFE");
  case pugi::encoding_utf16_be: return bytes.starts_with("\xFE\xFF");
  case pugi::encoding_utf32_le: return bytes.starts_with(std::string_view("\xFF\xFE\0\0", 4));
  case pugi::encoding_utf32_be: return bytes.starts_with(std::string_view("\0\0\xFE\xFF", 4));
  default: return false;
  }
}

std::string SourceAsUtf8(std::string_view bytes, pugi::xml_encoding encoding)
{
  switch (encoding) {
  case pugi::encoding_utf16_le: return FromUtf16(bytes, false);
  case pugi::encoding_utf16_be: return FromUtf16(bytes, true);
  case pugi::encoding_utf32_le: return FromUtf32(bytes, false);
  case pugi::encoding_utf32_be: return FromUtf32(bytes, true);
  case pugi::encoding_latin1: {
    std::string out;
    for (char c : bytes) AppendUtf8(out, static_cast<unsigned char>(c));
    return out;
  }
  default: return std::string(bytes);
  }
}

TSourcePosition PositionOfOffset(std::string_view utf8, std::ptrdiff_t offset)
{
  std::size_t end = offset < 0 ? 0 : static_cast<std::size_t>(offset);
  if (end > utf8.size()) end = utf8.size();
  std::size_t pos = utf8.starts_with("\xEF\xBB\xBF") ? 3 : 0;
  TSourcePosition where;
  for (; pos < end; ++pos) {
    char c = utf8[pos];
    if (c == '\n' || (c == '\r' && (pos + 1 >= utf8.size() || utf8[pos + 1] != '\n'))) {
      ++where.Line;
      where.Column = 1;
    } else if (c != '\r' && (static_cast<unsigned char>(c) & 0xC0) != 0x80) {
      ++where.Column; // continuation bytes belong to the character before them
    }
  }
  return where;
}
