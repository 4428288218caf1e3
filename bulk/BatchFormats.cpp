#include "bulk/BatchFormats.h"

const std::vector<std::string>& BatchFormats()
{
  static const std::vector<std::string> formats = {"swf", "exe", "mp4", "webm", "gif", "webp", "html"};
  return formats;
}

std::string FormatRefusal(const std::string& format)
{
  for (const std::string& known : BatchFormats())
    if (known == format) return {};
  return "unknown format \"" + format + "\" (swf, exe, mp4, webm, gif, webp or html)";
}
