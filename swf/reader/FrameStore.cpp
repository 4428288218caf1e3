#include "swf/reader/FrameStore.h"

#include "swf/format/SwfError.h"
#include "swf/reader/FrameParser.h"

namespace swf {
namespace {

constexpr size_t TagHeaderSize = 6;

uint32_t U32At(const std::vector<uint8_t>& bytes, size_t at) {
  return bytes[at] | (bytes[at + 1] << 8) | (bytes[at + 2] << 16) |
         (static_cast<uint32_t>(bytes[at + 3]) << 24);
}

}  // namespace

void TFrameStore::AddTag(uint16_t code, std::span<const uint8_t> body) {
  const uint32_t size = static_cast<uint32_t>(body.size());
  const uint8_t header[TagHeaderSize] = {
      static_cast<uint8_t>(code), static_cast<uint8_t>(code >> 8),
      static_cast<uint8_t>(size), static_cast<uint8_t>(size >> 8),
      static_cast<uint8_t>(size >> 16), static_cast<uint8_t>(size >> 24)};
  FBytes.insert(FBytes.end(), header, header + TagHeaderSize);
  FBytes.insert(FBytes.end(), body.begin(), body.end());
}

void TFrameStore::EndFrame(const std::optional<std::string>& label) {
  if (label) FLabels.emplace_back(FrameCount(), *label);
  FFrameEnds.push_back(static_cast<uint32_t>(FBytes.size()));
}

TFrame TFrameStore::Read(uint32_t index) const {
  TFrame frame;
  if (index >= FrameCount()) return frame;
  size_t at = index == 0 ? 0 : FFrameEnds[index - 1];
  const size_t end = FFrameEnds[index];
  while (at + TagHeaderSize <= end) {
    TTagRecord tag;
    tag.Code = static_cast<uint16_t>(FBytes[at] | (FBytes[at + 1] << 8));
    tag.Offset = static_cast<uint32_t>(at);
    tag.BodyOffset = static_cast<uint32_t>(at + TagHeaderSize);
    tag.BodySize = U32At(FBytes, at + 2);
    if (tag.BodySize > end - tag.BodyOffset) break;
    try {
      ReadControlTag(tag, FBytes.data(), FVersion, frame);
    } catch (const TSwfError&) {
      // Only tags that parsed at load are kept; nothing else can fail here.
    }
    at = tag.BodyOffset + tag.BodySize;
  }
  return frame;
}

}  // namespace swf
