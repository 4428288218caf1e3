// Playback of the timeline: ticks, stop and goto actions, looping, seeking back and forth,
// sprites with their own playheads, and sounds of the frames entered.
#include <gtest/gtest.h>

#include <malloc.h>

#include "PixelAssert.h"
#include "TestMovie.h"
#include "player/MoviePlayer.h"

using namespace playertest;
using swf::TSwfBitWriter;
using player::TMoviePlayer;

namespace {

const TRgba Colors[4] = {{255, 0, 0, 255}, {0, 0, 255, 255}, {0, 255, 0, 255}, {0, 0, 0, 255}};

QColor ColorAt(TMoviePlayer& player, int x = 5, int y = 5) {
  return player.RenderImage(QSize(100, 100)).pixelColor(x, y);
}

// A movie whose frame k shows a full-stage square of Colors[k % 4] at depth 1.
TTestMovie ColorFrames(int frames) {
  TTestMovie movie(100, 100);
  uint16_t ids[4];
  for (int i = 0; i < 4; ++i) ids[i] = movie.RectShape(0, 0, 2000, 2000, Solid(Colors[i]));
  for (int f = 0; f < frames; ++f) {
    if (f > 0) movie.Remove(1);
    movie.Place(1, ids[f % 4]);
    movie.ShowFrame();
  }
  return movie;
}

// Heap bytes in use for a player that has played every frame of ColorFrames(frames).
int64_t HeapHeldByPlayerOf(int frames) {
  const std::vector<uint8_t> bytes = ColorFrames(frames).Bytes();
  const int64_t before = static_cast<int64_t>(mallinfo2().uordblks);
  TMoviePlayer player;
  player.LoadBytes(bytes);
  for (int i = 0; i < frames; ++i) player.Tick();
  return static_cast<int64_t>(mallinfo2().uordblks) - before;
}

}  // namespace

TEST(Timeline, ALongMovieCostsTheBytesOfItsTagsNotParsedFrames) {
  if (mallinfo2().uordblks == 0) GTEST_SKIP() << "this heap does not report its use";
  const int64_t shortMovie = HeapHeldByPlayerOf(100);
  const int64_t longMovie = HeapHeldByPlayerOf(20100);
  // A frame here is a remove and a place: about 20 bytes in the file, several hundred
  // once parsed. An export of a long movie must not grow with it.
  EXPECT_LT(longMovie - shortMovie, 20000 * 48);
}

TEST(Timeline, TicksThroughTheFramesAndLoops) {
  TMoviePlayer player;
  player.LoadBytes(ColorFrames(3).Bytes());
  EXPECT_EQ(player.TotalFrames(), 3);
  EXPECT_EQ(player.CurrentFrame(), 0);
  EXPECT_EQ(ColorAt(player), QColor(255, 0, 0));
  player.Tick();
  EXPECT_EQ(ColorAt(player), QColor(0, 0, 255));
  player.Tick();
  player.Tick();
  EXPECT_EQ(player.CurrentFrame(), 0);
  EXPECT_EQ(ColorAt(player), QColor(255, 0, 0));
}

TEST(Timeline, WithoutLoopItHaltsOnTheLastFrameAndPlayStartsAgain) {
  TMoviePlayer player;
  player.LoadBytes(ColorFrames(3).Bytes());
  player.SetLoop(false);
  for (int i = 0; i < 5; ++i) player.Tick();
  EXPECT_EQ(player.CurrentFrame(), 2);
  EXPECT_FALSE(player.IsPlaying());
  player.SetPlaying(true);
  EXPECT_EQ(player.CurrentFrame(), 0);
  EXPECT_TRUE(player.IsPlaying());
}

TEST(Timeline, StopActionHaltsOnItsFrame) {
  TTestMovie movie = ColorFrames(0);
  movie.Place(1, 1);
  movie.ShowFrame();
  movie.Action(ActionStop());
  movie.ShowFrame();
  movie.ShowFrame();
  TMoviePlayer player;
  player.LoadBytes(movie.Bytes());
  player.Tick();
  player.Tick();
  player.Tick();
  EXPECT_EQ(player.CurrentFrame(), 1);
  EXPECT_FALSE(player.IsPlaying());
}

