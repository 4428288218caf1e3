// Filters and blend modes on pixels, for what the peer references do not cover: alpha
// within a layer, a layer's group alpha, gradient glows and bevels, convolutions, device
// resolution and filters at the stage's edge.
#include <gtest/gtest.h>

#include "PixelAssert.h"
#include "ReferenceMovies.h"
#include "player/MoviePlayer.h"

using namespace playertest;
using player::TMoviePlayer;

namespace {

const TRgba White{255, 255, 255, 255}, Red{255, 0, 0, 255}, Blue{0, 0, 255, 255};
const TRgba Black{0, 0, 0, 255};

QImage Draw(const TTestMovie& movie, QSize size) {
  TMoviePlayer player;
  player.LoadBytes(movie.Bytes());
  return player.RenderImage(size);
}

// A sprite with blend mode layer (or none) holding a blue square and, over it, a smaller
// half-transparent square with the given blend mode.
TTestMovie LayerWithCut(uint8_t cutMode, uint8_t groupMode) {
  TTestMovie movie(100, 100);
  movie.Background(White);
  const uint16_t blue = movie.RectShape(0, 0, 80 * 20, 80 * 20, Solid(Blue));
  const uint16_t cut = movie.RectShape(0, 0, 40 * 20, 40 * 20, Solid({0, 0, 0, 128}));
  TTimelineWriter group;
  group.Place(1, blue);
  group.Place3(2, cut, Translate(20, 20), {}, cutMode);
  group.ShowFrame();
  movie.Place3(1, movie.Sprite(group), Translate(10, 10), {}, groupMode);
  movie.ShowFrame();
  return movie;
}

}  // namespace

TEST(Blend, AlphaAndEraseActOnTheirLayerOnly) {
  // Alpha keeps the layer only where the cut is, at its alpha.
  const QImage alpha = Draw(LayerWithCut(11, 2), QSize(100, 100));
  EXPECT_TRUE(ColorNear(alpha, 20, 20, Qt::white));
  EXPECT_TRUE(ColorNear(alpha, 50, 50, QColor(127, 127, 255), 4));
  // Erase removes the layer where the cut is, by its alpha.
  const QImage erase = Draw(LayerWithCut(12, 2), QSize(100, 100));
  EXPECT_TRUE(ColorNear(erase, 20, 20, Qt::blue));
  EXPECT_TRUE(ColorNear(erase, 50, 50, QColor(127, 127, 255), 4));
  // Without a layer around them there is nothing for them to act on: the blue square stays.
  for (uint8_t mode : {11, 12}) {
    const QImage alone = Draw(LayerWithCut(mode, 0), QSize(100, 100));
    EXPECT_TRUE(ColorNear(alone, 50, 50, Qt::blue)) << int(mode);
    EXPECT_TRUE(ColorNear(alone, 5, 5, Qt::white)) << int(mode);
  }
}

TEST(Blend, LayerTakesTheGroupsAlphaAsAWholeAndUnknownModesDrawNormally) {
  TTestMovie movie(200, 100);
  movie.Background(White);
  const uint16_t red = movie.RectShape(0, 0, 50 * 20, 50 * 20, Solid(Red));
  const uint16_t blue = movie.RectShape(0, 0, 50 * 20, 50 * 20, Solid(Blue));
  TTimelineWriter group;
  group.Place(1, red);
  group.Place(2, blue, Translate(25, 25));
  group.ShowFrame();
  const uint16_t sprite = movie.Sprite(group);
  movie.Place3(1, sprite, Translate(10, 10), {}, 0, false, AlphaMult(0.5));
  movie.Place3(2, sprite, Translate(110, 10), {}, 2, false, AlphaMult(0.5));
  movie.Place3(3, red, Translate(0, 80), {}, 200);  // no such mode
  movie.ShowFrame();
  const QImage image = Draw(movie, QSize(200, 100));
  // Where the squares overlap: red shows through blue without a layer, not with one.
  EXPECT_TRUE(ColorNear(image, 50, 50, QColor(128, 64, 191), 4));
  EXPECT_TRUE(ColorNear(image, 150, 50, QColor(127, 127, 255), 4));
  EXPECT_TRUE(ColorNear(image, 20, 90, Qt::red));
}

