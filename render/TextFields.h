// Fields in a card's texts: "{Name}" stands for a value given at render time, "{{" and
// "}}" write a brace. The card file keeps the text as written; only a render with values
// fills them in.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

using TFieldValues = std::map<std::string, std::string>;

// The text with every "{Name}" that has a value replaced by it and "{{", "}}" made single
// braces. A field without a value and a brace that opens or closes nothing stay as written.
std::string FillFields(std::string_view text, const TFieldValues& values);

// The names of the fields in the text, in order of first appearance, each once.
std::vector<std::string> FieldNames(std::string_view text);
