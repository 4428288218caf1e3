#include "card/CardObjectCopy.h"

#include <algorithm>
#include <limits>
#include <pugixml.hpp>
#include <set>
#include <sstream>
#include <utility>

namespace {

bool KnownKind(const std::string& kind) { return kind == "Text" || kind == "Pic" || kind == "Sound"; }

std::string ToXml(pugi::xml_node node)
{
  std::ostringstream text;
  node.print(text, "", pugi::format_raw);
  return text.str();
}

// Parses one Obj element; throws TXMLError with what is wrong.
void ParseObject(pugi::xml_document& document, std::string_view xml)
{
  if (xml.size() > MaxObjectXmlSize) throw TXMLError("The copied object is too large to paste.");
  const pugi::xml_parse_result parsed = document.load_buffer(xml.data(), xml.size());
  if (!parsed) throw TXMLError("The copied object cannot be read: " + std::string(parsed.description()) + ".");
  const pugi::xml_node object = document.document_element();
  if (std::string_view(object.name()) != "Obj" || !KnownKind(object.child("ObjTypeName").text().get()))
    throw TXMLError("The copied object is not a text, picture or sound.");
}

int ReadInteger(pugi::xml_node element, const char* name)
{
  const std::string text = element.child(name).text().get();
  try {
    std::size_t used = 0;
    const long long value = std::stoll(text, &used);
    if (used == text.size() && value >= std::numeric_limits<int>::min() && value <= std::numeric_limits<int>::max())
      return static_cast<int>(value);
  } catch (const std::exception&) {
  }
  throw TXMLError("The copied object's <" + std::string(name) + "> holds \"" + text + "\", which is not a number.");
}

std::string FreeName(const TXMLObjList& objects, const std::string& kind)
{
  std::set<std::string> taken;
  for (int i = 0; i < objects.Count(); ++i) taken.insert(objects.Item(i).ObjName());
  for (long long number = 1;; ++number)
    if (!taken.count(kind + std::to_string(number))) return kind + std::to_string(number);
}

void SetChildText(pugi::xml_node parent, const char* name, const std::string& value)
{
  pugi::xml_node child = parent.child(name);
  if (!child) child = parent.append_child(name);
  child.text().set(value.c_str());
}

// Text from another program as a text object's words.
std::string CleanWords(std::string_view words)
{
  std::string clean;
  clean.reserve(words.size());
  for (std::size_t i = 0; i < words.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(words[i]);
    if (c == '\r') {
      clean += '\n';
      if (i + 1 < words.size() && words[i + 1] == '\n') ++i;
    } else if (c >= 0x20 || c == '\n' || c == '\t') {
      if (c != 0x7F) clean += static_cast<char>(c);
    }
  }
  return clean;
}

} // namespace

std::string PlainTextObjectXml(std::string_view words)
{
  const std::string content = CleanWords(words);
  if (content.find_first_not_of(" \t\n") == std::string::npos) return {};
  pugi::xml_document document;
  pugi::xml_node object = document.append_child("Obj");
  // As a text inserted by hand starts: 25 frames, red 18-point words at (50, 50), no effect.
  const std::pair<const char*, const char*> fields[] = {
      {"ObjName", "Text"}, {"StartTime", "0"}, {"EndTime", "24"}, {"Layer", "2"}, {"ObjTypeName", "Text"}};
  for (const auto& [name, value] : fields) object.append_child(name).text().set(value);
  pugi::xml_node text = object.append_child("ObjType").append_child("ObjText");
  const std::pair<const char*, const char*> settings[] = {
      {"Content", content.c_str()}, {"TextUnit", "1"},      {"FontName", "MS Sans Serif"},
      {"FontSize", "18"},           {"FontColor", "$FF0000"}, {"PositionX", "50"},
      {"PositionY", "50"},          {"EffectName", "-- None --"}, {"EffectValue", ""}};
  for (const auto& [name, value] : settings) text.append_child(name).text().set(value);
  return ToXml(object);
}

std::string CopyCardObject(const TXMLMovie& movie, const std::string& objName,
                           const std::function<std::string(const std::string&)>& resolvePath)
{
  TXMLObjList objects = movie.Obj();
  for (int i = 0; i < objects.Count(); ++i) {
    const pugi::xml_node object = objects.NodeAt(i);
    if (object.child("ObjName").text().get() != objName) continue;
    pugi::xml_document copy;
    pugi::xml_node copied = copy.append_copy(object);
    for (const char* kind : {"ObjPic", "ObjSound"})
      if (pugi::xml_node content = copied.child("ObjType").child(kind).child("Content")) {
        const std::string path = content.text().get();
        if (!path.empty() && resolvePath) content.text().set(resolvePath(path).c_str());
      }
    return ToXml(copied);
  }
  throw TXMLError("The card has no object \"" + objName + "\".");
}

std::string CardObjectWords(std::string_view objectXml)
{
  pugi::xml_document document;
  try {
    ParseObject(document, objectXml);
  } catch (const TXMLError&) {
    return {};
  }
  const pugi::xml_node object = document.document_element();
  if (std::string_view(object.child("ObjTypeName").text().get()) != "Text") return {};
  return object.child("ObjType").child("ObjText").child("Content").text().get();
}

TPastedObject PasteCardObject(const TXMLMovie& movie, std::string_view objectXml, int startFrame)
{
  pugi::xml_document document;
  ParseObject(document, objectXml);
  const pugi::xml_node object = document.document_element();
  const long long length =
      static_cast<long long>(ReadInteger(object, "EndTime")) - ReadInteger(object, "StartTime");
  const long long start = std::max(0, startFrame);
  const long long end = std::clamp(start + length, 0LL, static_cast<long long>(std::numeric_limits<int>::max()));

  TPastedObject pasted;
  pasted.Kind = object.child("ObjTypeName").text().get();
  TXMLObjList objects = movie.Obj();
  pasted.Name = FreeName(objects, pasted.Kind);
  SetChildText(object, "ObjName", pasted.Name);
  SetChildText(object, "StartTime", std::to_string(start));
  SetChildText(object, "EndTime", std::to_string(end));
  // A new item at the end of the list, then the copy's children moved into it.
  pugi::xml_node target = objects.AddNode();
  for (pugi::xml_node child : object.children()) target.append_copy(child);
  return pasted;
}
