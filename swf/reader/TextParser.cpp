// DefineText/DefineText2 and DefineEditText.
#include "swf/reader/ParseLimits.h"
#include "swf/reader/TagParsers.h"

namespace swf {

TText ParseDefineText(TSwfBitReader& r, int version) {
  TText text;
  text.Version = static_cast<uint8_t>(version);
  text.Id = r.U16();
  text.Bounds = r.Rect();
  text.Matrix = r.Matrix();
  int glyphBits = r.U8(), advanceBits = r.U8();
  if (glyphBits > 32 || advanceBits > 32) r.Fail("Bad glyph or advance bit count");
  // A record list without its closing 0 keeps the records read.
  while (!r.AtEnd()) {
    uint8_t flags = r.U8();
    if (flags == 0) break;
    if (text.Records.size() >= MaxRecordsPerTag) r.Fail("Too many text records");
    TTextRecord record;
    if (flags & 0x08) record.FontId = r.U16();
    if (flags & 0x04) record.Color = version >= 2 ? r.Rgba() : r.Rgb();
    if (flags & 0x01) record.XOffset = r.I16();
    if (flags & 0x02) record.YOffset = r.I16();
    if (flags & 0x08) record.Height = r.U16();
    uint8_t count = r.U8();
    uint64_t bits = uint64_t(count) * (glyphBits + advanceBits);
    CheckCount(r, (bits + 7) / 8, 1, "bytes of glyph entries");
    record.Glyphs.reserve(count);
    for (int i = 0; i < count; ++i) {
      TGlyphEntry entry;
      entry.Index = r.UB(glyphBits);
      entry.Advance = r.SB(advanceBits);
      record.Glyphs.push_back(entry);
    }
    r.Align();
    text.Records.push_back(std::move(record));
  }
  return text;
}

TEditText ParseDefineEditText(TSwfBitReader& r) {
  TEditText edit;
  edit.Id = r.U16();
  edit.Bounds = r.Rect();
  uint8_t f1 = r.U8(), f2 = r.U8();
  bool hasText = f1 & 0x80;
  edit.WordWrap = f1 & 0x40;
  edit.Multiline = f1 & 0x20;
  edit.Password = f1 & 0x10;
  edit.ReadOnly = f1 & 0x08;
  bool hasColor = f1 & 0x04, hasMaxLength = f1 & 0x02, hasFont = f1 & 0x01;
  bool hasFontClass = f2 & 0x80;
  edit.AutoSize = f2 & 0x40;
  edit.HasLayout = f2 & 0x20;
  edit.NoSelect = f2 & 0x10;
  edit.Border = f2 & 0x08;
  edit.WasStatic = f2 & 0x04;
  edit.Html = f2 & 0x02;
  edit.UseOutlines = f2 & 0x01;
  if (hasFont) edit.FontId = r.U16();
  if (hasFontClass) edit.FontClass = r.String();
  if (hasFont || hasFontClass) edit.FontHeight = r.U16();
  if (hasColor) edit.Color = r.Rgba();
  if (hasMaxLength) edit.MaxLength = r.U16();
  if (edit.HasLayout) {
    edit.Align = r.U8();
    edit.LeftMargin = r.U16();
    edit.RightMargin = r.U16();
    edit.Indent = r.U16();
    edit.Leading = r.I16();
  }
  edit.VariableName = r.String();
  if (hasText) edit.InitialText = r.String();
  return edit;
}

}  // namespace swf
