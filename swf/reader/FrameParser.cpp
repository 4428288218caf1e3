#include "swf/reader/FrameParser.h"

#include "swf/format/TagCodes.h"
#include "swf/reader/TagParsers.h"

namespace swf {

size_t ReadControlTag(const TTagRecord& tag, const uint8_t* data, int swfVersion, TFrame& frame) {
  TSwfBitReader r(data + tag.BodyOffset, tag.BodySize, tag.BodyOffset, tag.Code);
  size_t cost = 1;
  switch (static_cast<TTagCode>(tag.Code)) {
    case TTagCode::PlaceObject: frame.DisplayTags.push_back(ParsePlaceObject(r, 1, swfVersion)); break;
    case TTagCode::PlaceObject2: frame.DisplayTags.push_back(ParsePlaceObject(r, 2, swfVersion)); break;
    case TTagCode::PlaceObject3: frame.DisplayTags.push_back(ParsePlaceObject(r, 3, swfVersion)); break;
    case TTagCode::RemoveObject: frame.DisplayTags.push_back(ParseRemoveObject(r, 1)); break;
    case TTagCode::RemoveObject2: frame.DisplayTags.push_back(ParseRemoveObject(r, 2)); break;
    case TTagCode::DoAction: {
      TDoAction action = ParseDoAction(r);
      cost += action.Actions.size();
      frame.Actions.push_back(std::move(action));
      break;
    }
    case TTagCode::StartSound: frame.Sounds.push_back(ParseStartSound(r, 1)); break;
    case TTagCode::StartSound2: frame.Sounds.push_back(ParseStartSound(r, 2)); break;
    case TTagCode::FrameLabel: {
      std::string label = r.String();
      if (!frame.Label) frame.Label = std::move(label);
      break;
    }
    case TTagCode::SoundStreamHead: frame.StreamHead = ParseSoundStreamHead(r, 1); break;
    case TTagCode::SoundStreamHead2: frame.StreamHead = ParseSoundStreamHead(r, 2); break;
    case TTagCode::SoundStreamBlock: {
      TSoundStreamBlock block;
      const uint8_t* p = r.Bytes(r.Remaining());
      block.Data.assign(p, p + tag.BodySize);
      frame.StreamBlocks.push_back(std::move(block));
      break;
    }
    default:
      return 0;
  }
  return cost;
}

}  // namespace swf
