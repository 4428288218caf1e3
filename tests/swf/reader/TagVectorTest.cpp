// The shared tag vectors through the tag parsers, whole and cut short.
#include <gtest/gtest.h>

#include "swf/format/SwfError.h"
#include "swf/reader/TagParsers.h"
#include "swf/reader/TagVectors.h"

namespace swf::test {
namespace {

// Reads one complete tag and parses its body as the movie parser would.
TTagValue ParseTag(const std::vector<uint8_t>& bytes, int swfVersion) {
  TSwfBitReader head(bytes.data(), bytes.size());
  uint16_t codeAndLength = head.U16();
  uint16_t code = codeAndLength >> 6;
  uint32_t length = codeAndLength & 0x3F;
  if (length == 0x3F) length = head.U32();
  const uint8_t* body = head.Bytes(length);
  TSwfBitReader r(body, length, static_cast<int64_t>(head.Position() - length), code);
  switch (code) {
    case 9: return r.Rgb();
    case 69: return r.U32();
    case 43: return r.String();
    case 12: return ParseDoAction(r);
    case 28: return ParseRemoveObject(r, 2);
    case 15: return ParseStartSound(r, 1);
    case 26: return ParsePlaceObject(r, 2, swfVersion);
    case 32: return ParseDefineShape(r, 3);
    case 33: return ParseDefineText(r, 2);
    case 14: return ParseDefineSound(r);
    case 45: return ParseSoundStreamHead(r, 2);
  }
  ADD_FAILURE() << "no parser for tag " << code;
  return uint32_t{0};
}

TEST(TagVectors, EachParsesToItsValue) {
  for (const TTagVector& v : TagVectors()) {
    SCOPED_TRACE(v.Name);
    TTagValue value = ParseTag(Hex(v.Hex), v.SwfVersion);
    EXPECT_EQ(value.index(), v.Value.index());
    EXPECT_TRUE(value == v.Value);
  }
}

// Every prefix of every tag body either parses or fails with TSwfError naming the tag; the
// readers never step outside the (shortened) body.
TEST(TagVectors, BodiesCutShortFailCleanly) {
  for (const TTagVector& v : TagVectors()) {
    SCOPED_TRACE(v.Name);
    std::vector<uint8_t> bytes = Hex(v.Hex);
    size_t header = (bytes[0] & 0x3F) == 0x3F ? 6 : 2;
    for (size_t cut = header; cut < bytes.size(); ++cut) {
      std::vector<uint8_t> shortened(bytes.begin(), bytes.begin() + cut);
      uint32_t length = static_cast<uint32_t>(cut - header);
      shortened[0] = static_cast<uint8_t>((shortened[0] & 0xC0) | std::min<uint32_t>(length, 0x3E));
      if (header == 6) shortened[0] |= 0x3F, shortened[2] = static_cast<uint8_t>(length);
      try {
        ParseTag(shortened, v.SwfVersion);
      } catch (const TSwfError& e) {
        EXPECT_EQ(e.TagCode(), (bytes[0] | bytes[1] << 8) >> 6);
        EXPECT_GE(e.Offset(), 0);
      }
    }
  }
}

TEST(TagVectors, CurvedEdgeKeepsControlAndAnchorDeltas) {
  // Style index bits 0, then the curved edge, then the end record in the padding.
  std::vector<uint8_t> bytes = Hex("00 A5 F4 00 00 00 FA 00");
  TSwfBitReader r(bytes.data(), bytes.size());
  std::vector<TShapeRecord> records = ParseShapeRecords(r, 1);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(std::get<TCurvedEdge>(records[0]), (TCurvedEdge{1000, 0, 0, 1000}));
}

}  // namespace
}  // namespace swf::test