TEST(Timeline, GotoActionsJumpToFramesAndLabels) {
  TTestMovie movie = ColorFrames(0);
  movie.Place(1, 1);
  movie.Action(ActionGotoLabel("END"));  // labels match without regard to case
  movie.ShowFrame();
  movie.ShowFrame();
  movie.Action(ActionGotoFrame(1));
  movie.ShowFrame();
  movie.Label("end");
  movie.ShowFrame();
  TMoviePlayer player;
  player.LoadBytes(movie.Bytes());
  EXPECT_EQ(player.CurrentFrame(), 3);  // frame 0's action ran at load
  EXPECT_FALSE(player.IsPlaying());
  player.GotoFrame(2);  // its action sends the playhead to frame 1
  EXPECT_EQ(player.CurrentFrame(), 1);
}

TEST(Timeline, GotoFramePastTheEndRestsOnTheLastFrame) {
  TMoviePlayer player;
  player.LoadBytes(ColorFrames(6).Bytes());
  player.GotoFrame(6);
  EXPECT_EQ(player.CurrentFrame(), 5);
  EXPECT_EQ(ColorAt(player), QColor(0, 0, 255));
  player.GotoFrame(-3);
  EXPECT_EQ(player.CurrentFrame(), 0);
}

TEST(Timeline, SeekingBackAndForthShowsWhatPlayingShows) {
  // A square that moves one pixel right per frame (modified, not re-placed), 80 frames.
  TTestMovie movie(100, 100);
  movie.Place(1, movie.RectShape(0, 0, 200, 200, Solid(Colors[0])));
  movie.ShowFrame();
  for (int f = 1; f < 80; ++f) {
    movie.Modify(1, Translate(f, 0));
    movie.ShowFrame();
  }
  TMoviePlayer played, seeking;
  played.LoadBytes(movie.Bytes());
  seeking.LoadBytes(movie.Bytes());
  for (int f = 0; f < 37; ++f) played.Tick();
  seeking.GotoFrame(75);
  seeking.GotoFrame(37);
  EXPECT_EQ(seeking.CurrentFrame(), 37);
  EXPECT_EQ(played.RenderImage(QSize(100, 100)), seeking.RenderImage(QSize(100, 100)));
  seeking.GotoFrame(3);
  EXPECT_EQ(ColorAt(seeking, 4, 1), QColor(255, 0, 0));
  EXPECT_EQ(ColorAt(seeking, 14, 1), QColor(255, 255, 255));
}

TEST(Timeline, SpritesPlayTheirOwnFramesEvenWhenTheMovieStops) {
  TTestMovie movie(100, 100);
  uint16_t ids[4];
  for (int i = 0; i < 4; ++i) ids[i] = movie.RectShape(0, 0, 2000, 2000, Solid(Colors[i]));
  TTimelineWriter clip;
  for (int f = 0; f < 3; ++f) {
    if (f > 0) clip.Remove(1);
    clip.Place(1, ids[f]);
    clip.ShowFrame();
  }
  const uint16_t sprite = movie.Sprite(clip);
  movie.Place(1, sprite);
  movie.Action(ActionStop());
  movie.ShowFrame();
  TMoviePlayer player;
  player.LoadBytes(movie.Bytes());
  EXPECT_EQ(ColorAt(player), QColor(255, 0, 0));
  player.Tick();
  EXPECT_EQ(ColorAt(player), QColor(0, 0, 255));
  player.Tick();
  EXPECT_EQ(ColorAt(player), QColor(0, 255, 0));
  player.Tick();  // the sprite loops on its own
  EXPECT_EQ(ColorAt(player), QColor(255, 0, 0));
  EXPECT_EQ(player.CurrentFrame(), 0);
}

TEST(Timeline, AnInstanceThatStaysAcrossAGotoKeepsItsState) {
  TTestMovie movie(100, 100);
  uint16_t ids[4];
  for (int i = 0; i < 4; ++i) ids[i] = movie.RectShape(0, 0, 2000, 2000, Solid(Colors[i]));
  TTimelineWriter clip;
  for (int f = 0; f < 4; ++f) {
    if (f > 0) clip.Remove(1);
    clip.Place(1, ids[f]);
    clip.ShowFrame();
  }
  const uint16_t sprite = movie.Sprite(clip);
  movie.Place(1, sprite);  // placed on frame 0, stays through frame 2
  movie.ShowFrame();
  movie.ShowFrame();
  movie.Remove(1);
  movie.Place(1, sprite);  // a new instance from frame 2 on
  movie.ShowFrame();
  TMoviePlayer player;
  player.LoadBytes(movie.Bytes());
  player.Tick();
  EXPECT_EQ(ColorAt(player), QColor(0, 0, 255));  // root frame 1, sprite frame 1
  player.GotoFrame(0);
  EXPECT_EQ(ColorAt(player), QColor(0, 0, 255));  // the same instance: not restarted
  player.GotoFrame(2);
  EXPECT_EQ(ColorAt(player), QColor(255, 0, 0));  // the new instance starts at its frame 0
}

