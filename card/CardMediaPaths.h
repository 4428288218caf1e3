// Media paths as a card's own file keeps them: a picture or sound in the card's folder or
// below is written relative to it, so a card folder moved, copied or unzipped elsewhere still
// opens whole (relative paths are looked for beside the card first).
#pragma once

#include <map>
#include <string>
#include <vector>

// The card document `xml` with every absolute media path that lies in `cardFolder` or below
// made relative to it (with '/' between its parts). The bytes come back unchanged when there is
// none. Throws TXMLError when `xml` is not a card document.
std::string CardXmlWithRelativeMedia(const std::string& xml, const std::string& cardFolder);

// `path` relative to `folder` when it is an absolute path in it or below; otherwise as it is.
std::string MediaPathForCard(const std::string& path, const std::string& folder);

// Every picture and sound path the card document names (background picture included), each
// once, in document order. Throws TXMLError when `xml` is not a card document.
std::vector<std::string> MediaPathsOf(const std::string& xml);

// The card document with each media path found in `replacements` replaced by its new path;
// the bytes unchanged when none is found.
std::string CardXmlWithMediaReplaced(const std::string& xml,
                                     const std::map<std::string, std::string>& replacements);
