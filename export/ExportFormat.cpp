#include "export/ExportOptions.h"

#include <algorithm>
#include <cctype>
#include <utility>

namespace exporter {

namespace {

const std::pair<const char*, TExportFormat> Extensions[] = {
    {".mp4", TExportFormat::Mp4},   {".webm", TExportFormat::WebM},
    {".gif", TExportFormat::Gif},   {".webp", TExportFormat::WebP},
    {".png", TExportFormat::Png},   {".html", TExportFormat::WebPage},
    {".swf", TExportFormat::CompressedSwf},
};

}  // namespace

std::optional<TExportFormat> FormatOfPath(const std::string& path) {
  const size_t dot = path.find_last_of('.');
  const size_t slash = path.find_last_of('/');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return std::nullopt;
  std::string extension = path.substr(dot);
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  for (const auto& [name, format] : Extensions) {
    if (extension == name) return format;
  }
  return std::nullopt;
}

std::string KnownExtensions() {
  std::string list;
  for (const auto& [name, format] : Extensions) {
    if (!list.empty()) list += ", ";
    list += name;
  }
  return list;
}

}  // namespace exporter