TEST(Blend, AGroupAddedAtHalfAlphaAddsItsFadedColours) {
  // A grey group added at half alpha onto light grey: 200 + 160 / 2, not the clamped sum
  // faded (255 + 200) / 2.
  TTestMovie movie(100, 100);
  movie.Background({200, 200, 200, 255});
  const uint16_t grey = movie.RectShape(0, 0, 50 * 20, 50 * 20, Solid({160, 160, 160, 255}));
  TTimelineWriter group;
  group.Place(1, grey);
  group.ShowFrame();
  movie.Place3(1, movie.Sprite(group), Translate(10, 10), {}, 8, false, AlphaMult(0.5));
  movie.ShowFrame();
  EXPECT_TRUE(ColorNear(Draw(movie, QSize(100, 100)), 30, 30, QColor(255, 255, 255), 2));
}

TEST(Filters, AColourTransformAppliesToWhatTheFiltersMade) {
  // A half-transparent square's shadow does not show through it, and a tint colours the
  // shadow too.
  TTestMovie movie(200, 100);
  movie.Background(White);
  const uint16_t square = movie.RectShape(0, 0, 40 * 20, 40 * 20, Solid(Blue));
  const std::vector<uint8_t> shadow = FilterDropShadow(Black, 0, 45, 10, 1, 0x20 | 1);
  movie.Place3(1, square, Translate(10, 10), {shadow}, 0, false, AlphaMult(0.5));
  TCxForm red;
  red.RMult = red.GMult = red.BMult = 0;
  red.RAdd = 255;
  movie.Place3(2, square, Translate(110, 10), {shadow}, 0, false, red);
  movie.ShowFrame();
  const QImage image = Draw(movie, QSize(200, 100));
  EXPECT_TRUE(ColorNear(image, 45, 45, QColor(127, 127, 255), 4));  // the square over its shadow
  EXPECT_TRUE(ColorNear(image, 55, 55, QColor(127, 127, 127), 4));  // the shadow alone
  EXPECT_TRUE(ColorNear(image, 155, 55, Qt::red, 4));
}

TEST(Filters, GradientGlowAndBevelTakeTheirColoursFromTheGradient) {
  const TTestMovie movie = FilterGrid({
      {FilterGradient(false, {{0, {0, 0, 0, 0}}, {255, {0, 200, 0, 255}}}, 8, 0, 0, 2, 0x20 | 1)},
      {FilterGradient(true, {{0, Red}, {128, {0, 0, 0, 0}}, {255, Blue}}, 4, 45, 4, 2, 0xA0 | 1)},
  });
  const QImage image = Draw(movie, QSize(320, 80));
  // The glow: green just outside the square's left edge, nothing far away.
  const QColor glow = image.pixelColor(18, 40);
  EXPECT_GT(glow.green(), glow.red() + 60);
  EXPECT_TRUE(ColorNear(image, 2, 40, QColor(235, 235, 235)));
  EXPECT_TRUE(ColorNear(image, 40, 30, QColor(255, 140, 20)));  // the square itself
  // The bevel: the lit top-left edge inside takes the gradient's end (blue), the shaded
  // bottom-right its start (red).
  const QColor lit = image.pixelColor(101, 30), shade = image.pixelColor(138, 58);
  EXPECT_GT(lit.blue(), lit.red());
  EXPECT_GT(shade.red(), shade.blue());
}

TEST(Filters, ConvolutionFindsEdgesAndFillsBeyondWithItsColour) {
  const TTestMovie movie = FilterGrid({
      {FilterConvolution(3, 3, {0, -1, 0, -1, 4, -1, 0, -1, 0}, 1, 0, Black, 0x03)},
      {FilterConvolution(5, 1, {1, 1, 1, 1, 1}, 5, 0, {0, 255, 0, 255}, 0x00)},
  });
  const QImage image = Draw(movie, QSize(320, 80));
  EXPECT_TRUE(ColorNear(image, 40, 30, Qt::black));        // flat colour: no edge
  const QColor edge = image.pixelColor(40, 39);             // orange meets navy
  EXPECT_GT(edge.red(), 100);
  // Without clamping, the default colour comes in at the bitmap's edge.
  const QColor rim = image.pixelColor(100, 40);
  EXPECT_GT(rim.green(), rim.red());
}

