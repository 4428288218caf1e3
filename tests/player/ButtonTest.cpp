// Buttons under the pointer: the state each shows, the release that runs its actions, a
// press dragged out and released outside that does not, sounds of the transitions, and
// the preview widget passing the mouse on.
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

#include "PixelAssert.h"
#include "ReferenceMovies.h"
#include "player/MoviePlayer.h"
#include "player/widget/FlashPlayer.h"

using namespace playertest;
using player::TMoviePlayer;

namespace {

const QColor Red(220, 0, 0), Green(0, 180, 0), Blue(0, 0, 220);
const QPointF OnFace(30, 40), OnDot(50, 50), Away(150, 90);

QColor FaceColor(TMoviePlayer& player) { return player.RenderImage(QSize(200, 100)).pixelColor(30, 40); }

}  // namespace

TEST(Buttons, ShowUpOverAndDownAndRunTheirActionsAtTheRelease) {
  TMoviePlayer player;
  player.LoadBytes(ButtonMovie().Bytes());
  EXPECT_TRUE(ColorNear(player.RenderImage(QSize(200, 100)), 30, 40, Red));
  EXPECT_FALSE(player.PointerOverButton());

  player.PointerMove(OnFace);
  EXPECT_TRUE(player.PointerOverButton());
  EXPECT_TRUE(ColorNear(player.RenderImage(QSize(200, 100)), 30, 40, Green));
  // The dot in front belongs to the button: the pointer on it is on the button.
  player.PointerMove(OnDot);
  EXPECT_TRUE(player.PointerOverButton());
  const QImage over = player.RenderImage(QSize(200, 100));
  EXPECT_TRUE(ColorNear(over, 50, 50, QColor(255, 220, 0)));

  player.PointerPress();
  EXPECT_TRUE(ColorNear(player.RenderImage(QSize(200, 100)), 30, 40, Blue));
  EXPECT_EQ(player.CurrentFrame(), 0);
  player.PointerRelease();
  EXPECT_EQ(player.CurrentFrame(), 1);
  const QImage after = player.RenderImage(QSize(200, 100));
  EXPECT_TRUE(ColorNear(after, 150, 40, Qt::black));
  EXPECT_TRUE(ColorNear(after, 30, 40, Green));  // still under the pointer

  player.PointerMove(Away);
  EXPECT_FALSE(player.PointerOverButton());
  EXPECT_TRUE(ColorNear(player.RenderImage(QSize(200, 100)), 30, 40, Red));
}

TEST(Buttons, APressReleasedOutsideRunsNothing) {
  TMoviePlayer player;
  player.LoadBytes(ButtonMovie().Bytes());
  player.PointerMove(OnFace);
  player.PointerPress();
  player.PointerMove(Away);
  EXPECT_NE(FaceColor(player), Blue);  // out while held: no longer down
  player.PointerMove(OnFace);
  EXPECT_TRUE(ColorNear(player.RenderImage(QSize(200, 100)), 30, 40, Blue));
  player.PointerMove(Away);
  player.PointerRelease();
  EXPECT_EQ(player.CurrentFrame(), 0);
  EXPECT_TRUE(ColorNear(player.RenderImage(QSize(200, 100)), 30, 40, Red));
  // A press away from every button and a release on one is no click either.
  player.PointerPress();
  player.PointerMove(OnFace);
  player.PointerRelease();
  EXPECT_EQ(player.CurrentFrame(), 0);
}

TEST(Buttons, PlayTheSoundsOfTheirTransitions) {
  TTestMovie movie = ButtonMovie();
  // 100 ms of 16-bit silence at 5.5 kHz for the press (over-up to over-down).
  const uint16_t sound = movie.Sound(0x02, 551, std::vector<uint8_t>(1102, 0));
  const uint16_t button = 5;  // the button is the fifth character of ButtonMovie
  movie.Tag(swf::TTagCode::DefineButtonSound,
            {uint8_t(button), 0, 0, 0, 0, 0, uint8_t(sound), uint8_t(sound >> 8), 0, 0, 0});
  TMoviePlayer player(player::TAudioMode::Silent);
  player.LoadBytes(movie.Bytes());
  player.PointerMove(OnFace);
  EXPECT_FALSE(player.Mixer().IsPlaying(sound));
  player.PointerPress();
  EXPECT_TRUE(player.Mixer().IsPlaying(sound));
}

