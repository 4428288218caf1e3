#include "swf/format/SwfTypes.h"

#include "swf/format/TagCodes.h"

namespace swf {

int UnsignedBits(uint64_t value) {
  int bits = 0;
  while (value) {
    ++bits;
    value >>= 1;
  }
  return bits;
}

int SignedBits(int64_t value) {
  if (value == 0) return 0;
  return UnsignedBits(static_cast<uint64_t>(value < 0 ? ~value : value)) + 1;
}

const char* TagName(uint16_t code) {
  switch (static_cast<TTagCode>(code)) {
    case TTagCode::End: return "End";
    case TTagCode::ShowFrame: return "ShowFrame";
    case TTagCode::DefineShape: return "DefineShape";
    case TTagCode::PlaceObject: return "PlaceObject";
    case TTagCode::RemoveObject: return "RemoveObject";
    case TTagCode::DefineBits: return "DefineBits";
    case TTagCode::DefineButton: return "DefineButton";
    case TTagCode::DefineButtonSound: return "DefineButtonSound";
    case TTagCode::DefineButtonCxform: return "DefineButtonCxform";
    case TTagCode::DefineButton2: return "DefineButton2";
    case TTagCode::JPEGTables: return "JPEGTables";
    case TTagCode::SetBackgroundColor: return "SetBackgroundColor";
    case TTagCode::DefineFont: return "DefineFont";
    case TTagCode::DefineText: return "DefineText";
    case TTagCode::DoAction: return "DoAction";
    case TTagCode::DefineFontInfo: return "DefineFontInfo";
    case TTagCode::DefineSound: return "DefineSound";
    case TTagCode::StartSound: return "StartSound";
    case TTagCode::SoundStreamHead: return "SoundStreamHead";
    case TTagCode::SoundStreamBlock: return "SoundStreamBlock";
    case TTagCode::DefineBitsLossless: return "DefineBitsLossless";
    case TTagCode::DefineBitsJPEG2: return "DefineBitsJPEG2";
    case TTagCode::DefineShape2: return "DefineShape2";
    case TTagCode::PlaceObject2: return "PlaceObject2";
    case TTagCode::RemoveObject2: return "RemoveObject2";
    case TTagCode::DefineShape3: return "DefineShape3";
    case TTagCode::DefineText2: return "DefineText2";
    case TTagCode::DefineBitsJPEG3: return "DefineBitsJPEG3";
    case TTagCode::DefineBitsLossless2: return "DefineBitsLossless2";
    case TTagCode::DefineEditText: return "DefineEditText";
    case TTagCode::DefineSprite: return "DefineSprite";
    case TTagCode::FrameLabel: return "FrameLabel";
    case TTagCode::SoundStreamHead2: return "SoundStreamHead2";
    case TTagCode::DefineMorphShape: return "DefineMorphShape";
    case TTagCode::DefineFontInfo2: return "DefineFontInfo2";
    case TTagCode::DefineFont2: return "DefineFont2";
    case TTagCode::FileAttributes: return "FileAttributes";
    case TTagCode::PlaceObject3: return "PlaceObject3";
    case TTagCode::DefineFont3: return "DefineFont3";
    case TTagCode::Metadata: return "Metadata";
    case TTagCode::DefineShape4: return "DefineShape4";
    case TTagCode::DefineMorphShape2: return "DefineMorphShape2";
    case TTagCode::StartSound2: return "StartSound2";
    case TTagCode::DefineBitsJPEG4: return "DefineBitsJPEG4";
  }
  return "Unknown";
}

}  // namespace swf
