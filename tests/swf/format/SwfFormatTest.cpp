// The compound SWF types against byte vectors decoded by an independent parser: the writer
// must produce exactly these bytes and the reader must give back the value.
#include <gtest/gtest.h>

#include <functional>

#include "support/HexBytes.h"
#include "swf/format/SwfBitReader.h"
#include "swf/format/SwfBitWriter.h"
#include "swf/format/SwfError.h"

using namespace swf;
using swf::test::Hex;

namespace {

TMatrix MakeMatrix(int32_t a, int32_t b, int32_t c, int32_t d, int32_t tx, int32_t ty) {
  TMatrix m;
  m.A = a; m.B = b; m.C = c; m.D = d; m.TX = tx; m.TY = ty;
  return m;
}

struct TVector {
  const char* Name;
  const char* Bytes;
  std::function<void(TSwfBitWriter&)> Write;
  std::function<void(TSwfBitReader&)> ReadAndCheck;
};

TCxForm HalfAlpha() {
  TCxForm c;
  c.AMult = 128;
  return c;
}

TCxForm RedAdd() {
  TCxForm c;
  c.RAdd = 255;
  return c;
}

const std::vector<TVector>& Vectors() {
  static const std::vector<TVector> vectors = {
      {"rect 420x180 px", "78 00 04 1A 00 00 07 08 00",
       [](TSwfBitWriter& w) { w.Rect({0, 8400, 0, 3600}); },
       [](TSwfBitReader& r) { EXPECT_EQ(r.Rect(), (TRect{0, 8400, 0, 3600})); }},
      {"rect 550x400 px", "78 00 05 5F 00 00 0F A0 00",
       [](TSwfBitWriter& w) { w.Rect({0, 11000, 0, 8000}); },
       [](TSwfBitReader& r) { EXPECT_EQ(r.Rect(), (TRect{0, 11000, 0, 8000})); }},
      {"matrix scale 2", "CD 00 00 20 00 00 00",
       [](TSwfBitWriter& w) { w.Matrix(MakeMatrix(0x20000, 0, 0, 0x20000, 0, 0)); },
       [](TSwfBitReader& r) { EXPECT_EQ(r.Matrix(), MakeMatrix(0x20000, 0, 0, 0x20000, 0, 0)); }},
      {"matrix translate", "18 FA 07 D0",
       [](TSwfBitWriter& w) { w.Matrix(MakeMatrix(65536, 0, 0, 65536, 2000, 1000)); },
       [](TSwfBitReader& r) { EXPECT_EQ(r.Matrix(), MakeMatrix(65536, 0, 0, 65536, 2000, 1000)); }},
      {"matrix rotate 90 and translate", "84 C9 00 00 C0 00 18 FA 07 D0",
       [](TSwfBitWriter& w) { w.Matrix(MakeMatrix(0, 65536, -65536, 0, 2000, 1000)); },
       [](TSwfBitReader& r) { EXPECT_EQ(r.Matrix(), MakeMatrix(0, 65536, -65536, 0, 2000, 1000)); }},
      {"cxform half alpha", "69 00 40 10 02 00",
       [](TSwfBitWriter& w) { w.CxForm(HalfAlpha(), true); },
       [](TSwfBitReader& r) { EXPECT_EQ(r.CxForm(true), HalfAlpha()); }},
      {"cxform red add", "A5 FE 00 00 00 00",
       [](TSwfBitWriter& w) { w.CxForm(RedAdd(), true); },
       [](TSwfBitReader& r) { EXPECT_EQ(r.CxForm(true), RedAdd()); }},
      {"encoded u32", "81 01 AC 02",
       [](TSwfBitWriter& w) { w.EncodedU32(129); w.EncodedU32(300); },
       [](TSwfBitReader& r) { EXPECT_EQ(r.EncodedU32(), 129u); EXPECT_EQ(r.EncodedU32(), 300u); }},
      {"show frame and end tags", "40 00 00 00",
       [](TSwfBitWriter& w) { w.Tag(1, {}); w.Tag(0, {}); },
       [](TSwfBitReader& r) { EXPECT_EQ(r.U16(), 0x40); EXPECT_EQ(r.U16(), 0); }},
      {"long tag header", "3F 09 03 00 00 00 01 02 03",
       [](TSwfBitWriter& w) { w.Tag(36, {1, 2, 3}, true); },
       [](TSwfBitReader& r) { EXPECT_EQ(r.U16() >> 6, 36); EXPECT_EQ(r.U32(), 3u); r.Skip(3); }},
  };
  return vectors;
}

}  // namespace

TEST(SwfFormat, WriterProducesTheVectorBytes) {
  for (const auto& v : Vectors()) {
    TSwfBitWriter w;
    v.Write(w);
    w.Flush();
    EXPECT_EQ(w.Data(), Hex(v.Bytes)) << v.Name;
  }
}

TEST(SwfFormat, ReaderGivesBackTheVectorValues) {
  for (const auto& v : Vectors()) {
    auto bytes = Hex(v.Bytes);
    TSwfBitReader r(bytes.data(), bytes.size());
    SCOPED_TRACE(v.Name);
    v.ReadAndCheck(r);
    EXPECT_TRUE(r.AtEnd());
  }
}

TEST(SwfFormat, SignedBitWidths) {
  EXPECT_EQ(SignedBits(0), 0);
  EXPECT_EQ(SignedBits(1), 2);
  EXPECT_EQ(SignedBits(-1), 1);
  EXPECT_EQ(SignedBits(2000), 12);
  EXPECT_EQ(SignedBits(8400), 15);
  EXPECT_EQ(SignedBits(131072), 19);
}

TEST(SwfFormat, ReaderNeverReadsPastTheEnd) {
  auto bytes = Hex("78 00 04");  // a rectangle cut short
  TSwfBitReader r(bytes.data(), bytes.size(), 100, 9);
  try {
    r.Rect();
    FAIL() << "a truncated rectangle must not read";
  } catch (const TSwfError& e) {
    EXPECT_EQ(e.TagCode(), 9);
    EXPECT_GE(e.Offset(), 100);
    EXPECT_NE(std::string(e.what()).find("SetBackgroundColor"), std::string::npos);
  }
  TSwfBitReader r2(bytes.data(), bytes.size());
  EXPECT_THROW(r2.Bytes(4), TSwfError);
  EXPECT_THROW(r2.U32(), TSwfError);
  EXPECT_EQ(r2.U16(), 0x78);
}

TEST(SwfFormat, StringStopsAtNulOrEnd) {
  auto bytes = Hex("69 6E 74 72 6F 00 41 42");
  TSwfBitReader r(bytes.data(), bytes.size());
  EXPECT_EQ(r.String(), "intro");
  EXPECT_EQ(r.String(), "AB");
  EXPECT_TRUE(r.AtEnd());
}
