// Card files in a legacy character set (windows-1252, GBK, Big5, ...): the set their XML
// declaration names, and the conversions to and from the UTF-8 the document works in.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

// A character set that cannot be read, or bytes that are not valid in it.
class TCharsetError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// The character set named by the XML declaration at the very start of the bytes, when the
// file must be converted to be read: none for UTF-8 and Latin-1 (the parser reads those
// itself), for a file without a declaration or one starting with a byte-order mark, and for
// a UTF-16 or UTF-32 name in a file whose bytes are not in that form.
std::optional<std::string> DeclaredLegacyCharset(std::string_view bytes);

// The bytes as UTF-8. Throws TCharsetError for a set unknown to the converter or bytes
// that are not valid in it.
std::string LegacyToUtf8(std::string_view bytes, const std::string& charset);

// The UTF-8 text in the character set, or none when a character has no place in it.
std::optional<std::string> Utf8ToLegacy(std::string_view utf8, const std::string& charset);
