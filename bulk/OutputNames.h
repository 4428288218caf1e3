// File names for the cards of a list: made from text that may hold anything a list can
// (slashes, dots, control characters, very long names), and kept apart from each other.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Longest name made, in bytes, before a number and the extension are added.
inline constexpr std::size_t MaxNameBytes = 200;

// The text as one file name: no path separators, no control characters, none of the
// characters other systems refuse (< > : " | ? *), runs of dots made one, no leading dots
// (no hidden file), no trailing dots or spaces, at most MaxNameBytes bytes cut between
// characters. Empty when nothing is left.
std::string SafeFileName(std::string_view text);

// Hands out names in order with every repeat numbered ("Anna", "Anna-2", "Anna-3"); names
// that differ only in letter case count as repeats, since many disks do not tell them
// apart. A name taken is kept as a 64-bit fingerprint, not as text, so a list of millions
// of rows takes about ten bytes a row (two different names with one fingerprint, a chance of
// about one in 10^12 for a million names, would number the second needlessly).
class TUniqueNames {
public:
  std::string Take(const std::string& name);

private:
  bool Insert(std::uint64_t fingerprint);
  std::vector<std::uint64_t> FSlots; // open addressing; 0 marks a free slot
  std::size_t FUsed = 0;
};

// The names in order, each as TUniqueNames hands it out.
std::vector<std::string> UniqueNames(const std::vector<std::string>& names);
