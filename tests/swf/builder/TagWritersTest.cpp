// The builder's tags and a whole movie against byte vectors decoded by an independent
// parser: what the writer emits must be exactly these bytes.
#include <gtest/gtest.h>

#include "BuilderTestKit.h"
#include "swf/builder/MovieWriter.h"
#include "swf/builder/ShapeEncoder.h"
#include "swf/builder/TagWriters.h"
#include "swf/builder/WaveFile.h"

using namespace swf;
using swf::test::Hex;

namespace {

TMatrix Translation(int32_t x, int32_t y) {
  TMatrix m;
  m.TX = x;
  m.TY = y;
  return m;
}

std::vector<uint8_t> RedSquareBody() {
  TShapeEncoder square;
  square.MoveTo(0, 0, TInkSide::Right);  // clockwise on screen: inside on the right
  square.LineTo(2000, 0);
  square.LineTo(2000, 2000);
  square.LineTo(0, 2000);
  square.ClosePath();
  return square.Body(TShapeEncoder::SolidFill({255, 0, 0, 255}));
}

}  // namespace

TEST(TagWriters, ControlTagsMatchTheVectors) {
  TSwfBitWriter w;
  WriteFileAttributes(w, 0);
  WriteSetBackgroundColor(w, {255, 255, 255, 255});
  WriteDoAction(w, {ActionStop});
  WriteRemove(w, 1);
  WriteStartSound(w, 2);
  WriteShowFrame(w);
  WriteEnd(w);
  EXPECT_EQ(w.Data(), Hex("44 11 00 00 00 00  43 02 FF FF FF  02 03 07 00  02 07 01 00  C3 03 02 00 00"
                          "  40 00  00 00"));
}

TEST(TagWriters, PlacementsMatchTheVectors) {
  TSwfBitWriter placeNew;
  WritePlaceNew(placeNew, 1, 1, Translation(2000, 1000), TCxForm{});
  EXPECT_EQ(placeNew.Data(), Hex("89 06 06 01 00 01 00 18 FA 07 D0"));

  TMatrix scale2;
  scale2.A = scale2.D = 0x20000;
  TCxForm halfAlpha;
  halfAlpha.AMult = 128;
  TSwfBitWriter modify;
  WritePlaceModify(modify, 1, &scale2, &halfAlpha);
  EXPECT_EQ(modify.Data(), Hex("90 06 0D 01 00 CD 00 00 20 00 00 00 69 00 40 10 02 00"));
}

TEST(TagWriters, DefineSoundOfPcmMatchesTheVector) {
  std::vector<uint8_t> samples = {1, 2, 3, 4, 5, 6, 7, 8};
  TSwfBitWriter w;
  WriteDefineSound(w, 5, static_cast<uint8_t>(PcmMonoFormat(22050)), 4, samples);
  auto expected = Hex("8F 03 05 00 3A 04 00 00 00");
  expected.insert(expected.end(), samples.begin(), samples.end());
  EXPECT_EQ(w.Data(), expected);
  EXPECT_EQ(PcmMonoFormat(5512), 0x32);
  EXPECT_EQ(PcmMonoFormat(44100), 0x3E);
  EXPECT_EQ(PcmMonoFormat(8000), -1);
}

TEST(TagWriters, RedSquareShapeMatchesTheVector) {
  TSwfBitWriter w;
  WriteDefineShape3(w, 1, RedSquareBody());
  EXPECT_EQ(w.Data(), Hex("1E 08 01 00 60 00 3E 80 00 3E 80 01 00 FF 00 00 FF 00 10 14 27 A1 F4 3A 5F 43 A2"
                          " 0C 3A 60 C0 00"));
}

TEST(TagWriters, BitmapTagsAlwaysUseTheLongHeader) {
  TSwfBitWriter w;
  WriteDefineBitsJpeg2(w, 3, {0xFF, 0xD8, 0xFF, 0xD9});
  EXPECT_EQ(w.Data(), Hex("7F 05 06 00 00 00 03 00 FF D8 FF D9"));
}

// The whole 79-byte movie: white 550 x 400 stage at 24 fps, the red square at (100, 50) px.
TEST(MovieWriter, WritesTheReferenceMovieByteForByte) {
  auto square = std::make_shared<TContent>();
  square->ShapeBody = RedSquareBody();
  TSwfTimeline timeline;
  TPlacement placement;
  placement.Matrix = Translation(2000, 1000);
  timeline.Of(square).Add(0, placement, timeline.NextSeq());
  timeline.UseFrame(0);
  TMovieSettings settings;
  settings.Stage = {0, 11000, 0, 8000};
  settings.FrameRate88 = 24 << 8;
  EXPECT_EQ(SerializeMovie(settings, timeline),
            Hex("46 57 53 08 4F 00 00 00 78 00 05 5F 00 00 0F A0 00 00 18 01 00 44 11 00 00 00 00 43 02 FF"
                " FF FF 1E 08 01 00 60 00 3E 80 00 3E 80 01 00 FF 00 00 FF 00 10 14 27 A1 F4 3A 5F 43 A2 0C"
                " 3A 60 C0 00 89 06 06 01 00 01 00 18 FA 07 D0 40 00 00 00"));
}
