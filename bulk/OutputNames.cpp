#include "bulk/OutputNames.h"

#include <algorithm>
#include <set>

#include "render/TextUnits.h"

namespace {

bool IsRefused(const std::string& character)
{
  if (character.size() != 1) return character == "\xC2\x85"; // NEL, a line break too
  const unsigned char c = static_cast<unsigned char>(character[0]);
  return c < 0x20 || c == 0x7F;
}

bool IsReplaced(const std::string& character)
{
  return character.size() == 1 && std::string_view("/\\<>:\"|?*").find(character[0]) != std::string_view::npos;
}

std::string Folded(const std::string& name)
{
  std::string folded = name;
  std::transform(folded.begin(), folded.end(), folded.begin(), [](unsigned char c) { return std::tolower(c); });
  return folded;
}

// Names some systems keep for devices, whatever the extension.
bool IsDeviceName(const std::string& name)
{
  static const std::set<std::string> devices = {"con", "prn", "aux", "nul"};
  const std::string folded = Folded(name);
  if (devices.count(folded)) return true;
  return folded.size() == 4 && (folded.rfind("com", 0) == 0 || folded.rfind("lpt", 0) == 0) && folded[3] >= '1' &&
         folded[3] <= '9';
}

} // namespace

std::string SafeFileName(std::string_view text)
{
  std::string name;
  for (const std::string& character : SplitCharacters(text)) {
    if (IsRefused(character)) continue;
    const std::string piece = IsReplaced(character) ? "_" : character;
    if (name.size() + piece.size() > MaxNameBytes) break;
    name += piece;
  }
  // No "..": runs of dots become one.
  for (std::size_t dots; (dots = name.find("..")) != std::string::npos;) name.erase(dots, 1);
  name.erase(0, name.find_first_not_of(". "));
  if (name.find_first_not_of(". ") == std::string::npos) return {};
  name.erase(name.find_last_not_of(". ") + 1);
  if (IsDeviceName(name)) name = "_" + name;
  return name;
}

std::vector<std::string> UniqueNames(const std::vector<std::string>& names)
{
  std::vector<std::string> unique;
  unique.reserve(names.size());
  std::set<std::string> taken;
  for (const std::string& base : names) {
    std::string name = base;
    for (int number = 2; !taken.insert(Folded(name)).second; ++number) name = base + "-" + std::to_string(number);
    unique.push_back(std::move(name));
  }
  return unique;
}
