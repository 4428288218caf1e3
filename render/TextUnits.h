// Cutting a text into the units that the per-letter effects animate one by one.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Length of the well-formed UTF-8 sequence at the start of `text`, or 0 when there is none
// (no overlong forms, no surrogates, nothing above U+10FFFF).
std::size_t Utf8SequenceLength(std::string_view text);

// The characters (Unicode code points) of UTF-8 text, each as its own UTF-8 string. A byte
// that does not begin a well-formed sequence becomes U+FFFD, so no character is cut in half
// and no broken sequence reaches the text shaper.
std::vector<std::string> SplitCharacters(std::string_view utf8);

// One entry per character of `utf8`: the first entries hold `unitLength` characters each
// (fewer in the last unit), the remaining entries are empty. A unit length below 1 counts
// as 1.
std::vector<std::string> SplitTextUnits(std::string_view utf8, int unitLength);
