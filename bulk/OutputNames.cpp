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

// FNV-1a over the bytes, then mixed (splitmix64's finaliser) so that the low bits, which
// choose the slot, depend on every byte.
std::uint64_t Fingerprint(const std::string& text)
{
  std::uint64_t hash = 0xcbf29ce484222325ull;
  for (unsigned char c : text) hash = (hash ^ c) * 0x100000001b3ull;
  hash ^= hash >> 30;
  hash *= 0xbf58476d1ce4e5b9ull;
  hash ^= hash >> 27;
  hash *= 0x94d049bb133111ebull;
  return hash ^ (hash >> 31);
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

std::string TUniqueNames::Take(const std::string& base)
{
  std::string name = base;
  for (int number = 2; !Insert(Fingerprint(Folded(name))); ++number) name = base + "-" + std::to_string(number);
  return name;
}

bool TUniqueNames::Insert(std::uint64_t fingerprint)
{
  if (fingerprint == 0) fingerprint = 1;
  // Filled to four fifths at most: a few probes a name, and 10 bytes a name on average.
  if (5 * (FUsed + 1) > 4 * FSlots.size()) {
    std::vector<std::uint64_t> old(std::max<std::size_t>(64, 2 * FSlots.size()), 0);
    old.swap(FSlots);
    FUsed = 0;
    for (std::uint64_t kept : old)
      if (kept) Insert(kept);
  }
  const std::size_t mask = FSlots.size() - 1;
  for (std::size_t slot = static_cast<std::size_t>(fingerprint) & mask;; slot = (slot + 1) & mask) {
    if (FSlots[slot] == fingerprint) return false;
    if (FSlots[slot] == 0) {
      FSlots[slot] = fingerprint;
      ++FUsed;
      return true;
    }
  }
}

std::vector<std::string> UniqueNames(const std::vector<std::string>& names)
{
  std::vector<std::string> unique;
  unique.reserve(names.size());
  TUniqueNames taken;
  for (const std::string& name : names) unique.push_back(taken.Take(name));
  return unique;
}