TEST(Timeline, ReplacingSwapsShapesButNotSprites) {
  TTestMovie movie(100, 100);
  const uint16_t red = movie.RectShape(0, 0, 1000, 2000, Solid(Colors[0]));
  const uint16_t blue = movie.RectShape(0, 0, 1000, 2000, Solid(Colors[1]));
  TTimelineWriter clip;
  clip.Place(1, red);
  clip.ShowFrame();
  const uint16_t sprite = movie.Sprite(clip);
  movie.Place(1, red);
  movie.Place(2, sprite, Translate(50, 0));
  movie.ShowFrame();
  TSwfBitWriter replace;  // PlaceObject2 Move + HasCharacter
  for (uint16_t depth : {1, 2}) {
    replace = TSwfBitWriter();
    replace.U8(0x03);
    replace.U16(depth);
    replace.U16(blue);
    movie.Tag(swf::TTagCode::PlaceObject2, replace.Take());
  }
  movie.ShowFrame();
  TMoviePlayer player;
  player.LoadBytes(movie.Bytes());
  player.Tick();
  EXPECT_EQ(ColorAt(player, 25, 50), QColor(0, 0, 255));  // the shape became blue
  EXPECT_EQ(ColorAt(player, 75, 50), QColor(255, 0, 0));  // the sprite stays itself
}

TEST(Timeline, SoundsStartOnlyForFramesEntered) {
  TTestMovie movie(100, 100);
  const std::vector<uint8_t> pcm(2000, 0x80);  // 8-bit mono silence
  const uint16_t sound = movie.Sound(0x30, 2000, pcm);  // PCM LE, 5.5 kHz, 8-bit, mono
  for (int f = 0; f < 10; ++f) {
    if (f == 5) movie.StartSound(sound);
    movie.ShowFrame();
  }
  TMoviePlayer player(player::TAudioMode::Silent);
  player.LoadBytes(movie.Bytes());
  player.GotoFrame(8);  // passes over frame 5
  EXPECT_EQ(player.Mixer().VoiceCount(), 0u);
  player.GotoFrame(5);
  EXPECT_EQ(player.Mixer().VoiceCount(), 1u);
  player.SetPlaying(false);  // halting stops the sounds
  EXPECT_EQ(player.Mixer().VoiceCount(), 0u);
  player.SetPlaying(true);
  for (int f = 0; f < 10; ++f) player.Tick();  // round to frame 5 again
  EXPECT_EQ(player.Mixer().VoiceCount(), 1u);
  player.Unload();
  EXPECT_EQ(player.Mixer().VoiceCount(), 0u);
}

TEST(Timeline, StreamSoundRunsWhilePlayingAndStopsWithTheMovie) {
  TTestMovie movie(100, 100);
  // SoundStreamHead2: 11 kHz 16-bit mono PCM, 100 samples a frame.
  movie.Tag(swf::TTagCode::SoundStreamHead2, {0x06, 0x36, 100, 0});
  for (int f = 0; f < 4; ++f) {
    movie.Tag(static_cast<swf::TTagCode>(19), std::vector<uint8_t>(200, 0x10), true);
    movie.ShowFrame();
  }
  TMoviePlayer player(player::TAudioMode::Silent);
  player.LoadBytes(movie.Bytes());
  EXPECT_TRUE(player.Mixer().IsPlaying(-1));
  player.Tick();
  EXPECT_TRUE(player.Mixer().IsPlaying(-1));
  player.SetPlaying(false);
  EXPECT_FALSE(player.Mixer().IsPlaying(-1));
  player.SetPlaying(true);
  EXPECT_TRUE(player.Mixer().IsPlaying(-1));
  player.GotoFrame(3);
  EXPECT_FALSE(player.Mixer().IsPlaying(-1));  // until the next tick
}
