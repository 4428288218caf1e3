#include "render/TextUnits.h"

#include <cstdint>

namespace {

constexpr const char* ReplacementCharacter = "\xEF\xBF\xBD";

} // namespace

std::size_t Utf8SequenceLength(std::string_view text)
{
  const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(text[i]); };
  const std::uint8_t lead = byte(0);
  if (lead < 0x80) return 1;
  std::size_t length;
  std::uint8_t secondMin = 0x80, secondMax = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) secondMin = 0xA0; // no overlong forms
    if (lead == 0xED) secondMax = 0x9F; // no surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) secondMin = 0x90;
    if (lead == 0xF4) secondMax = 0x8F; // nothing above U+10FFFF
  } else {
    return 0;
  }
  if (text.size() < length) return 0;
  if (byte(1) < secondMin || byte(1) > secondMax) return 0;
  for (std::size_t i = 2; i < length; ++i)
    if (byte(i) < 0x80 || byte(i) > 0xBF) return 0;
  return length;
}

std::vector<std::string> SplitCharacters(std::string_view utf8)
{
  std::vector<std::string> characters;
  while (!utf8.empty()) {
    std::size_t length = Utf8SequenceLength(utf8);
    if (length == 0) {
      characters.emplace_back(ReplacementCharacter);
      length = 1;
    } else {
      characters.emplace_back(utf8.substr(0, length));
    }
    utf8.remove_prefix(length);
  }
  return characters;
}

std::vector<std::string> SplitTextUnits(std::string_view utf8, int unitLength)
{
  const std::vector<std::string> characters = SplitCharacters(utf8);
  const std::size_t step = unitLength < 1 ? 1 : static_cast<std::size_t>(unitLength);
  std::vector<std::string> units(characters.size());
  std::size_t k = 0;
  for (std::size_t pos = 0; pos < characters.size(); pos += step, ++k) {
    for (std::size_t c = pos; c < pos + step && c < characters.size(); ++c) units[k] += characters[c];
  }
  return units;
}
