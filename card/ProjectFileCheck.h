// A card file read as opening it for editing would read it, without touching the card that
// is open: a file that cannot be opened is refused before anything is replaced.
#pragma once

#include <string>

// Throws std::runtime_error with a message naming the file when it is missing, not a card
// or holds settings or objects that cannot be read.
void CheckProjectFile(const std::string& file);
