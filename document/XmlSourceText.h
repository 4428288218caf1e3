// What the card document needs to know about the raw bytes of a card file: its byte-order
// mark, and the line and column of a parser position.
#pragma once

#include <string>
#include <string_view>

#include <pugixml.hpp>

// True when the bytes begin with the byte-order mark of that encoding.
bool HasByteOrderMark(std::string_view bytes, pugi::xml_encoding encoding);

// The bytes as UTF-8, the form the parser works on and measures its error offsets in.
// UTF-16, UTF-32 (either byte order) and Latin-1 are converted; other bytes are returned as
// they are. A byte-order mark is converted too, as the parser does.
std::string SourceAsUtf8(std::string_view bytes, pugi::xml_encoding encoding);

// Line and column (both from 1, the column in characters) of a byte offset into UTF-8 text.
// A leading byte-order mark takes no column; "\r\n", "\n" and a lone "\r" end a line.
struct TSourcePosition {
  int Line = 1;
  int Column = 1;
};
TSourcePosition PositionOfOffset(std::string_view utf8, std::ptrdiff_t offset);
