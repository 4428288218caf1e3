// DefineButton, DefineButton2, DefineButtonCxform and DefineButtonSound.
#include "swf/reader/ParseLimits.h"
#include "swf/reader/TagParsers.h"

namespace swf {
namespace {

// Records up to the 0 byte that ends them (or the end of the data).
std::vector<TButtonRecord> ParseButtonRecords(TSwfBitReader& r, int version) {
  std::vector<TButtonRecord> records;
  while (!r.AtEnd()) {
    const uint8_t flags = r.U8();
    if (flags == 0) break;
    if (records.size() >= MaxRecordsPerTag) r.Fail("Too many button records");
    TButtonRecord record;
    record.States = flags & 0x0F;
    record.CharacterId = r.U16();
    record.Depth = r.U16();
    record.Matrix = r.Matrix();
    if (version == 2) record.CxForm = r.CxForm(true);
    if (version == 2 && (flags & 0x10)) record.Filters = ParseFilterList(r);
    if (version == 2 && (flags & 0x20)) record.BlendMode = r.U8();
    records.push_back(std::move(record));
  }
  return records;
}

}  // namespace

TButton ParseDefineButton(TSwfBitReader& r, int version) {
  TButton button;
  button.Version = static_cast<uint8_t>(version);
  button.Id = r.U16();
  if (version == 1) {
    button.Records = ParseButtonRecords(r, 1);
    TButtonAction release;
    release.Actions = ParseDoAction(r);
    if (!release.Actions.Actions.empty()) button.Actions.push_back(std::move(release));
    return button;
  }
  button.TrackAsMenu = r.U8() & 0x01;
  // The offset counts from its own first byte; 0 means no actions.
  const size_t offsetAt = r.Position();
  const uint16_t actionOffset = r.U16();
  button.Records = ParseButtonRecords(r, 2);
  if (actionOffset == 0) return button;
  size_t at = offsetAt + actionOffset;
  const size_t end = r.Position() + r.Remaining();
  while (at + 4 <= end) {
    TSwfBitReader head = SubReader(r, at, end, 34);
    const uint16_t size = head.U16();
    const uint8_t high = head.U8(), low = head.U8();
    // The size reaches the next condition; the last one (size 0) runs to the tag's end.
    const size_t next = size == 0 ? end : at + size;
    if (next <= at + 4 || next > end) r.Fail("A button action reaches past the tag");
    if (button.Actions.size() >= MaxRecordsPerTag) r.Fail("Too many button actions");
    TButtonAction action;
    action.Conditions = static_cast<uint16_t>(((high << 8) | low) & ~0x00FE);
    action.KeyCode = (low >> 1) & 0x7F;
    TSwfBitReader body = SubReader(r, at + 4, next, 34);
    action.Actions = ParseDoAction(body);
    button.Actions.push_back(std::move(action));
    if (size == 0) break;
    at = next;
  }
  return button;
}

void ParseDefineButtonCxform(TSwfBitReader& r, TButton& button) {
  r.U16();
  button.CxForm = r.CxForm(false);
}

void ParseDefineButtonSound(TSwfBitReader& r, TButton& button) {
  r.U16();
  for (std::optional<TStartSound>& sound : button.Sounds) {
    if (r.AtEnd()) break;
    const uint16_t id = r.U16();
    if (id == 0) continue;
    TStartSound start;
    start.SoundId = id;
    start.Info = ParseSoundInfo(r);
    sound = std::move(start);
  }
}

}  // namespace swf