TEST(Buttons, StagePointFollowsTheShowAllPlacement) {
  TMoviePlayer player;
  player.LoadBytes(ButtonMovie().Bytes());
  // A 400 × 400 area shows the 200 × 100 stage at scale 2, 100 px from the top.
  EXPECT_EQ(player.StagePoint(QRect(0, 0, 400, 400), QPointF(60, 180)), QPointF(30, 40));
  EXPECT_FALSE(player.StagePoint(QRect(0, 0, 400, 400), QPointF(60, 50)).has_value());
}

TEST(Buttons, PreviewWidgetClickRunsTheButtonAndStillTellsTheParent) {
  player::TFlashPlayer widget(nullptr, player::TAudioMode::None);
  widget.resize(200, 100);
  const QString path = QDir::temp().filePath("greetix-button-widget.swf");
  ButtonMovie().Save(path.toStdString());
  widget.SetMovie(path);
  widget.show();
  QSignalSpy released(&widget, &player::TFlashPlayer::MouseReleased);
  QTest::mouseMove(&widget, QPoint(30, 40));
  QTest::mouseClick(&widget, Qt::LeftButton, {}, QPoint(30, 40));
  EXPECT_EQ(widget.FrameNum(), 1);
  EXPECT_EQ(released.count(), 1);
  QFile::remove(path);
}

namespace {

const QColor Yellow(255, 220, 0), Cyan(0, 200, 200), Magenta(200, 0, 200), Grey(90, 90, 90);
const QPointF OnInner(50, 50);

}  // namespace

// The colours after each step are those the peer player shows for the same pointer moves.
TEST(ButtonsHoldingClips, SpritesPlayInTheirStateAndStartAfreshWhenItIsEntered) {
  TMoviePlayer player;
  player.LoadBytes(ButtonSpriteMovie().Bytes());
  const int before = player.CurrentFrame();
  EXPECT_TRUE(ColorNear(player.RenderImage(QSize(200, 100)), 30, 40, Red));
  player.Tick();
  EXPECT_TRUE(ColorNear(player.RenderImage(QSize(200, 100)), 30, 40, Green));
  player.Tick();
  EXPECT_TRUE(ColorNear(player.RenderImage(QSize(200, 100)), 30, 40, Blue));
  EXPECT_EQ(player.CurrentFrame(), before);  // the movie itself has one frame

  // Rolling over shows the over state's sprite from its first frame; it plays from there.
  player.PointerMove(OnFace);
  EXPECT_TRUE(ColorNear(player.RenderImage(QSize(200, 100)), 30, 40, Yellow));
  player.Tick();
  EXPECT_TRUE(ColorNear(player.RenderImage(QSize(200, 100)), 30, 40, Cyan));
  player.Tick();
  EXPECT_TRUE(ColorNear(player.RenderImage(QSize(200, 100)), 30, 40, Magenta));

  // Down has no sprite; back over, the over sprite starts again.
  player.PointerPress();
  EXPECT_TRUE(ColorNear(player.RenderImage(QSize(200, 100)), 30, 40, Qt::black));
  player.PointerRelease();
  EXPECT_TRUE(ColorNear(player.RenderImage(QSize(200, 100)), 30, 40, Yellow));

  // Rolling out starts the up sprite again too.
  player.PointerMove(Away);
  EXPECT_TRUE(ColorNear(player.RenderImage(QSize(200, 100)), 30, 40, Red));
  player.Tick();
  EXPECT_TRUE(ColorNear(player.RenderImage(QSize(200, 100)), 30, 40, Green));
}

