// The parsers of single tag bodies. Each reads from a bounds-checked reader over the body
// (whose base offset and tag code make errors say where) and throws TSwfError on bad data.
#pragma once

#include <cstdint>
#include <vector>

#include "swf/format/SwfBitReader.h"
#include "swf/reader/ActionTypes.h"
#include "swf/reader/BitmapTypes.h"
#include "swf/reader/ButtonTypes.h"
#include "swf/reader/FilterTypes.h"
#include "swf/reader/FontTypes.h"
#include "swf/reader/MorphShapeTypes.h"
#include "swf/reader/PlaceTypes.h"
#include "swf/reader/ShapeTypes.h"
#include "swf/reader/SoundTypes.h"
#include "swf/reader/TextTypes.h"

namespace swf {

// Shapes (ShapeParser.cpp). version is the DefineShape number 1..4.
TShape ParseDefineShape(TSwfBitReader& r, int version);
TFillStyle ParseFillStyle(TSwfBitReader& r, int version);
TLineStyle ParseLineStyle(TSwfBitReader& r, int version);
// The flags of a LINESTYLE2 after its width (caps, join, scaling, miter limit), shared with
// the morph shapes; returns whether a fill style follows in place of the colour.
bool ParseLineStyle2Flags(TSwfBitReader& r, TLineStyle& line);
TShapeStyles ParseShapeStyles(TSwfBitReader& r, int version);
// The u8 of style index bits, then SHAPE records up to the end record (data that ends
// without one keeps the records read). NewStyles arrays are read with the given version.
std::vector<TShapeRecord> ParseShapeRecords(TSwfBitReader& r, int version);

// Morph shapes (MorphShapeParser.cpp). version: 1 = DefineMorphShape, 2 = DefineMorphShape2.
TMorphShape ParseDefineMorphShape(TSwfBitReader& r, int version);

// Bitmaps (BitmapParser.cpp); code is the tag code.
TBitmap ParseDefineBits(TSwfBitReader& r, uint16_t code);

// Fonts and text (FontParser.cpp, TextParser.cpp). version: DefineFont number 1..3,
// DefineText 1..2. DefineFontInfo (1) / DefineFontInfo2 (2) fill in an existing font.
TFont ParseDefineFont(TSwfBitReader& r, int version);
void ParseDefineFontInfo(TSwfBitReader& r, int version, TFont& font);
uint16_t PeekCharacterId(TSwfBitReader r);
TText ParseDefineText(TSwfBitReader& r, int version);
TEditText ParseDefineEditText(TSwfBitReader& r);

// Sounds (SoundParser.cpp).
TSoundFormat ParseSoundFormat(uint8_t byte);
TSound ParseDefineSound(TSwfBitReader& r);
TSoundInfo ParseSoundInfo(TSwfBitReader& r);
TStartSound ParseStartSound(TSwfBitReader& r, int version);
TSoundStreamHead ParseSoundStreamHead(TSwfBitReader& r, int version);

// Display-list tags (PlaceParser.cpp). version: PlaceObject number 1..3, RemoveObject 1..2.
TPlaceObject ParsePlaceObject(TSwfBitReader& r, int version, int swfVersion);
TRemoveObject ParseRemoveObject(TSwfBitReader& r, int version);

// FILTERLIST (FilterParser.cpp): a count, then each filter by its id.
TFilterList ParseFilterList(TSwfBitReader& r);

// Buttons (ButtonParser.cpp). version: DefineButton number 1..2. DefineButtonCxform and
// DefineButtonSound fill in an existing button.
TButton ParseDefineButton(TSwfBitReader& r, int version);
void ParseDefineButtonCxform(TSwfBitReader& r, TButton& button);
void ParseDefineButtonSound(TSwfBitReader& r, TButton& button);

// Actions (ActionParser.cpp).
TDoAction ParseDoAction(TSwfBitReader& r);

}  // namespace swf
