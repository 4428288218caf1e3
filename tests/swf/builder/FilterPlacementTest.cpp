// Blur and glow on a text: written as PlaceObject3 filter lists that the reader gives back,
// taken away again by a later placement, and never written for placements without them.
#include <gtest/gtest.h>

#include <variant>

#include "BuilderTestKit.h"
#include "swf/builder/SwfMovie.h"
#include "swf/builder/SwfObject.h"
#include "swf/format/TagCodes.h"
#include "swf/reader/MovieParser.h"

using namespace swf;
using namespace swf::test;

TEST(FilterPlacement, BlurAndGlowReadBackAndLeaveWhenSetToNothing) {
  TSwfMovie movie;
  TSwfObject object;
  object.MakeTextSimple("DejaVu Sans", "Hi", 1000, 500, 504);
  for (int i = 0; i <= 2; ++i) {
    movie.GotoFrame(i);
    movie.RemoveObject(object);
    object.SetSolidFill(0, 0, 255, 128);
    object.SetBlur(i == 2 ? 0 : 200);                       // 10 pixels, gone on frame 2
    object.SetGlow(0, 0, 255, i == 0 ? 255 : 0, 100);      // only on frame 0
    movie.AddObject(object);
  }
  const std::vector<uint8_t> bytes = movie.MovieBytes();
  const auto codes = TagCodes(bytes);
  EXPECT_NE(std::find(codes.begin(), codes.end(), static_cast<uint16_t>(TTagCode::PlaceObject3)), codes.end());
  const TMovie read = LoadMovie(bytes);

  const TDisplayObject first = DisplayAt(read, 0).begin()->second;
  ASSERT_EQ(first.Filters.size(), 2u);
  const auto* glow = std::get_if<TGlowFilter>(&first.Filters[0]);
  ASSERT_NE(glow, nullptr);
  EXPECT_EQ(glow->Color, (TRgba{0, 0, 255, 255}));
  EXPECT_DOUBLE_EQ(glow->BlurX, 5.0);
  const auto* blur = std::get_if<TBlurFilter>(&first.Filters[1]);
  ASSERT_NE(blur, nullptr);
  EXPECT_DOUBLE_EQ(blur->BlurX, 10.0);
  // Half transparent: the alpha is multiplied, so the blurred edges stay soft.
  EXPECT_EQ(first.CxForm.AMult, 129); // 128 / 255 in 8.8
  EXPECT_EQ(first.CxForm.AAdd, 0);

  EXPECT_EQ(DisplayAt(read, 1).begin()->second.Filters.size(), 1u);
  const TDisplayObject last = DisplayAt(read, 2).begin()->second;
  EXPECT_TRUE(last.Filters.empty());
  EXPECT_EQ(last.CxForm.AAdd, 128); // without filters the fill is added as before
}

TEST(FilterPlacement, ANewContentStartsWithoutFilters) {
  TSwfMovie movie;
  TSwfObject object;
  object.MakeTextSimple("DejaVu Sans", "A", 0, 0, 504);
  object.SetBlur(100);
  object.MakeTextSimple("DejaVu Sans", "B", 0, 0, 504);
  movie.AddObject(object);
  const auto codes = TagCodes(movie.MovieBytes());
  EXPECT_EQ(std::find(codes.begin(), codes.end(), static_cast<uint16_t>(TTagCode::PlaceObject3)), codes.end());
}

// A text drawn in its own colour keeps it under filters, so the filters keep theirs in
// players that colour a placement after filtering it; the next text is black again.
TEST(FilterPlacement, ATextDrawnInItsColourIsOnlyFadedUnderFilters) {
  TSwfMovie movie;
  TSwfObject object;
  object.SetTextColour(255, 0, 0);
  object.MakeTextSimple("DejaVu Sans", "Hi", 0, 0, 504);
  object.SetSolidFill(255, 0, 0, 255);
  object.SetOutline(0, 0, 0, 255, 40);
  movie.AddObject(object);
  const TMovie read = LoadMovie(movie.MovieBytes());
  const TDisplayObject placed = DisplayAt(read, 0).begin()->second;
  EXPECT_EQ(placed.Filters.size(), 1u);
  EXPECT_FALSE(placed.CxForm.HasAdd());
  EXPECT_EQ(placed.CxForm.RMult, 256);

  object.MakeTextSimple("DejaVu Sans", "Hi", 0, 0, 504);  // black again: coloured by adding
  object.SetSolidFill(255, 0, 0, 255);
  object.SetOutline(0, 0, 0, 255, 40);
  EXPECT_EQ(object.CurrentPlacement().CxForm.RAdd, 255);
}
