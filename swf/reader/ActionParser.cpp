// DoAction: action records, with the timeline actions decoded.
#include "swf/reader/ParseLimits.h"
#include "swf/reader/TagParsers.h"

namespace swf {

TDoAction ParseDoAction(TSwfBitReader& r) {
  TDoAction result;
  // A block that ends without its End byte keeps the actions read.
  while (!r.AtEnd()) {
    if (result.Actions.size() >= MaxRecordsPerTag) r.Fail("Too many actions");
    TAction action;
    action.Code = r.U8();
    if (action.Code == 0) break;
    if (action.Code >= 0x80) {
      uint16_t length = r.U16();
      const uint8_t* payload = r.Bytes(length);
      action.Payload.assign(payload, payload + length);
      TSwfBitReader p = SubReader(r, r.Position() - length, r.Position(), 12);
      if (action.Is(TActionCode::GotoFrame)) action.Frame = p.U16();
      if (action.Is(TActionCode::GotoLabel)) action.Label = p.String();
    }
    result.Actions.push_back(std::move(action));
  }
  return result;
}

}  // namespace swf
