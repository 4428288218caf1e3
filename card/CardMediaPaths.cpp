#include "card/CardMediaPaths.h"

#include <algorithm>
#include <filesystem>
#include <pugixml.hpp>

#include "document/XmlDocument.h"

namespace {

namespace fs = std::filesystem;

// The elements of a card that hold a path: the background picture and the Content of every
// picture and sound (a text's Content is its words).
template <typename TVisit> void ForEachMediaPath(pugi::xml_node movie, TVisit visit)
{
  if (pugi::xml_node background = movie.child("BgPic")) visit(background);
  for (pugi::xml_node object : movie.children("Obj")) {
    const pugi::xml_node type = object.child("ObjType");
    for (const char* kind : {"ObjPic", "ObjSound"})
      if (pugi::xml_node content = type.child(kind).child("Content")) visit(content);
  }
}

} // namespace

std::string MediaPathForCard(const std::string& path, const std::string& folder)
{
  if (path.empty() || folder.empty()) return path;
  const fs::path media = fs::path(path).lexically_normal();
  const fs::path base = fs::path(folder).lexically_normal();
  if (!media.is_absolute() || !base.is_absolute()) return path;
  const fs::path relative = media.lexically_relative(base);
  // Outside the folder (or the folder itself): kept absolute.
  if (relative.empty() || relative == "." || *relative.begin() == "..") return path;
  return relative.generic_string();
}

std::string CardXmlWithRelativeMedia(const std::string& xml, const std::string& cardFolder)
{
  TXMLCardDocument document;
  document.LoadFromXml(xml);
  bool changed = false;
  ForEachMediaPath(document.DocumentElement(), [&](pugi::xml_node element) {
    const std::string path = element.text().get();
    const std::string written = MediaPathForCard(path, cardFolder);
    if (written == path) return;
    element.text().set(written.c_str());
    changed = true;
  });
  return changed ? document.SaveToXml() : xml;
}

std::vector<std::string> MediaPathsOf(const std::string& xml)
{
  TXMLCardDocument document;
  document.LoadFromXml(xml);
  std::vector<std::string> paths;
  ForEachMediaPath(document.DocumentElement(), [&](pugi::xml_node element) {
    const std::string path = element.text().get();
    if (!path.empty() && std::find(paths.begin(), paths.end(), path) == paths.end()) paths.push_back(path);
  });
  return paths;
}

std::string CardXmlWithMediaReplaced(const std::string& xml,
                                     const std::map<std::string, std::string>& replacements)
{
  TXMLCardDocument document;
  document.LoadFromXml(xml);
  bool changed = false;
  ForEachMediaPath(document.DocumentElement(), [&](pugi::xml_node element) {
    const auto found = replacements.find(element.text().get());
    if (found == replacements.end()) return;
    element.text().set(found->second.c_str());
    changed = true;
  });
  return changed ? document.SaveToXml() : xml;
}
