// Movies made to hurt the player: self-placing and multiplying sprites, gotos that never
// end, pictures claiming huge sizes, shapes far out of range. Each must play and draw to
// the end within the player's limits. With PLAYER_FUZZ_SEEDS_OUT set, the movies are also
// written there as seeds for the fuzzer.
#include <gtest/gtest.h>

#include <QDir>

#include "TestMovie.h"
#include "fuzz/PlayEveryFrame.h"
#include "player/MoviePlayer.h"
#include "player/timeline/TimelineSet.h"

using namespace playertest;
using player::TMoviePlayer;

namespace {

void PlayAndKeep(const TTestMovie& movie, const char* name) {
  const std::vector<uint8_t> bytes = movie.Bytes();
  playerfuzz::PlayEveryFrame(bytes.data(), bytes.size());
  const QString seeds = qEnvironmentVariable("PLAYER_FUZZ_SEEDS_OUT");
  if (!seeds.isEmpty()) movie.Save(QDir(seeds).filePath(name).toStdString());
}

}  // namespace

TEST(HostileMovies, ASpritePlacingItselfStopsAtTheNestingLimit) {
  TTestMovie movie(100, 100);
  const uint16_t square = movie.RectShape(0, 0, 200, 200, Solid({255, 0, 0, 255}));
  TTimelineWriter clip;
  clip.Place(1, square);
  clip.Place(2, movie.PeekNextId(), Translate(5, 5));
  clip.ShowFrame();
  const uint16_t sprite = movie.Sprite(clip);
  movie.Place(1, sprite);
  movie.ShowFrame();
  TMoviePlayer player;
  player.LoadBytes(movie.Bytes());
  EXPECT_EQ(player.LiveClips(), static_cast<size_t>(player::TTimelineSet::MaxNesting));
  player.RenderImage(QSize(100, 100));
  PlayAndKeep(movie, "self-placing-sprite.swf");
}

TEST(HostileMovies, SpritesMultiplyingAtEveryLevelStopAtTheClipLimit) {
  TTestMovie movie(100, 100);
  uint16_t inner = movie.RectShape(0, 0, 100, 100, Solid({0, 0, 255, 255}));
  for (int level = 0; level < 4; ++level) {
    TTimelineWriter clip;
    for (uint16_t depth = 1; depth <= 64; ++depth) clip.Place(depth, inner, Translate(depth, level));
    clip.ShowFrame();
    clip.ShowFrame();
    inner = movie.Sprite(clip);
  }
  movie.Place(1, inner);
  movie.ShowFrame();
  TMoviePlayer player;
  player.LoadBytes(movie.Bytes());
  EXPECT_LE(player.LiveClips(), player::TTimelineSet::MaxClips);
  player.Tick();
  player.RenderImage(QSize(100, 100));
  PlayAndKeep(movie, "multiplying-sprites.swf");
}

TEST(HostileMovies, AButtonPlacingItselfStopsAtTheLimits) {
  TTestMovie movie(100, 100);
  const uint16_t square = movie.RectShape(0, 0, 200, 200, Solid({255, 0, 0, 255}));
  const uint16_t self = movie.PeekNextId();
  // Twice in every state: the copies would double at every level without the clip limit.
  movie.Button({{0x0F, square, 1, {}}, {0x07, self, 2, Translate(2, 2)}, {0x07, self, 3, Translate(3, 1)}},
               {});
  movie.Place(1, self);
  movie.ShowFrame();
  TMoviePlayer player;
  player.LoadBytes(movie.Bytes());
  EXPECT_GE(player.LiveClips(), static_cast<size_t>(player::TTimelineSet::MaxNesting));
  EXPECT_LE(player.LiveClips(), player::TTimelineSet::MaxClips);
  player.RenderImage(QSize(100, 100));
  // A new state builds its copies again, within the same limits.
  player.PointerMove(QPointF(5, 5));
  EXPECT_TRUE(player.PointerOverButton());
  player.Tick();
  EXPECT_LE(player.LiveClips(), player::TTimelineSet::MaxClips);
  player.RenderImage(QSize(100, 100));
  PlayAndKeep(movie, "self-placing-button.swf");
}

TEST(HostileMovies, AHitAreaSpritePlacingItselfTwiceIsLookedThroughWithinALimit) {
  // Each level holds the sprite twice: 2^32 objects down to the nesting limit, were every
  // one looked at when the pointer moves.
  TTestMovie movie(100, 100);
  const uint16_t face = movie.RectShape(0, 0, 200, 200, Solid({255, 0, 0, 255}));
  const uint16_t self = movie.PeekNextId();
  TTimelineWriter hitClip;
  hitClip.Place(1, self, Translate(1, 0));
  hitClip.Place(2, self, Translate(0, 1));
  hitClip.ShowFrame();
  ASSERT_EQ(movie.Sprite(hitClip), self);
  movie.Place(1, movie.Button({{0x07, face, 1, {}}, {0x08, self, 2, {}}}, {}));
  movie.ShowFrame();
  TMoviePlayer player;
  player.LoadBytes(movie.Bytes());
  player.PointerMove(QPointF(50, 50));
  EXPECT_FALSE(player.PointerOverButton());
  PlayAndKeep(movie, "self-placing-hit-area.swf");
}

