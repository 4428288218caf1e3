#include "render/TextFields.h"

#include <algorithm>

namespace {

// Walks the text and hands each piece to the callbacks: plain text (escapes already made
// single) and field names. Keeps one grammar for filling and for listing.
template <typename OnText, typename OnField>
void ScanFields(std::string_view text, OnText onText, OnField onField)
{
  std::size_t pos = 0;
  while (pos < text.size()) {
    const char c = text[pos];
    const bool doubled = pos + 1 < text.size() && text[pos + 1] == c;
    if ((c == '{' || c == '}') && doubled) {
      onText(text.substr(pos, 1));
      pos += 2;
      continue;
    }
    if (c == '{') {
      // A name runs to the next closing brace and holds no brace or line break.
      const std::size_t end = text.find_first_of("{}\n\r", pos + 1);
      if (end != std::string_view::npos && text[end] == '}' && end > pos + 1) {
        onField(text.substr(pos + 1, end - pos - 1), text.substr(pos, end - pos + 1));
        pos = end + 1;
        continue;
      }
    }
    const std::size_t next = text.find_first_of("{}", pos + 1);
    const std::size_t end = next == std::string_view::npos ? text.size() : next;
    onText(text.substr(pos, end - pos));
    pos = end;
  }
}

} // namespace

std::string FillFields(std::string_view text, const TFieldValues& values)
{
  std::string filled;
  filled.reserve(text.size());
  ScanFields(
      text, [&](std::string_view piece) { filled += piece; },
      [&](std::string_view name, std::string_view written) {
        const auto value = values.find(std::string(name));
        filled += value == values.end() ? written : std::string_view(value->second);
      });
  return filled;
}

std::vector<std::string> FieldNames(std::string_view text)
{
  std::vector<std::string> names;
  ScanFields(
      text, [](std::string_view) {},
      [&](std::string_view name, std::string_view) {
        if (std::find(names.begin(), names.end(), name) == names.end()) names.emplace_back(name);
      });
  return names;
}
