// The renderer on hand-made movies: where shapes land, how they scale, turn, fade and fill,
// and how masks cut them.
#include <gtest/gtest.h>

#include "PixelAssert.h"
#include "TestMovie.h"
#include "player/MoviePlayer.h"
#include "swf/format/SwfBitWriter.h"

using namespace playertest;
using player::TMoviePlayer;

namespace {

const TRgba Red{255, 0, 0, 255};
const TRgba Blue{0, 0, 255, 255};
const TRgba White{255, 255, 255, 255};

QImage Draw(const TTestMovie& movie, QSize size, int ticks = 0) {
  TMoviePlayer player;
  const std::vector<uint8_t> bytes = movie.Bytes();
  player.LoadBytes(bytes);
  for (int i = 0; i < ticks; ++i) player.Tick();
  return player.RenderImage(size);
}

// A 100 × 100 px red square placed at (100, 50) px on a white 550 × 400 stage.
TTestMovie SquareMovie(const TMatrix& placement, std::optional<TCxForm> cx = std::nullopt) {
  TTestMovie movie(550, 400);
  movie.Background(White);
  const uint16_t square = movie.RectShape(0, 0, 2000, 2000, Solid(Red));
  movie.Place(1, square, placement, cx);
  movie.ShowFrame();
  return movie;
}

}  // namespace

TEST(Render, PlacesShapeAtItsMatrixAndScalesTheStageToTheImage) {
  const TTestMovie movie = SquareMovie(Translate(100, 50));
  const QImage same = Draw(movie, QSize(550, 400));
  EXPECT_TRUE(ColorNear(same, 101, 51, Qt::red));
  EXPECT_TRUE(ColorNear(same, 198, 148, Qt::red));
  EXPECT_TRUE(ColorNear(same, 98, 100, Qt::white));
  EXPECT_TRUE(ColorNear(same, 150, 152, Qt::white));

  const QImage doubled = Draw(movie, QSize(1100, 800));
  EXPECT_TRUE(ColorNear(doubled, 203, 103, Qt::red));
  EXPECT_TRUE(ColorNear(doubled, 396, 296, Qt::red));
  EXPECT_TRUE(ColorNear(doubled, 196, 150, Qt::white));
  EXPECT_TRUE(ColorNear(doubled, 404, 150, Qt::white));
}

TEST(Render, ShowAllKeepsProportionsCentredOnTheBackground) {
  const TTestMovie movie = SquareMovie(Translate(0, 0));
  // A 550 × 400 stage in a 1100 × 400 image: scale 1, 275 px of background either side.
  TMoviePlayer player;
  player.LoadBytes(movie.Bytes());
  const QImage wide = player.RenderImage(QSize(1100, 400), QColor(0, 255, 0));
  EXPECT_TRUE(ColorNear(wide, 270, 50, QColor(0, 255, 0)));
  EXPECT_TRUE(ColorNear(wide, 280, 50, Qt::red));
  EXPECT_TRUE(ColorNear(wide, 380, 50, QColor(0, 255, 0)));  // the override is the stage colour too
  EXPECT_TRUE(ColorNear(wide, 1090, 50, QColor(0, 255, 0)));
  // Nothing is drawn outside the stage: a square moved left of it stays hidden.
  const QImage hidden = Draw(SquareMovie(Translate(-50, 0)), QSize(1100, 400));
  EXPECT_TRUE(ColorNear(hidden, 270, 20, Qt::white));
  EXPECT_TRUE(ColorNear(hidden, 280, 20, Qt::red));
}

TEST(Render, RotatesAndScalesAroundTheShapeOrigin) {
  // Scaled 0.5 and turned 90° clockwise: the 100 px square becomes 50 px, lying left of
  // its origin at (200, 100).
  const QImage image = Draw(SquareMovie(ScaleRotate(0.5, 0.5, 90, 200, 100)), QSize(550, 400));
  EXPECT_TRUE(ColorNear(image, 175, 125, Qt::red));
  EXPECT_TRUE(ColorNear(image, 152, 102, Qt::red));
  EXPECT_TRUE(ColorNear(image, 225, 125, Qt::white));
  EXPECT_TRUE(ColorNear(image, 175, 155, Qt::white));
  // 45°: the corner points down from the origin; the middle of the diagonal is inside.
  const QImage turned = Draw(SquareMovie(ScaleRotate(1, 1, 45, 200, 100)), QSize(550, 400));
  EXPECT_TRUE(ColorNear(turned, 200, 170, Qt::red));
  EXPECT_TRUE(ColorNear(turned, 240, 100, Qt::white));
}

