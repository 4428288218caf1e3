#include "swf/format/SwfError.h"

#include "swf/format/TagCodes.h"

namespace swf {
namespace {

std::string Describe(const std::string& message, int tagCode, int64_t offset) {
  std::string text = message;
  if (tagCode >= 0)
    text += std::string(" (in tag ") + TagName(static_cast<uint16_t>(tagCode)) + ")";
  if (offset >= 0) text += " at byte " + std::to_string(offset);
  return text;
}

}  // namespace

TSwfError::TSwfError(const std::string& message, int tagCode, int64_t offset)
    : std::runtime_error(Describe(message, tagCode, offset)), FTagCode(tagCode), FOffset(offset) {}

}  // namespace swf
