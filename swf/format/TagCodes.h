// Numeric codes of the SWF tags this program writes or understands.
#pragma once

#include <cstdint>

namespace swf {

enum class TTagCode : uint16_t {
  End = 0,
  ShowFrame = 1,
  DefineShape = 2,
  PlaceObject = 4,
  RemoveObject = 5,
  DefineBits = 6,
  DefineButton = 7,
  JPEGTables = 8,
  SetBackgroundColor = 9,
  DefineFont = 10,
  DefineText = 11,
  DoAction = 12,
  DefineFontInfo = 13,
  DefineSound = 14,
  StartSound = 15,
  DefineButtonSound = 17,
  SoundStreamHead = 18,
  SoundStreamBlock = 19,
  DefineBitsLossless = 20,
  DefineBitsJPEG2 = 21,
  DefineShape2 = 22,
  DefineButtonCxform = 23,
  PlaceObject2 = 26,
  RemoveObject2 = 28,
  DefineShape3 = 32,
  DefineText2 = 33,
  DefineButton2 = 34,
  DefineBitsJPEG3 = 35,
  DefineBitsLossless2 = 36,
  DefineEditText = 37,
  DefineSprite = 39,
  FrameLabel = 43,
  SoundStreamHead2 = 45,
  DefineMorphShape = 46,
  DefineFont2 = 48,
  DefineFontInfo2 = 62,
  FileAttributes = 69,
  PlaceObject3 = 70,
  DefineFont3 = 75,
  Metadata = 77,
  DefineShape4 = 83,
  DefineMorphShape2 = 84,
  StartSound2 = 89,
  DefineBitsJPEG4 = 90,
};

// A readable name of a tag code ("PlaceObject2"), or "Unknown".
const char* TagName(uint16_t code);

}  // namespace swf