TEST(HostileMovies, GotosBackAndForthEndWithinOneStep) {
  TTestMovie movie(100, 100);
  movie.Action(ActionGotoFrame(1));
  movie.ShowFrame();
  movie.Action(ActionGotoFrame(0));
  movie.ShowFrame();
  TMoviePlayer player;
  player.LoadBytes(movie.Bytes());
  player.Tick();
  EXPECT_LT(player.CurrentFrame(), 2);
  PlayAndKeep(movie, "goto-ping-pong.swf");
}

TEST(HostileMovies, HugePicturesAndShapesAreRefusedOrClipped) {
  TTestMovie movie(100, 100);
  // A lossless picture claiming 65535 × 65535 pixels with a few bytes of data.
  swf::TSwfBitWriter bitmap;
  const uint16_t bitmapId = movie.NextId();
  bitmap.U16(bitmapId);
  bitmap.U8(5);
  bitmap.U16(65535);
  bitmap.U16(65535);
  bitmap.Bytes({0x78, 0x9C, 0x03, 0x00, 0x00, 0x00, 0x00, 0x01});
  movie.Tag(swf::TTagCode::DefineBitsLossless2, bitmap.Take(), true);
  TFill fill;
  fill.Type = 0x41;
  fill.BitmapId = bitmapId;
  movie.Place(1, movie.RectShape(0, 0, 2000, 2000, fill));
  // A shape reaching far beyond the stage, scaled up further.
  const int32_t far = 1 << 29;
  movie.Place(2, movie.RectShape(-far, -far, far, far, Solid({0, 255, 0, 128})),
              ScaleRotate(1000, 1000, 30, 50, 50));
  movie.ShowFrame();
  TMoviePlayer player;
  player.LoadBytes(movie.Bytes());
  const QImage image = player.RenderImage(QSize(100, 100));
  EXPECT_FALSE(image.isNull());
  EXPECT_FALSE(player.Warnings().empty());  // the picture was refused, and says so
  PlayAndKeep(movie, "huge-picture-and-shape.swf");
}

TEST(HostileMovies, EveryFeatureTogetherPlays) {
  // Not hostile itself: the fuzzer's richest seed (shapes, gradient, bitmap, sprite, mask,
  // sound, actions, label), mutated from here.
  TTestMovie movie(160, 120, 24);
  movie.Background({10, 20, 30, 255});
  const uint16_t bitmap = movie.Bitmap(2, 2, {0xFFFF0000, 0x8000FF00, 0xFF0000FF, 0x00FFFFFF});
  TFill bitmapFill;
  bitmapFill.Type = 0x40;
  bitmapFill.BitmapId = bitmap;
  bitmapFill.Matrix.A = bitmapFill.Matrix.D = 400 * 65536;
  TFill gradient;
  gradient.Type = 0x12;
  gradient.Matrix.A = gradient.Matrix.D = 8000;
  gradient.Stops = {{0, {255, 255, 0, 255}}, {128, {0, 255, 255, 128}}, {255, {255, 0, 255, 255}}};
  const uint16_t shape = movie.Shape({bitmapFill, gradient},
                                     {Rectangle(0, 0, 1600, 1600), Rectangle(400, 400, 800, 800)},
                                     {{40, {255, 255, 255, 255}}});
  const std::vector<uint8_t> pcm(400, 0x90);
  const uint16_t sound = movie.Sound(0x3A, 200, pcm);  // PCM 22 kHz 16-bit mono
  TTimelineWriter clip;
  clip.Place(1, shape);
  clip.ShowFrame();
  clip.Modify(1, ScaleRotate(1.5, 0.5, 45, 10, 10), AlphaMult(0.5));
  clip.ShowFrame();
  const uint16_t sprite = movie.Sprite(clip);
  movie.Place(1, shape, {}, std::nullopt, 3);
  movie.Place(2, sprite, Translate(20, 20));
  movie.Place(4, shape, ScaleRotate(2, 2, 10, 60, 30));
  movie.StartSound(sound);
  movie.ShowFrame();
  movie.Label("loop");
  movie.Modify(2, Translate(40, 40));
  movie.ShowFrame();
  movie.Action(ActionGotoLabel("loop"));
  movie.Action(ActionPlay());
  movie.ShowFrame();
  TMoviePlayer player(player::TAudioMode::Silent);
  player.LoadBytes(movie.Bytes());
  for (int i = 0; i < 5; ++i) player.Tick();
  EXPECT_EQ(player.CurrentFrame(), 1);
  PlayAndKeep(movie, "every-feature.swf");
}