TEST(Render, ColourTransformFadesAndTints) {
  const QImage half = Draw(SquareMovie(Translate(0, 0), AlphaMult(0.5)), QSize(550, 400));
  EXPECT_TRUE(ColorNear(half, 50, 50, QColor(255, 127, 127), 3));
  TCxForm toBlue;
  toBlue.RMult = 0;
  toBlue.BAdd = 255;
  const QImage blue = Draw(SquareMovie(Translate(0, 0), toBlue), QSize(550, 400));
  EXPECT_TRUE(ColorNear(blue, 50, 50, Qt::blue));
  TCxForm gone = AlphaMult(0);
  const QImage invisible = Draw(SquareMovie(Translate(0, 0), gone), QSize(550, 400));
  EXPECT_TRUE(ColorNear(invisible, 50, 50, Qt::white));
}

TEST(Render, HolesComeFromTheFillOnEachSideOfAnEdge) {
  TTestMovie movie(200, 200);
  movie.Background(White);
  TOutline outer = Rectangle(0, 0, 4000, 4000);  // clockwise, fill1 inside
  TOutline inner = Rectangle(1000, 1000, 2000, 2000);  // clockwise again: the ring on its left
  inner.Fill0 = 1;
  inner.Fill1 = 0;
  movie.Place(1, movie.Shape({Solid(Blue)}, {outer, inner}));
  movie.ShowFrame();
  const QImage image = Draw(movie, QSize(200, 200));
  EXPECT_TRUE(ColorNear(image, 20, 20, Qt::blue));
  EXPECT_TRUE(ColorNear(image, 100, 100, Qt::white));
  EXPECT_TRUE(ColorNear(image, 180, 100, Qt::blue));
}

TEST(Render, TwoFillsShareAnEdge) {
  // Left half red, right half blue, drawn as the authoring tool does: the middle edge
  // carries red on its left and blue on its right.
  TTestMovie movie(200, 100);
  TOutline left;
  left.Points = {{2000, 2000}, {0, 2000}, {0, 0}, {2000, 0}};  // red on the right
  left.Fill0 = 0;
  left.Fill1 = 1;
  TOutline middle;
  middle.Points = {{2000, 0}, {2000, 2000}};  // downwards: red on the right (west), blue on the left
  middle.Fill0 = 2;
  middle.Fill1 = 1;
  TOutline right;
  right.Points = {{2000, 2000}, {4000, 2000}, {4000, 0}, {2000, 0}};  // blue on the left
  right.Fill0 = 2;
  right.Fill1 = 0;
  movie.Place(1, movie.Shape({Solid(Red), Solid(Blue)}, {left, middle, right}));
  movie.ShowFrame();
  const QImage image = Draw(movie, QSize(200, 100));
  EXPECT_TRUE(ColorNear(image, 50, 50, Qt::red));
  EXPECT_TRUE(ColorNear(image, 150, 50, Qt::blue));
}

TEST(Render, LinearGradientRunsAcrossItsSquare) {
  TTestMovie movie(200, 100);
  TFill gradient;
  gradient.Type = 0x10;
  // The gradient square (32768 twips) squeezed to the 200 px width, centred.
  gradient.Matrix.A = gradient.Matrix.D = static_cast<int32_t>(4000.0 / 32768 * 65536);
  gradient.Matrix.TX = 2000;
  gradient.Matrix.TY = 1000;
  gradient.Stops = {{0, Red}, {255, Blue}};
  movie.Place(1, movie.RectShape(0, 0, 4000, 2000, gradient));
  movie.ShowFrame();
  const QImage image = Draw(movie, QSize(200, 100));
  EXPECT_TRUE(ColorNear(image, 1, 50, Qt::red, 6));
  EXPECT_TRUE(ColorNear(image, 100, 50, QColor(128, 0, 128), 6));
  EXPECT_TRUE(ColorNear(image, 198, 50, Qt::blue, 6));
}

TEST(Render, BitmapFillMapsPicturePixelsThroughItsMatrix) {
  TTestMovie movie(100, 100);
  const uint16_t bitmap =
      movie.Bitmap(2, 2, {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF});
  TFill fill;
  fill.Type = 0x43;  // clipped, not smoothed
  fill.BitmapId = bitmap;
  fill.Matrix.A = fill.Matrix.D = 1000 * 65536;  // one picture pixel = 50 stage pixels
  movie.Place(1, movie.RectShape(0, 0, 2000, 2000, fill));
  movie.ShowFrame();
  const QImage image = Draw(movie, QSize(100, 100));
  EXPECT_TRUE(ColorNear(image, 25, 25, Qt::red));
  EXPECT_TRUE(ColorNear(image, 75, 25, Qt::green));
  EXPECT_TRUE(ColorNear(image, 25, 75, Qt::blue));
  EXPECT_TRUE(ColorNear(image, 75, 75, Qt::white));
}

