// The preview's commands: Pause, Stop, Loop, the slider, and fitting the window to a movie.
#include <QAction>
#include <QTest>

#include "EditorFixture.h"
#include "app/PictureButton.h"
#include "app/PlaySlider.h"
#include "card/FlashCard.h"
#include "player/widget/FlashPlayer.h"
#include "render/RenderContext.h"

namespace {

TEST_F(EditorTest, PauseHaltsAndResumesAndPlayResumesToo) {
  Start({MakeMovie("pause.swf", 300, 200, 50)});
  ASSERT_TRUE(Player().Playing());
  Form().ControlPauseActExecute();
  EXPECT_FALSE(Global().Playing);
  EXPECT_FALSE(Player().Playing());
  Form().ControlPauseActExecute();
  EXPECT_TRUE(Global().Playing);
  EXPECT_TRUE(Player().Playing());
  Form().ControlPauseActExecute();
  Form().ControlPlayActExecute();
  EXPECT_TRUE(Global().Playing);
  EXPECT_TRUE(Player().Playing());
}

TEST_F(EditorTest, StopRestsAtTheEndAndKeepsThePlayingFlag) {
  Start({MakeMovie("stop.swf", 300, 200, 50)});
  Form().ControlStopActExecute();
  EXPECT_FALSE(Player().Playing());
  EXPECT_EQ(Player().FrameNum(), 49);
  EXPECT_TRUE(Global().Playing);
  // The first Pause only clears the flag; the second starts the movie.
  Form().ControlPauseActExecute();
  EXPECT_FALSE(Player().Playing());
  Form().ControlPauseActExecute();
  EXPECT_TRUE(Player().Playing());
}

TEST_F(EditorTest, BackwardAndForwardStepOneFrame) {
  Start({MakeMovie("steps.swf", 300, 200, 10)});
  Form().ControlPauseActExecute();
  Player().GotoFrame(4);
  Form().ControlForwardActExecute();
  EXPECT_EQ(Player().FrameNum(), 5);
  Form().ControlBackwardActExecute();
  Form().ControlBackwardActExecute();
  EXPECT_EQ(Player().FrameNum(), 3);
}

TEST_F(EditorTest, LoopTurnsAllFiveThingsOnAndOffInEditState) {
  Start();
  TImageList on = Form().ImageList17;
  TImageList off = Form().ImageList8;
  auto shown = [&] { return Form().BtnLoop->ImageList().Image(0).cacheKey(); };
  auto stored = [&] { return Global().Context.Movie().Loop(); };
  // The blank card loops.
  ASSERT_TRUE(Card()->Loop());
  EXPECT_EQ(shown(), on.Image(0).cacheKey());

  Form().ControlLoopActExecute();
  EXPECT_FALSE(Player().Loop());
  EXPECT_FALSE(Form().LoopPopupMenuItem->isChecked());
  EXPECT_FALSE(Form().StoredLoop());
  EXPECT_FALSE(Card()->Loop());
  EXPECT_EQ(stored(), "false");
  EXPECT_EQ(shown(), off.Image(0).cacheKey());

  Form().BtnLoop->click();
  EXPECT_TRUE(Player().Loop());
  EXPECT_TRUE(Form().LoopPopupMenuItem->isChecked());
  EXPECT_TRUE(Form().StoredLoop());
  EXPECT_TRUE(Card()->Loop());
  EXPECT_EQ(stored(), "true");
  EXPECT_EQ(shown(), on.Image(0).cacheKey());
}

TEST_F(EditorTest, LoopMenuItemShowsThePlayersSettingNotItsOwnToggle) {
  Start({MakeMovie("menu.swf", 300, 200, 10)});
  ASSERT_FALSE(Player().Loop());
  Form().LoopPopupMenuItem->trigger();
  EXPECT_TRUE(Player().Loop());
  EXPECT_TRUE(Form().LoopPopupMenuItem->isChecked());
  Form().LoopPopupMenuItem->trigger();
  EXPECT_FALSE(Player().Loop());
  EXPECT_FALSE(Form().LoopPopupMenuItem->isChecked());
  // A played movie has no document: nothing is written, nothing goes wrong.
  EXPECT_TRUE(Errors.isEmpty());
}

TEST_F(EditorTest, SliderRunsOverTheFramesAndReleasingJumpsThere) {
  Start({MakeMovie("slider.swf", 300, 200, 50)});
  TPlaySlider& slider = *Form().SliderPlay;
  EXPECT_EQ(slider.Min(), 0);
  EXPECT_EQ(slider.Max(), 49);
  // Halted: a movie that does not loop would start again if told to play from its end.
  Form().ControlPauseActExecute();
  bool wasPlaying = Player().Playing();
  QPoint rightEnd(slider.width() - 2, slider.height() / 2);
  QTest::mousePress(&slider, Qt::LeftButton, {}, rightEnd);
  EXPECT_FALSE(Player().Playing());
  EXPECT_FALSE(Form().TimerPlay->isActive());
  QTest::mouseRelease(&slider, Qt::LeftButton, {}, rightEnd);
  EXPECT_EQ(slider.Position(), 49);
  EXPECT_EQ(Player().FrameNum(), 49);
  EXPECT_TRUE(Form().TimerPlay->isActive());
  EXPECT_EQ(Player().Playing(), wasPlaying);
}

TEST_F(EditorTest, PressingTheThumbWithoutMovingKeepsTheFrameAndThePlayingState) {
  Start({MakeMovie("thumb.swf", 300, 200, 50)});
  Form().ControlPauseActExecute();
  Player().GotoFrame(17);
  Form().TimerPlayTimer();
  TPlaySlider& slider = *Form().SliderPlay;
  ASSERT_EQ(slider.Position(), 17);
  QPoint thumb(slider.ThumbCentre(), slider.height() / 2);
  QTest::mousePress(&slider, Qt::LeftButton, {}, thumb);
  QTest::mouseRelease(&slider, Qt::LeftButton, {}, thumb);
  EXPECT_EQ(Player().FrameNum(), 17);
  EXPECT_FALSE(Player().Playing());
  EXPECT_FALSE(Global().Playing);
}

TEST_F(EditorTest, OneFrameMovieKeepsTheSlidersPreviousRange) {
  Start({MakeMovie("long.swf", 300, 200, 30)});
  ASSERT_EQ(Form().SliderPlay->Max(), 29);
  Dialogs().Answers << MakeMovie("single.swf", 300, 200, 1);
  Form().FileOpenActExecute();
  EXPECT_EQ(Player().TotalFrames(), 1);
  EXPECT_EQ(Form().SliderPlay->Max(), 29);
}

TEST_F(EditorTest, WindowFitsSmallAndLargeMovies) {
  Start({MakeMovie("small.swf", 200, 100, 5)});
  EXPECT_EQ(Form().ClientSize(), QSize(575, 413));
  EXPECT_EQ(Form().PanelMain->size(), QSize(380, 330));
  EXPECT_EQ(Form().ShockwaveFlash->size(), QSize(380, 312));

  Dialogs().Answers << MakeMovie("large.swf", 640, 480, 5);
  Form().FileOpenActExecute();
  EXPECT_EQ(Form().ClientSize(), QSize(835, 581));
  EXPECT_EQ(Form().ShockwaveFlash->size(), QSize(640, 480));
}

TEST_F(EditorTest, WindowFitStaysWithinTheSizeLimits) {
  Start({MakeMovie("huge.swf", 1200, 900, 5)});
  EXPECT_EQ(Form().size(), QSize(1034, 800));
}

} // namespace
