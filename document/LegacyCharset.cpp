#include "document/LegacyCharset.h"

#include <algorithm>
#include <cctype>
#include <memory>
#include <vector>

#include <unicode/ucnv.h>
#include <unicode/ustring.h>

namespace {

struct TCloseConverter {
  void operator()(UConverter* converter) const { ucnv_close(converter); }
};
using TConverter = std::unique_ptr<UConverter, TCloseConverter>;

// A converter that stops at the first byte or character it has no mapping for, instead of
// putting in a substitute: nothing is silently lost in either direction.
TConverter OpenStrict(const std::string& charset)
{
  UErrorCode status = U_ZERO_ERROR;
  TConverter converter(ucnv_open(charset.c_str(), &status));
  if (U_FAILURE(status) || !converter) return nullptr;
  ucnv_setToUCallBack(converter.get(), UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
  ucnv_setFromUCallBack(converter.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
  ucnv_setFallback(converter.get(), false);
  if (U_FAILURE(status)) return nullptr;
  return converter;
}

std::string Lower(std::string text)
{
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return char(std::tolower(c)); });
  return text;
}

bool StartsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

// The value of the declaration's encoding pseudo-attribute.
std::optional<std::string> EncodingOfDeclaration(std::string_view declaration)
{
  const std::size_t name = declaration.find("encoding");
  if (name == std::string_view::npos) return std::nullopt;
  std::size_t at = name + 8;
  while (at < declaration.size() && std::isspace(static_cast<unsigned char>(declaration[at]))) ++at;
  if (at >= declaration.size() || declaration[at] != '=') return std::nullopt;
  ++at;
  while (at < declaration.size() && std::isspace(static_cast<unsigned char>(declaration[at]))) ++at;
  if (at >= declaration.size() || (declaration[at] != '"' && declaration[at] != '\'')) return std::nullopt;
  const char quote = declaration[at];
  const std::size_t end = declaration.find(quote, at + 1);
  if (end == std::string_view::npos) return std::nullopt;
  return std::string(declaration.substr(at + 1, end - at - 1));
}

} // namespace

std::optional<std::string> DeclaredLegacyCharset(std::string_view bytes)
{
  // Only a declaration in single-byte ASCII at the first byte counts: a byte-order mark or
  // UTF-16 bytes say the encoding themselves.
  if (bytes.substr(0, 5) != "<?xml") return std::nullopt;
  const std::size_t end = bytes.substr(0, 1024).find("?>");
  if (end == std::string_view::npos) return std::nullopt;
  const std::optional<std::string> name = EncodingOfDeclaration(bytes.substr(0, end));
  if (!name || name->empty()) return std::nullopt;
  const std::string lower = Lower(*name);
  if (lower == "utf-8" || lower == "utf8" || lower == "iso-8859-1" || lower == "latin1") return std::nullopt;
  if (StartsWith(lower, "utf-16") || StartsWith(lower, "utf-32") || StartsWith(lower, "ucs")) return std::nullopt;
  return name;
}

std::string LegacyToUtf8(std::string_view bytes, const std::string& charset)
{
  TConverter converter = OpenStrict(charset);
  if (!converter) throw TCharsetError("Greetix cannot read the character set \"" + charset + "\".");
  const auto invalid = [&] { return TCharsetError("The text is not valid in its character set \"" + charset + "\"."); };
  UErrorCode status = U_ZERO_ERROR;
  const auto length = static_cast<int32_t>(bytes.size());
  const int32_t units = ucnv_toUChars(converter.get(), nullptr, 0, bytes.data(), length, &status);
  if (status != U_BUFFER_OVERFLOW_ERROR && U_FAILURE(status)) throw invalid();
  std::vector<UChar> wide(static_cast<std::size_t>(units) + 1);
  status = U_ZERO_ERROR;
  ucnv_reset(converter.get());
  ucnv_toUChars(converter.get(), wide.data(), static_cast<int32_t>(wide.size()), bytes.data(), length, &status);
  if (U_FAILURE(status)) throw invalid();

  int32_t size = 0;
  status = U_ZERO_ERROR;
  u_strToUTF8(nullptr, 0, &size, wide.data(), units, &status);
  if (status != U_BUFFER_OVERFLOW_ERROR && U_FAILURE(status)) throw invalid();
  std::string utf8(static_cast<std::size_t>(size), '\0');
  status = U_ZERO_ERROR;
  u_strToUTF8(utf8.data(), size, nullptr, wide.data(), units, &status);
  if (U_FAILURE(status)) throw invalid();
  return utf8;
}

std::optional<std::string> Utf8ToLegacy(std::string_view utf8, const std::string& charset)
{
  TConverter converter = OpenStrict(charset);
  if (!converter) return std::nullopt;
  UErrorCode status = U_ZERO_ERROR;
  int32_t units = 0;
  u_strFromUTF8(nullptr, 0, &units, utf8.data(), static_cast<int32_t>(utf8.size()), &status);
  if (status != U_BUFFER_OVERFLOW_ERROR && U_FAILURE(status)) return std::nullopt;
  std::vector<UChar> wide(static_cast<std::size_t>(units) + 1);
  status = U_ZERO_ERROR;
  u_strFromUTF8(wide.data(), static_cast<int32_t>(wide.size()), nullptr, utf8.data(), static_cast<int32_t>(utf8.size()),
                &status);
  if (U_FAILURE(status)) return std::nullopt;

  status = U_ZERO_ERROR;
  const int32_t size = ucnv_fromUChars(converter.get(), nullptr, 0, wide.data(), units, &status);
  if (status != U_BUFFER_OVERFLOW_ERROR && U_FAILURE(status)) return std::nullopt;
  std::string bytes(static_cast<std::size_t>(size) + 1, '\0');
  status = U_ZERO_ERROR;
  ucnv_reset(converter.get());
  ucnv_fromUChars(converter.get(), bytes.data(), static_cast<int32_t>(bytes.size()), wide.data(), units, &status);
  if (U_FAILURE(status)) return std::nullopt;
  bytes.resize(static_cast<std::size_t>(size));
  return bytes;
}
