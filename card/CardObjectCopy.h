// Card objects as the clipboard carries them: one Obj element as XML text, taken out of a
// card with its media paths made absolute, and put into a card (the same one or another)
// under a fresh name.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "document/XMLUnit.h"

// The Obj element named `objName` of `movie` as XML text; each picture or sound path goes
// through `resolvePath`, so the text names the same file in any card. Throws TXMLError when
// the card has no object of that name.
std::string CopyCardObject(const TXMLMovie& movie, const std::string& objName,
                           const std::function<std::string(const std::string&)>& resolvePath);

// The words of a copied text object (empty for a picture or a sound, or text that is not an
// object), for the clipboard's plain text.
std::string CardObjectWords(std::string_view objectXml);

// A text object holding `words`, as a copied object would read, with the settings of a text
// inserted by hand. Line ends become '\n'; other control characters, which the card file
// cannot hold, are left out. Empty when nothing but white space is left.
std::string PlainTextObjectXml(std::string_view words);

struct TPastedObject {
  std::string Name;
  std::string Kind; // "Text", "Pic" or "Sound"
};

// Appends the object of `objectXml` to `movie` under the first free name of its kind, moved
// in time to start at `startFrame` with its length kept. Text that is not one text, picture
// or sound object (malformed, of another kind, larger than any object) throws TXMLError and
// leaves the card as it was.
TPastedObject PasteCardObject(const TXMLMovie& movie, std::string_view objectXml, int startFrame);

// The longest object text a paste reads: a text object of the longest words a card takes
// is far below it.
inline constexpr std::size_t MaxObjectXmlSize = 1024 * 1024;
