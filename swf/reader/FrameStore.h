// The frames of a timeline kept as the bytes of their control tags and parsed again each
// time one is asked for: a long movie then holds a few bytes per tag, not parsed tags.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "swf/reader/TimelineTypes.h"

namespace swf {

class TFrameStore {
 public:
  explicit TFrameStore(int swfVersion) : FVersion(swfVersion) {}

  // Filled in file order: the control tags of a frame, then the end of that frame.
  void AddTag(uint16_t code, std::span<const uint8_t> body);
  void EndFrame(const std::optional<std::string>& label);

  uint32_t FrameCount() const { return static_cast<uint32_t>(FFrameEnds.size()); }
  // The frame parsed afresh; empty beyond the frames kept.
  TFrame Read(uint32_t index) const;
  // Frames with a label, in order.
  const std::vector<std::pair<uint32_t, std::string>>& Labels() const { return FLabels; }
  size_t ByteSize() const { return FBytes.size(); }

 private:
  int FVersion;
  std::vector<uint8_t> FBytes;        // each tag: u16 code, u32 body size, body
  std::vector<uint32_t> FFrameEnds;   // [i]: where frame i's tags end in FBytes
  std::vector<std::pair<uint32_t, std::string>> FLabels;
};

}  // namespace swf
