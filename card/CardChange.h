// What one edit did to the card document, found by comparing the document before and after
// it: the words the Undo and Redo entries show ("Move", "Insert Text") and the object and
// elements it touched, by which a run of the same edit is told from a new one.
#pragma once

#include <string>

struct TCardChange {
  bool Changed = false;
  // "Move", "Typing", "Insert Picture", "Background Color", ... ("Change" when mixed).
  std::string Label;
  // ObjName of the one object the edit touched (inserted, deleted or changed); empty for
  // the movie's own settings.
  std::string ObjectName;
  bool Inserted = false;
  bool Deleted = false;
  // The touched elements, as paths below the object or the movie, joined by spaces.
  std::string Elements;
};

// Both arguments are whole card documents as saved. A text that does not parse counts as
// an empty card.
TCardChange DescribeCardChange(const std::string& beforeXml, const std::string& afterXml);
