// PlaceObject 1/2/3 and RemoveObject 1/2.
#include "swf/reader/TagParsers.h"

namespace swf {
namespace {

// Skips a PlaceObject3 filter list; each filter has a fixed layout by its id.
void SkipFilters(TSwfBitReader& r) {
  uint8_t count = r.U8();
  for (int i = 0; i < count; ++i) {
    uint8_t id = r.U8();
    switch (id) {
      case 0: r.Skip(23); break;  // drop shadow
      case 1: r.Skip(9); break;   // blur
      case 2: r.Skip(15); break;  // glow
      case 3: r.Skip(27); break;  // bevel
      case 4:                     // gradient glow
      case 7: {                   // gradient bevel
        uint8_t colors = r.U8();
        r.Skip(colors * 5u + 19);
        break;
      }
      case 5: {  // convolution
        uint8_t x = r.U8(), y = r.U8();
        r.Skip(8 + 4u * x * y + 5);
        break;
      }
      case 6: r.Skip(80); break;  // colour matrix
      default: r.Fail("Unknown filter " + std::to_string(id));
    }
  }
}

}  // namespace

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
    if (flags & 0x0100) {
      place.HasFilters = true;
      SkipFilters(r);
    }
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
