#include "swf/reader/TimelineTypes.h"

#include <stdexcept>

#include "swf/reader/FrameStore.h"

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
  if (Store) throw std::logic_error("A timeline read on demand gives its frames through FrameAt");
  return index < Frames.size() ? Frames[index] : empty;
}

uint32_t TTimeline::FramesKept() const {
  return std::min<uint32_t>(Store ? Store->FrameCount() : static_cast<uint32_t>(Frames.size()), FrameCount);
}

std::shared_ptr<const TFrame> TTimeline::FrameAt(uint32_t index) const {
  if (Store) return std::make_shared<const TFrame>(Store->Read(index));
  // The timeline owns its frames: the pointer only refers to them.
  return std::shared_ptr<const TFrame>(std::shared_ptr<const TFrame>(), &Frame(index));
}

int64_t TTimeline::FindLabel(const std::string& label) const {
  if (Store) {
    for (const auto& [frame, name] : Store->Labels())
      if (frame < FrameCount && SameLabel(name, label)) return frame;
    return -1;
  }
  size_t n = std::min<size_t>(Frames.size(), FrameCount);
  for (size_t i = 0; i < n; ++i)
    if (Frames[i].Label && SameLabel(*Frames[i].Label, label)) return static_cast<int64_t>(i);
  return -1;
}

}  // namespace swf
