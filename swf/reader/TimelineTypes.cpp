#include "swf/reader/TimelineTypes.h"

namespace swf {
namespace {

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameLabel(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (Lower(a[i]) != Lower(b[i])) return false;
  return true;
}

}  // namespace

const TFrame& TTimeline::Frame(uint32_t index) const {
  static const TFrame empty;
  return index < Frames.size() ? Frames[index] : empty;
}

int64_t TTimeline::FindLabel(const std::string& label) const {
  size_t n = std::min<size_t>(Frames.size(), FrameCount);
  for (size_t i = 0; i < n; ++i)
    if (Frames[i].Label && SameLabel(*Frames[i].Label, label)) return static_cast<int64_t>(i);
  return -1;
}

}  // namespace swf
