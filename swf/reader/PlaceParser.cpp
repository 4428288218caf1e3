// PlaceObject 1/2/3 and RemoveObject 1/2.
#include "swf/reader/TagParsers.h"

namespace swf {

TPlaceObject ParsePlaceObject(TSwfBitReader& r, int version, int /*swfVersion*/) {
  TPlaceObject place;
  place.Version = static_cast<uint8_t>(version);
  if (version == 1) {
    place.CharacterId = r.U16();
    place.Depth = r.U16();
    place.Matrix = r.Matrix();
    if (!r.AtEnd()) place.CxForm = r.CxForm(false);
    return place;
  }
  uint16_t flags = version == 3 ? r.U16() : r.U8();
  place.Depth = r.U16();
  place.Move = flags & 0x01;
  bool hasCharacter = flags & 0x02;
  if (version == 3) {
    bool hasClassName = flags & 0x0800, hasImage = flags & 0x1000;
    if (hasClassName || (hasImage && !hasCharacter)) place.ClassName = r.String();
  }
  if (hasCharacter) place.CharacterId = r.U16();
  if (flags & 0x04) place.Matrix = r.Matrix();
  if (flags & 0x08) place.CxForm = r.CxForm(true);
  if (flags & 0x10) place.Ratio = r.U16();
  if (flags & 0x20) place.Name = r.String();
  if (flags & 0x40) place.ClipDepth = r.U16();
  if (version == 3) {
    if (flags & 0x0100) place.Filters = ParseFilterList(r);
    if (flags & 0x0200) place.BlendMode = r.U8();
    if (flags & 0x0400) place.CacheAsBitmap = r.U8() != 0;
    if (flags & 0x2000) place.Visible = r.U8() != 0;
    if (flags & 0x4000) place.BackgroundColor = r.Rgba();
  }
  // Clip event handlers come last; they need ActionScript and are not kept.
  place.HasClipActions = flags & 0x80;
  return place;
}

TRemoveObject ParseRemoveObject(TSwfBitReader& r, int version) {
  TRemoveObject remove;
  if (version == 1) remove.CharacterId = r.U16();
  remove.Depth = r.U16();
  return remove;
}

}  // namespace swf
