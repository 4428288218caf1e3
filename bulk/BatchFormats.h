// The formats a list's cards can be made in, for the command line and the editor alike.
#pragma once

#include <string>
#include <vector>

// In the order the usage names them; each is also the extension of the card's file.
const std::vector<std::string>& BatchFormats();
// Empty when the format can be made; otherwise why not.
std::string FormatRefusal(const std::string& format);
