// DefineFont, DefineFont2/3 and DefineFontInfo/2.
#include "swf/format/SwfError.h"
#include "swf/reader/ParseLimits.h"
#include "swf/reader/TagParsers.h"

namespace swf {
namespace {

std::string FontName(TSwfBitReader& r) {
  uint8_t length = r.U8();
  const uint8_t* p = r.Bytes(length);
  std::string name(reinterpret_cast<const char*>(p), length);
  // Writers often count a closing NUL inside the length.
  while (!name.empty() && name.back() == '\0') name.pop_back();
  return name;
}

// Glyph i spans [offsets[i], offsets[i + 1]) from the start of the offset table.
void ReadGlyphs(TSwfBitReader& r, size_t tableStart, const std::vector<uint32_t>& offsets,
                int tagCode, TFont& font) {
  font.Glyphs.reserve(offsets.size() - 1);
  for (size_t i = 0; i + 1 < offsets.size(); ++i) {
    size_t begin = tableStart + offsets[i], end = tableStart + offsets[i + 1];
    if (begin >= end) {  // an empty glyph (a space) or a bad offset: nothing to draw
      font.Glyphs.emplace_back();
      continue;
    }
    TSwfBitReader glyph = SubReader(r, begin, end, tagCode);
    font.Glyphs.push_back(ParseShapeRecords(glyph, 1));
  }
}

void ReadLayout(TSwfBitReader& r, TFont& font) {
  size_t n = font.Glyphs.size();
  font.Ascent = r.U16();
  font.Descent = r.U16();
  font.Leading = r.I16();
  CheckCount(r, n, 3, "glyph advances and bounds");
  font.Advances.reserve(n);
  for (size_t i = 0; i < n; ++i) font.Advances.push_back(r.I16());
  font.GlyphBounds.reserve(n);
  for (size_t i = 0; i < n; ++i) font.GlyphBounds.push_back(r.Rect());
  uint16_t kerning = r.U16();
  CheckCount(r, kerning, font.WideCodes ? 6 : 4, "kerning pairs");
  font.Kerning.reserve(kerning);
  for (int i = 0; i < kerning; ++i) {
    TKerningPair pair;
    pair.Code1 = font.WideCodes ? r.U16() : r.U8();
    pair.Code2 = font.WideCodes ? r.U16() : r.U8();
    pair.Adjustment = r.I16();
    font.Kerning.push_back(pair);
  }
}

TFont ParseFont1(TSwfBitReader& r) {
  TFont font;
  font.Version = 1;
  font.Id = r.U16();
  if (r.AtEnd()) return font;
  size_t tableStart = r.Position();
  uint16_t first = r.U16();
  size_t count = first / 2;
  if (count > 0) CheckCount(r, count - 1, 2, "glyph offsets");
  std::vector<uint32_t> offsets{first};
  for (size_t i = 1; i < count; ++i) offsets.push_back(r.U16());
  offsets.push_back(static_cast<uint32_t>(r.Position() + r.Remaining() - tableStart));
  if (count == 0) return font;
  ReadGlyphs(r, tableStart, offsets, 10, font);
  return font;
}

TFont ParseFont23(TSwfBitReader& r, int version) {
  int code = version == 3 ? 75 : 48;
  TFont font;
  font.Version = static_cast<uint8_t>(version);
  font.Id = r.U16();
  uint8_t flags = r.U8();
  font.HasLayout = flags & 0x80;
  font.ShiftJis = flags & 0x40;
  font.SmallText = flags & 0x20;
  font.Ansi = flags & 0x10;
  bool wideOffsets = flags & 0x08;
  font.WideCodes = flags & 0x04;
  font.Italic = flags & 0x02;
  font.Bold = flags & 0x01;
  font.Language = r.U8();
  font.Name = FontName(r);
  uint16_t count = r.U16();
  if (count == 0 && r.AtEnd()) {
    font.HasLayout = false;
    return font;
  }
  size_t tableStart = r.Position();
  size_t offsetSize = wideOffsets ? 4 : 2;
  CheckCount(r, count + 1ull, offsetSize, "glyph offsets");
  std::vector<uint32_t> offsets;
  offsets.reserve(count + 1);
  for (size_t i = 0; i <= count; ++i) offsets.push_back(wideOffsets ? r.U32() : r.U16());
  ReadGlyphs(r, tableStart, offsets, code, font);

  // The code table starts where the last offset (the code table offset) points.
  size_t total = r.Position() + r.Remaining();
  TSwfBitReader rest = SubReader(r, std::min(tableStart + offsets.back(), total), total, code);
  CheckCount(rest, count, font.WideCodes ? 2 : 1, "character codes");
  font.Codes.reserve(count);
  for (size_t i = 0; i < count; ++i) font.Codes.push_back(font.WideCodes ? rest.U16() : rest.U8());
  if (font.HasLayout) {
    try {
      ReadLayout(rest, font);
    } catch (const TSwfError&) {
      // Layout that is cut short is dropped; the glyphs and codes still serve static text.
      font.HasLayout = false;
      font.Advances.clear();
      font.GlyphBounds.clear();
      font.Kerning.clear();
    }
  }
  return font;
}

}  // namespace

uint16_t PeekCharacterId(TSwfBitReader r) { return r.U16(); }

TFont ParseDefineFont(TSwfBitReader& r, int version) {
  return version == 1 ? ParseFont1(r) : ParseFont23(r, version);
}

void ParseDefineFontInfo(TSwfBitReader& r, int version, TFont& font) {
  r.U16();  // font id, already used to find the font
  font.Name = FontName(r);
  uint8_t flags = r.U8();
  font.SmallText = flags & 0x20;
  font.ShiftJis = flags & 0x10;
  font.Ansi = flags & 0x08;
  font.Italic = flags & 0x04;
  font.Bold = flags & 0x02;
  font.WideCodes = flags & 0x01;
  if (version == 2) font.Language = r.U8();
  size_t size = font.WideCodes ? 2 : 1;
  // One code per glyph; a short table gives codes to the first glyphs only.
  size_t count = std::min(font.Glyphs.size(), r.Remaining() / size);
  font.Codes.clear();
  font.Codes.reserve(count);
  for (size_t i = 0; i < count; ++i) font.Codes.push_back(font.WideCodes ? r.U16() : r.U8());
}

}  // namespace swf