TEST(ButtonsHoldingClips, AButtonWithinAButtonShowsItsUpStateAndIsPartOfTheOuterOne) {
  TMoviePlayer player;
  player.LoadBytes(ButtonSpriteMovie().Bytes());
  EXPECT_TRUE(ColorNear(player.RenderImage(QSize(200, 100)), 50, 50, Grey));
  player.PointerMove(OnInner);
  EXPECT_TRUE(player.PointerOverButton());
  const QImage over = player.RenderImage(QSize(200, 100));
  EXPECT_TRUE(ColorNear(over, 30, 40, Yellow));  // the outer button is over
  EXPECT_TRUE(ColorNear(over, 50, 50, Grey));    // the inner one stays up
  player.PointerPress();
  EXPECT_TRUE(ColorNear(player.RenderImage(QSize(200, 100)), 50, 50, Grey));
}

// A hit area drawn by a sprite: what its first frame shows is the hit area, though it is
// never shown itself (the button's face is elsewhere).
TEST(Buttons, AHitAreaMayBeASpriteOfItsFirstFrame) {
  playertest::TTestMovie movie(200, 100);
  const uint16_t face = movie.RectShape(0, 0, 400, 400, playertest::Solid({220, 0, 0, 255}));
  const uint16_t area = movie.RectShape(0, 0, 800, 800, playertest::Solid({0, 0, 0, 255}));
  playertest::TTimelineWriter hitClip;
  hitClip.Place(1, area, playertest::Translate(100, 20));
  hitClip.ShowFrame();
  hitClip.Remove(1);  // gone from the second frame on: only the first counts
  hitClip.ShowFrame();
  const uint16_t sprite = movie.Sprite(hitClip);
  const uint16_t button = movie.Button({{0x07, face, 1, {}}, {0x08, sprite, 2, {}}}, {});
  movie.Place(1, button);
  movie.ShowFrame();
  TMoviePlayer player;
  player.LoadBytes(movie.Bytes());
  player.PointerMove(QPointF(10, 10));  // on the face, off the hit area
  EXPECT_FALSE(player.PointerOverButton());
  player.PointerMove(QPointF(120, 40));
  EXPECT_TRUE(player.PointerOverButton());
  // The hit area is never drawn.
  EXPECT_TRUE(ColorNear(player.RenderImage(QSize(200, 100)), 120, 40, Qt::white));
}

// Two buttons side by side, pressed on the left one and released over the right one: menu
// buttons hand the press on and the right one is clicked; plain ones keep it on the left.
TEST(Buttons, MenuButtonsHandThePressOnAndTheOneReleasedOverIsClicked) {
  for (const bool menu : {true, false}) {
    SCOPED_TRACE(menu ? "menu buttons" : "plain buttons");
    playertest::TTestMovie movie(200, 100);
    const uint16_t up = movie.RectShape(0, 0, 1000, 1000, playertest::Solid({220, 0, 0, 255}));
    const uint16_t down = movie.RectShape(0, 0, 1000, 1000, playertest::Solid({0, 0, 220, 255}));
    // Up, over and hit show the red square, down the blue one.
    const uint16_t left = movie.Button({{0x0B, up, 1, {}}, {0x04, down, 2, {}}}, {}, menu);
    const uint16_t right =
        movie.Button({{0x0B, up, 1, {}}, {0x04, down, 2, {}}}, {{0x0800, ActionGotoFrame(1)}}, menu);
    movie.Action(ActionStop());
    movie.Place(1, left);
    movie.Place(2, right, playertest::Translate(100, 0));
    movie.ShowFrame();
    movie.ShowFrame();
    TMoviePlayer player;
    player.LoadBytes(movie.Bytes());
    player.PointerMove(QPointF(20, 20));
    player.PointerPress();
    EXPECT_TRUE(ColorNear(player.RenderImage(QSize(200, 100)), 20, 20, Blue));
    player.PointerMove(QPointF(120, 20));
    const QImage dragged = player.RenderImage(QSize(200, 100));
    // The left one is up (menu) or shows the pressed-and-out state, which is its over one.
    EXPECT_TRUE(ColorNear(dragged, 20, 20, Red));
    EXPECT_TRUE(ColorNear(dragged, 120, 20, menu ? Blue : Red));
    player.PointerRelease();
    EXPECT_EQ(player.CurrentFrame(), menu ? 1 : 0);
    // Back to the left one and away: the press is over, nothing is held.
    player.PointerMove(QPointF(180, 90));
    EXPECT_FALSE(player.PointerOverButton());
  }
}