TEST(Filters, AreSizedInStagePixelsAndDrawnAtDeviceResolution) {
  const TTestMovie movie = FilterGrid({{FilterDropShadow(Black, 0, 0, 10, 1, 0x20 | 1)}});
  // The shadow lies 10 stage pixels to the right: 10 device pixels at scale 1, 20 at 2.
  const QImage one = Draw(movie, QSize(320, 80));
  EXPECT_TRUE(ColorNear(one, 65, 40, Qt::black));
  EXPECT_TRUE(ColorNear(one, 72, 40, QColor(235, 235, 235)));
  const QImage two = Draw(movie, QSize(640, 160));
  EXPECT_TRUE(ColorNear(two, 135, 80, Qt::black));
  EXPECT_TRUE(ColorNear(two, 143, 80, QColor(235, 235, 235)));
}

TEST(Filters, AnObjectOffTheStageStillCastsItsShadowOntoIt) {
  TTestMovie movie(100, 100);
  movie.Background(White);
  const uint16_t square = movie.RectShape(0, 0, 40 * 20, 40 * 20, Solid(Red));
  // The square lies left of the stage; its shadow, 20 px to the right, reaches in.
  movie.Place3(1, square, Translate(-50, 30), {FilterDropShadow(Black, 0, 0, 20, 1, 0x20 | 1)});
  movie.ShowFrame();
  const QImage image = Draw(movie, QSize(100, 100));
  EXPECT_TRUE(ColorNear(image, 5, 50, Qt::black));
  EXPECT_TRUE(ColorNear(image, 15, 50, Qt::white));
}

TEST(Filters, PastTheFramesAllowanceOfBlurPassesObjectsAreDrawnSharp) {
  // Each wide blur of fifteen passes costs its layer's pixels fifteen times over; a frame of
  // many of them must not take seconds, so the last ones are drawn without their filters.
  TTestMovie movie(400, 300);
  movie.Background(White);
  const uint16_t blue = movie.RectShape(0, 0, 200 * 20, 150 * 20, Solid(Blue));
  const uint16_t red = movie.RectShape(0, 0, 200 * 20, 150 * 20, Solid(Red));
  uint16_t depth = 1;
  for (; depth <= 16; ++depth) movie.Place3(depth, blue, Translate(100, 75), {FilterBlur(20, 20, 15)});
  movie.Place3(depth, red, Translate(100, 75), {FilterBlur(20, 20, 15)});
  movie.ShowFrame();
  const QImage image = Draw(movie, QSize(400, 300));
  EXPECT_TRUE(ColorNear(image, 102, 150, Qt::red));
  EXPECT_TRUE(ColorNear(image, 297, 222, Qt::red));
}

TEST(Filters, ACachedBitmapLandsOnWholePixels) {
  TTestMovie movie(40, 20);
  movie.Background(White);
  const uint16_t square = movie.RectShape(0, 0, 10 * 20, 10 * 20, Solid(Red));
  movie.Place3(1, square, Translate(5.5, 5), {}, 0, false);
  movie.Place3(2, square, Translate(25.5, 5), {}, 0, true);
  movie.ShowFrame();
  const QImage image = Draw(movie, QSize(40, 20));
  // Drawn directly, the half-covered column is pink; cached, it is red or white.
  EXPECT_FALSE(ColorNear(image, 5, 10, Qt::red, 40) || ColorNear(image, 5, 10, Qt::white, 40));
  EXPECT_TRUE(ColorNear(image, 25, 10, Qt::red, 40) || ColorNear(image, 25, 10, Qt::white, 40));
  EXPECT_TRUE(ColorNear(image, 35, 10, Qt::red, 40) || ColorNear(image, 35, 10, Qt::white, 40));
}
