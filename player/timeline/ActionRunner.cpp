#include "player/timeline/ActionRunner.h"

#include <cstring>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "player/timeline/Clip.h"

namespace player {

namespace {

// Codes beyond those named in swf::TActionCode that the runner must understand to skip
// correctly.
constexpr uint8_t ActionConstantPool = 0x88;
constexpr uint8_t ActionDefineFunction2 = 0x8E;
constexpr uint8_t ActionWith = 0x94;
constexpr uint8_t ActionPush = 0x96;
constexpr uint8_t ActionJump = 0x99;
constexpr uint8_t ActionDefineFunction = 0x9B;
constexpr uint8_t ActionIf = 0x9D;

using TValue = std::variant<std::monostate, double, std::string>;

size_t RecordSize(const swf::TAction& action) {
  return action.Code < 0x80 ? 1 : 3 + action.Payload.size();
}

uint16_t U16At(const std::vector<uint8_t>& data, size_t at) {
  return at + 1 < data.size() ? static_cast<uint16_t>(data[at] | (data[at + 1] << 8)) : 0;
}

std::string StringAt(const std::vector<uint8_t>& data, size_t& at) {
  std::string text;
  while (at < data.size() && data[at] != 0) text += static_cast<char>(data[at++]);
  ++at;
  return text;
}

std::vector<std::string> ReadConstantPool(const std::vector<uint8_t>& payload) {
  std::vector<std::string> pool;
  const uint16_t count = U16At(payload, 0);
  size_t at = 2;
  for (uint16_t i = 0; i < count && at < payload.size(); ++i) pool.push_back(StringAt(payload, at));
  return pool;
}

// The last value an ActionPush leaves on the stack (a goto's target is pushed just before
// it), or nothing for values this runner does not model.
TValue LastPushed(const std::vector<uint8_t>& payload, const std::vector<std::string>& pool) {
  TValue value;
  size_t at = 0;
  while (at < payload.size()) {
    const uint8_t type = payload[at++];
    auto need = [&](size_t n) { return at + n <= payload.size(); };
    switch (type) {
      case 0: value = StringAt(payload, at); break;
      case 1: {
        if (!need(4)) return {};
        float f;
        std::memcpy(&f, &payload[at], 4);  // little-endian, as the host
        value = static_cast<double>(f);
        at += 4;
        break;
      }
      case 2: case 3: value = std::monostate(); break;
      case 4: case 5: at += 1; value = std::monostate(); break;
      case 6: {
        if (!need(8)) return {};
        // Two little-endian words, the high word first.
        uint8_t bytes[8];
        std::memcpy(bytes, &payload[at + 4], 4);
        std::memcpy(bytes + 4, &payload[at], 4);
        double d;
        std::memcpy(&d, bytes, 8);
        value = d;
        at += 8;
        break;
      }
      case 7: {
        if (!need(4)) return {};
        int32_t i;
        std::memcpy(&i, &payload[at], 4);
        value = static_cast<double>(i);
        at += 4;
        break;
      }
      case 8: case 9: {
        const size_t index = type == 8 ? payload[at] : U16At(payload, at);
        at += type == 8 ? 1 : 2;
        value = index < pool.size() ? TValue(pool[index]) : TValue();
        break;
      }
      default: return {};
    }
  }
  return value;
}

// A frame named by a pushed value: a 1-based number or a label (a number in a string
// counts as a number; a "path:" prefix is dropped, only this clip is addressed).
std::optional<uint32_t> FrameOf(const TValue& value, const TClip& clip) {
  if (const double* number = std::get_if<double>(&value)) {
    if (!(*number >= 1 && *number < 65536)) return std::nullopt;
    return static_cast<uint32_t>(*number) - 1;
  }
  const std::string* text = std::get_if<std::string>(&value);
  if (!text) return std::nullopt;
  std::string label = *text;
  const size_t colon = label.find_last_of(':');
  if (colon != std::string::npos) label = label.substr(colon + 1);
  if (!label.empty() && label.find_first_not_of("0123456789") == std::string::npos &&
      label.size() < 6) {
    return FrameOf(std::stod(label), clip);
  }
  const int64_t frame = clip.Timeline().FindLabel(label);
  if (frame < 0) return std::nullopt;
  return static_cast<uint32_t>(frame);
}

}  // namespace

void TActionRunner::Run(TFrameEvents& events) {
  FActionsRun = 0;
  size_t blocks = 0;
  for (size_t i = 0; i < events.Actions.size() && blocks < MaxBlocks; ++i, ++blocks) {
    const auto queued = events.Actions[i];  // a copy: running may grow the queue
    if (std::shared_ptr<TClip> clip = queued.Clip.lock()) RunBlock(*clip, *queued.Block, events);
  }
  events.Actions.clear();
}

void TActionRunner::RunBlock(TClip& clip, const swf::TDoAction& block, TFrameEvents& events) {
  using swf::TActionCode;
  std::vector<std::string> pool;
  TValue pushed;        // valid only right after an ActionPush
  size_t skipBytes = 0; // bodies of functions and with-blocks are not run here
  for (const swf::TAction& action : block.Actions) {
    if (++FActionsRun > MaxActions) return;
    if (skipBytes > 0) {
      skipBytes = skipBytes > RecordSize(action) ? skipBytes - RecordSize(action) : 0;
      continue;
    }
    const TValue lastPushed = std::move(pushed);
    pushed = TValue();
    const uint32_t frame = clip.CurrentFrame();
    switch (action.Code) {
      case static_cast<uint8_t>(TActionCode::Play): clip.SetPlaying(true); break;
      case static_cast<uint8_t>(TActionCode::Stop): clip.SetPlaying(false); break;
      case static_cast<uint8_t>(TActionCode::NextFrame):
        clip.Goto(frame + 1, events);
        clip.SetPlaying(false);
        break;
      case static_cast<uint8_t>(TActionCode::PreviousFrame):
        if (frame > 0) clip.Goto(frame - 1, events);
        clip.SetPlaying(false);
        break;
      case static_cast<uint8_t>(TActionCode::GotoFrame):
        clip.Goto(action.Frame, events);
        clip.SetPlaying(false);
        break;
      case static_cast<uint8_t>(TActionCode::GotoLabel): {
        const int64_t target = clip.Timeline().FindLabel(action.Label);
        if (target >= 0) clip.Goto(static_cast<uint32_t>(target), events);
        clip.SetPlaying(false);
        break;
      }
      case static_cast<uint8_t>(TActionCode::StopSounds):
        if (FStopSounds) FStopSounds();
        break;
      case static_cast<uint8_t>(TActionCode::GotoFrame2): {
        const bool play = !action.Payload.empty() && (action.Payload[0] & 1);
        const uint32_t bias =
            !action.Payload.empty() && (action.Payload[0] & 2) ? U16At(action.Payload, 1) : 0;
        if (auto target = FrameOf(lastPushed, clip)) {
          clip.Goto(*target + (std::holds_alternative<double>(lastPushed) ? bias : 0), events);
          clip.SetPlaying(play);
        }
        break;
      }
      case ActionConstantPool: pool = ReadConstantPool(action.Payload); break;
      case ActionPush: pushed = LastPushed(action.Payload, pool); break;
      case ActionDefineFunction:
      case ActionDefineFunction2:
        // The code size is the payload's last field.
        skipBytes = action.Payload.size() >= 2 ? U16At(action.Payload, action.Payload.size() - 2) : 0;
        break;
      case ActionWith: skipBytes = U16At(action.Payload, 0); break;
      case ActionJump: {
        const int16_t offset = static_cast<int16_t>(U16At(action.Payload, 0));
        if (offset < 0) return;  // a loop: its condition cannot be evaluated here
        skipBytes = static_cast<size_t>(offset);
        break;
      }
      case ActionIf: return;  // a condition this runner cannot evaluate: stop here
      default: break;         // anything else is skipped
    }
  }
}

}  // namespace player
