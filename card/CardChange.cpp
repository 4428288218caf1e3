#include "card/CardChange.h"

#include <algorithm>
#include <map>
#include <set>
#include <vector>

#include <pugixml.hpp>

namespace {

// Element path -> text of every leaf element below a node.
using TLeaves = std::map<std::string, std::string>;

void CollectLeaves(const pugi::xml_node& node, const std::string& prefix, TLeaves& leaves)
{
  bool hasElement = false;
  for (pugi::xml_node child : node.children()) {
    if (child.type() != pugi::node_element) continue;
    hasElement = true;
    CollectLeaves(child, prefix.empty() ? child.name() : prefix + "/" + child.name(), leaves);
  }
  if (!hasElement && !prefix.empty()) leaves[prefix] = node.child_value();
}

struct TCardContent {
  TLeaves Movie;                               // the movie's settings, objects left out
  std::map<std::string, TLeaves> Objects;      // by ObjName
  std::map<std::string, std::string> Kinds;    // ObjName -> ObjTypeName
  std::vector<std::string> Order;              // ObjNames in document order
};

TCardContent ReadContent(const std::string& xml)
{
  TCardContent content;
  pugi::xml_document document;
  if (!document.load_buffer(xml.data(), xml.size())) return content;
  const pugi::xml_node root = document.document_element();
  for (pugi::xml_node child : root.children()) {
    if (child.type() != pugi::node_element) continue;
    if (std::string(child.name()) != "Obj") {
      CollectLeaves(child, child.name(), content.Movie);
      continue;
    }
    const std::string name = child.child("ObjName").child_value();
    content.Order.push_back(name);
    content.Kinds[name] = child.child("ObjTypeName").child_value();
    CollectLeaves(child, "", content.Objects[name]);
  }
  return content;
}

std::set<std::string> ChangedPaths(const TLeaves& before, const TLeaves& after)
{
  std::set<std::string> paths;
  for (const auto& [path, text] : before) {
    auto found = after.find(path);
    if (found == after.end() || found->second != text) paths.insert(path);
  }
  for (const auto& [path, text] : after)
    if (!before.count(path)) paths.insert(path);
  return paths;
}

std::string LastPart(const std::string& path)
{
  const auto slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string KindWord(const std::string& kind)
{
  if (kind == "Pic") return "Picture";
  if (kind == "Sound") return "Sound";
  return "Text";
}

// The word for one changed element of an object of `kind`.
std::string ObjectElementWord(const std::string& kind, const std::string& element)
{
  if (element == "Content") return kind == "Text" ? "Typing" : KindWord(kind);
  if (element == "PositionX" || element == "PositionY") return "Move";
  if (element == "FontName") return "Font";
  if (element == "FontSize") return "Font Size";
  if (element == "FontColor") return "Font Color";
  if (element == "StartTime" || element == "EndTime") return "Frames";
  if (element == "EffectName" || element == "EffectValue") return "Effect";
  if (element == "Width" || element == "Height") return "Picture Size";
  return "Change " + KindWord(kind);
}

std::string MovieElementWord(const std::string& element)
{
  if (element == "BgColor") return "Background Color";
  if (element == "BgPic") return "Background Picture";
  if (element == "Width" || element == "Height") return "Stage Size";
  if (element == "Rate") return "Frame Rate";
  if (element == "Loop") return "Loop";
  if (element == "TotalFrames") return "Movie Length";
  return "Change";
}

// One word for a set of elements: their common word, or `mixed` when they differ.
template <typename TWordOf>
std::string CommonWord(const std::set<std::string>& paths, TWordOf wordOf, const std::string& mixed)
{
  std::string word;
  for (const std::string& path : paths) {
    const std::string next = wordOf(LastPart(path));
    if (!word.empty() && next != word) return mixed;
    word = next;
  }
  return word.empty() ? mixed : word;
}

std::string Join(const std::set<std::string>& paths)
{
  std::string joined;
  for (const std::string& path : paths) joined += (joined.empty() ? "" : " ") + path;
  return joined;
}

} // namespace

TCardChange DescribeCardChange(const std::string& beforeXml, const std::string& afterXml)
{
  TCardChange change;
  if (beforeXml == afterXml) return change;
  change.Changed = true;
  const TCardContent before = ReadContent(beforeXml);
  const TCardContent after = ReadContent(afterXml);

  for (const std::string& name : after.Order) {
    if (before.Objects.count(name)) continue;
    change.Inserted = true;
    change.ObjectName = name;
    change.Label = "Insert " + KindWord(after.Kinds.at(name));
    return change;
  }
  for (const std::string& name : before.Order) {
    if (after.Objects.count(name)) continue;
    change.Deleted = true;
    change.ObjectName = name;
    change.Label = "Delete " + KindWord(before.Kinds.at(name));
    return change;
  }

  // The frame count follows the preview: it changes beside the edit that caused it.
  std::set<std::string> movie = ChangedPaths(before.Movie, after.Movie);
  if (movie.size() > 1) movie.erase("TotalFrames");
  std::vector<std::string> touched;
  for (const std::string& name : after.Order)
    if (!ChangedPaths(before.Objects.at(name), after.Objects.at(name)).empty()) touched.push_back(name);

  if (touched.size() == 1 && (movie.empty() || movie == std::set<std::string>{"TotalFrames"})) {
    const std::string& name = touched.front();
    const std::set<std::string> paths = ChangedPaths(before.Objects.at(name), after.Objects.at(name));
    const std::string kind = after.Kinds.at(name);
    change.ObjectName = name;
    change.Elements = Join(paths);
    // Choosing an effect also gives the object the effect's length: it is still the effect.
    const bool effect = std::any_of(paths.begin(), paths.end(),
                                    [](const std::string& path) { return LastPart(path) == "EffectName"; });
    // A picture resized from its top or left side moves as well: still its size.
    const bool resized = std::any_of(paths.begin(), paths.end(), [](const std::string& path) {
      return LastPart(path) == "Width" || LastPart(path) == "Height";
    }) && std::all_of(paths.begin(), paths.end(), [&](const std::string& path) {
      const std::string word = ObjectElementWord(kind, LastPart(path));
      return word == "Picture Size" || word == "Move";
    });
    change.Label = effect    ? "Effect"
                   : resized ? "Picture Size"
                          : CommonWord(paths, [&](const std::string& e) { return ObjectElementWord(kind, e); },
                                       "Change " + KindWord(kind));
    return change;
  }
  if (touched.empty() && !movie.empty()) {
    change.Elements = Join(movie);
    change.Label = CommonWord(movie, MovieElementWord, "Change");
    return change;
  }
  // Objects reordered, several objects at once, or the objects and the movie together.
  change.Label = "Change";
  change.Elements = "*";
  return change;
}
