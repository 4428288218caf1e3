#include "document/CardValues.h"

#include <cctype>

namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

int HexDigit(char c)
{
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

} // namespace

std::string TConvertError::Explained() const
{
  if (Element.empty()) return what();
  if (Text.empty()) return "<" + Element + "> is empty or missing; it must hold a whole number";
  std::string shown = Text.size() > 40 ? Text.substr(0, 40) + "..." : Text;
  return "<" + Element + "> holds \"" + shown + "\", which is not a whole number from -2147483648 to 2147483647";
}

std::optional<std::int32_t> ParseIntegerText(std::string_view text)
{
  while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.empty()) return std::nullopt;

  bool hex = false;
  if (text.front() == '$') {
    hex = true;
    text.remove_prefix(1);
  } else if (text.size() > 1 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    hex = true;
    text.remove_prefix(2);
  }
  if (text.empty()) return std::nullopt;

  // Accumulate in 64 bits and stop as soon as the value leaves the range it may have.
  const std::uint64_t limit = hex ? 0xFFFFFFFFull : (negative ? 2147483648ull : 2147483647ull);
  std::uint64_t magnitude = 0;
  for (char c : text) {
    int digit = hex ? HexDigit(c) : (c >= '0' && c <= '9' ? c - '0' : -1);
    if (digit < 0) return std::nullopt;
    magnitude = magnitude * (hex ? 16 : 10) + static_cast<std::uint64_t>(digit);
    if (magnitude > limit) return std::nullopt;
  }
  std::uint32_t bits = static_cast<std::uint32_t>(magnitude);
  if (negative) bits = 0u - bits;
  return static_cast<std::int32_t>(bits);
}

std::string IntegerToText(std::int32_t value) { return std::to_string(value); }

std::optional<std::uint32_t> ParseColourText(std::string_view text)
{
  auto value = ParseIntegerText(text);
  if (!value) return std::nullopt;
  return static_cast<std::uint32_t>(*value);
}

std::uint32_t StrToIntColour(std::string_view text)
{
  auto value = ParseColourText(text);
  if (!value) throw TConvertError("'" + std::string(text) + "' is not a valid integer value");
  return *value;
}

std::string ColourToText(std::uint32_t colour) { return std::to_string(colour); }

bool ParseBooleanText(std::string_view text)
{
  static constexpr std::string_view trueText = "TRUE";
  if (text.size() != trueText.size()) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    // ASCII folding only: other letters never match "TRUE" anyway.
    if (std::toupper(static_cast<unsigned char>(text[i])) != trueText[i]) return false;
  }
  return true;
}

std::string BooleanToText(bool value) { return value ? "true" : "false"; }