TEST(Render, ClipLayerShowsOnlyWhatLiesInsideTheMask) {
  TTestMovie movie(200, 200);
  movie.Background(White);
  const uint16_t mask = movie.RectShape(1000, 1000, 2000, 2000, Solid(Blue));
  const uint16_t red = movie.RectShape(0, 0, 4000, 4000, Solid(Red));
  const uint16_t above = movie.RectShape(0, 0, 1000, 1000, Solid(Blue));
  movie.Place(1, mask, {}, std::nullopt, 2);  // masks depth 2 only
  movie.Place(2, red);
  movie.Place(3, above);
  movie.ShowFrame();
  const QImage image = Draw(movie, QSize(200, 200));
  EXPECT_TRUE(ColorNear(image, 100, 100, Qt::red));  // inside the mask
  EXPECT_TRUE(ColorNear(image, 190, 190, Qt::white));  // masked away
  EXPECT_TRUE(ColorNear(image, 25, 25, Qt::blue));   // depth 3 is not masked
  EXPECT_TRUE(ColorNear(image, 75, 150, Qt::white));
}

TEST(Render, StaticTextPlacesGlyphsAtTheirHeightBaselineAndAdvance) {
  TTestMovie movie(100, 100);
  movie.Background(White);
  // DefineFont2 with one glyph: a square half an em wide standing on the baseline.
  const uint16_t font = movie.NextId();
  swf::TSwfBitWriter glyph;
  glyph.U8(0x10);  // one fill bit, no line bits
  glyph.UB(6, 0b000101);  // style change: fill1 and move
  glyph.UB(5, 12);
  glyph.SB(12, 0);
  glyph.SB(12, -512);
  glyph.UB(1, 1);
  const int corners[4][2] = {{512, 0}, {0, 512}, {-512, 0}, {0, -512}};
  for (const auto& d : corners) {
    glyph.UB(2, 0b11);  // straight edge
    glyph.UB(4, 12 - 2);
    glyph.UB(1, 1);
    glyph.SB(12, d[0]);
    glyph.SB(12, d[1]);
  }
  glyph.UB(6, 0);
  glyph.Flush();
  const std::vector<uint8_t> shape = glyph.Take();
  swf::TSwfBitWriter fontTag;
  fontTag.U16(font);
  fontTag.U8(0x04);  // wide codes
  fontTag.U8(0);
  fontTag.U8(1);
  fontTag.U8('F');
  fontTag.U16(1);
  fontTag.U16(4);  // glyph offset, from the offset table
  fontTag.U16(static_cast<uint16_t>(4 + shape.size()));  // code table offset
  fontTag.Bytes(shape);
  fontTag.U16('A');
  movie.Tag(swf::TTagCode::DefineFont2, fontTag.Take());
  // DefineText2: two glyphs 20 px high, the first at x 10 px on a baseline at 50 px,
  // the next 30 px further.
  const uint16_t text = movie.NextId();
  swf::TSwfBitWriter textTag;
  textTag.U16(text);
  textTag.Rect({0, 2000, 0, 2000});
  textTag.Matrix({});
  textTag.U8(1);   // glyph bits
  textTag.U8(11);  // advance bits
  textTag.U8(0x8F);
  textTag.U16(font);
  textTag.Rgba({0, 0, 255, 255});
  textTag.I16(200);
  textTag.I16(1000);
  textTag.U16(400);
  textTag.U8(2);
  for (int i = 0; i < 2; ++i) {
    textTag.UB(1, 0);
    textTag.SB(11, 600);
  }
  textTag.Flush();
  textTag.U8(0);
  movie.Tag(swf::TTagCode::DefineText2, textTag.Take());
  movie.Place(1, text);
  movie.ShowFrame();
  const QImage image = Draw(movie, QSize(100, 100));
  EXPECT_TRUE(ColorNear(image, 15, 45, Qt::blue));
  EXPECT_TRUE(ColorNear(image, 45, 45, Qt::blue));
  EXPECT_TRUE(ColorNear(image, 25, 45, Qt::white));
  EXPECT_TRUE(ColorNear(image, 15, 35, Qt::white));
  EXPECT_TRUE(ColorNear(image, 15, 55, Qt::white));
}

// A line whose two ends have different caps (flat at its start, round at its end), drawn
// in every edge mode: the end reaches past its point, the start does not.
TEST(Render, EachEndOfALineHasItsOwnCap) {
  TTestMovie movie(100, 40);
  movie.Background({255, 255, 255, 255});
  TOutline line;
  line.Points = {{20 * 20, 20 * 20}, {80 * 20, 20 * 20}};
  movie.Place(1, movie.LineShape(line, 16 * 20, {0, 0, 0, 255}, 1, 0));
  movie.ShowFrame();
  for (const player::TEdges edges : {player::TEdges::Exact, player::TEdges::FourSamples, player::TEdges::Hard}) {
    SCOPED_TRACE(static_cast<int>(edges));
    TMoviePlayer player;
    player.SetEdges(edges);
    player.LoadBytes(movie.Bytes());
    const QImage image = player.RenderImage(QSize(100, 40));
    EXPECT_TRUE(ColorNear(image, 22, 20, Qt::black));
    EXPECT_TRUE(ColorNear(image, 17, 20, Qt::white));  // flat start
    EXPECT_TRUE(ColorNear(image, 85, 20, Qt::black));  // round end, 8 px out
    EXPECT_TRUE(ColorNear(image, 87, 13, Qt::white));  // outside its half circle
  }
}
