// Parsed frame actions (DoAction): the records as written, with the few timeline actions
// this program runs decoded.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace swf {

enum class TActionCode : uint8_t {
  End = 0x00,
  NextFrame = 0x04,
  PreviousFrame = 0x05,
  Play = 0x06,
  Stop = 0x07,
  StopSounds = 0x09,
  GotoFrame = 0x81,
  GotoLabel = 0x8C,
  GotoFrame2 = 0x9F,
};

struct TAction {
  uint8_t Code = 0;               // codes ≥ 0x80 carry a payload
  std::vector<uint8_t> Payload;
  uint16_t Frame = 0;             // GotoFrame: frame index from 0
  std::string Label;              // GotoLabel
  bool Is(TActionCode c) const { return Code == static_cast<uint8_t>(c); }
  bool operator==(const TAction&) const = default;
};

struct TDoAction {
  std::vector<TAction> Actions;  // without the closing End
  bool operator==(const TDoAction&) const = default;
};

}  // namespace swf
