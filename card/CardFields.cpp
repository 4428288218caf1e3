#include "card/CardFields.h"

#include <algorithm>

#include "render/TextFields.h"

std::vector<std::string> CardFieldNames(const TXMLMovie& movie)
{
  std::vector<std::string> names;
  const TXMLObjList objects = movie.Obj();
  for (int i = 0; i < objects.Count(); ++i) {
    const TXMLObj object = objects.Item(i);
    // Only texts hold fields; asking another kind for its text would add the element.
    if (object.ObjTypeName() != "Text") continue;
    for (std::string& name : FieldNames(object.ObjType().ObjText().Content()))
      if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(std::move(name));
  }
  return names;
}
