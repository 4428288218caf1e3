// Media paths as a card's own file keeps them: a picture or sound in the card's folder or
// below is written relative to it, so a card folder moved, copied or unzipped elsewhere still
// opens whole (relative paths are looked for beside the card first).
#pragma once

#include <string>

// The card document `xml` with every absolute media path that lies in `cardFolder` or below
// made relative to it (with '/' between its parts). The bytes come back unchanged when there is
// none. Throws TXMLError when `xml` is not a card document.
std::string CardXmlWithRelativeMedia(const std::string& xml, const std::string& cardFolder);

// `path` relative to `folder` when it is an absolute path in it or below; otherwise as it is.
std::string MediaPathForCard(const std::string& path, const std::string& folder);
