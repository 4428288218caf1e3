// The "{Name}" fields a card's texts use, for tools that fill them from a list.
#pragma once

#include <string>
#include <vector>

#include "document/XMLUnit.h"

// Field names of every text object, in document order, each once. Reads only: the
// document is not changed.
std::vector<std::string> CardFieldNames(const TXMLMovie& movie);
