// The preview widget offscreen: its control properties and methods by name, the end of
// the movie, unloading, background colours, damaged files and mouse events passed on.
#include <gtest/gtest.h>

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "PixelAssert.h"
#include "TestMovie.h"
#include "player/widget/FlashPlayer.h"

using namespace playertest;
using player::TFlashPlayer;

namespace {

// Five frames at 60 fps on a red background, a blue square moving right.
std::string WriteMovie(const QTemporaryDir& dir, const QString& name = "movie.swf") {
  TTestMovie movie(100, 50, 60);
  movie.Background({255, 0, 0, 255});
  movie.Place(1, movie.RectShape(0, 0, 200, 200, Solid({0, 0, 255, 255})));
  movie.ShowFrame();
  for (int f = 1; f < 5; ++f) {
    movie.Modify(1, Translate(f * 10, 0));
    movie.ShowFrame();
  }
  const std::string path = dir.filePath(name).toStdString();
  movie.Save(path);
  return path;
}

class TParent : public QWidget {
 public:
  int Presses = 0;

 protected:
  void mousePressEvent(QMouseEvent*) override { ++Presses; }
};

}  // namespace

TEST(FlashPlayerWidget, OffersTheControlPropertiesByName) {
  QTemporaryDir dir;
  TFlashPlayer flash(nullptr, player::TAudioMode::Silent);
  EXPECT_EQ(flash.objectName(), "ShockwaveFlash");
  EXPECT_EQ(flash.property("TotalFrames").toInt(), 0);
  EXPECT_EQ(flash.property("BackgroundColor").toInt(), -1);

  ASSERT_TRUE(flash.setProperty("Movie", QString::fromStdString(WriteMovie(dir))));
  EXPECT_EQ(flash.property("TotalFrames").toInt(), 5);
  EXPECT_EQ(flash.property("FrameNum").toInt(), 0);
  EXPECT_FALSE(flash.property("Playing").toBool());  // loaded halted, as the control's settings say
  EXPECT_FALSE(flash.property("Loop").toBool());
  EXPECT_EQ(flash.property("BackgroundColor").toInt(), 0x0000FF);  // the movie's red, as BGR

  flash.setProperty("FrameNum", 3);
  EXPECT_EQ(flash.CurrentFrame(), 3);
  flash.setProperty("Loop", true);
  EXPECT_TRUE(flash.Loop());
  flash.setProperty("Playing", true);
  EXPECT_TRUE(flash.Playing());
  flash.Stop();
  EXPECT_FALSE(flash.Playing());

  flash.setProperty("Movie", "http://");
  EXPECT_EQ(flash.property("Movie").toString(), "http://");
  EXPECT_EQ(flash.TotalFrames(), 0);
  EXPECT_EQ(flash.FrameNum(), 0);
}

TEST(FlashPlayerWidget, GotoFrameTotalFramesRestsOnTheLastFrame) {
  QTemporaryDir dir;
  TFlashPlayer flash(nullptr, player::TAudioMode::Silent);
  flash.SetMovie(QString::fromStdString(WriteMovie(dir)));
  flash.Play();
  flash.Stop();
  flash.GotoFrame(flash.TotalFrames());
  EXPECT_EQ(flash.CurrentFrame(), 4);
  EXPECT_FALSE(flash.Playing());
  flash.Forward();
  EXPECT_EQ(flash.CurrentFrame(), 4);
  flash.Back();
  flash.Back();
  EXPECT_EQ(flash.CurrentFrame(), 2);
  flash.GotoFrame(0);
  flash.Back();
  EXPECT_EQ(flash.CurrentFrame(), 0);
}

TEST(FlashPlayerWidget, PlaysToTheEndAndStopsThereWithoutLoop) {
  QTemporaryDir dir;
  TFlashPlayer flash(nullptr, player::TAudioMode::Silent);
  QSignalSpy frames(&flash, &TFlashPlayer::FrameChanged);
  flash.SetMovie(QString::fromStdString(WriteMovie(dir)));
  flash.Play();
  QTRY_VERIFY_WITH_TIMEOUT(!flash.Playing(), 20000);
  EXPECT_EQ(flash.CurrentFrame(), 4);
  // Every frame was reported once on the way.
  ASSERT_GE(frames.count(), 5);
  EXPECT_EQ(frames.last().at(0).toInt(), 4);
}

TEST(FlashPlayerWidget, BackgroundOverrideByNumberOrText) {
  QTemporaryDir dir;
  TFlashPlayer flash(nullptr, player::TAudioMode::Silent);
  flash.resize(200, 50);
  flash.SetMovie(QString::fromStdString(WriteMovie(dir)));
  EXPECT_TRUE(ColorNear(flash.grab().toImage(), 150, 25, Qt::red));

  flash.SetBGColor("#00FF00");
  EXPECT_EQ(flash.BackgroundColor(), 0x00FF00);
  EXPECT_TRUE(ColorNear(flash.grab().toImage(), 150, 25, Qt::green));
  flash.SetBackgroundColor(0xFF0000);  // BGR: blue
  EXPECT_EQ(flash.BGColor(), "#0000FF");
  EXPECT_TRUE(ColorNear(flash.grab().toImage(), 150, 25, Qt::blue));
  flash.SetBGColor("");
  EXPECT_EQ(flash.BGColor(), "");
  EXPECT_EQ(flash.BackgroundColor(), 0x0000FF);
}

TEST(FlashPlayerWidget, DamagedFilesShowWhatCouldBeRead) {
  QTemporaryDir dir;
  const std::string good = WriteMovie(dir);
  QFile source(QString::fromStdString(good));
  ASSERT_TRUE(source.open(QIODevice::ReadOnly));
  const QByteArray bytes = source.readAll();
  {
    QFile cut(dir.filePath("cut.swf"));
    ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
    cut.write(bytes.left(bytes.size() - 30));  // the last frames are missing
  }
  {
    QFile junk(dir.filePath("junk.swf"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("this is not a movie");
  }
  TFlashPlayer flash(nullptr, player::TAudioMode::Silent);
  flash.resize(100, 50);
  flash.SetMovie(dir.filePath("cut.swf"));
  EXPECT_EQ(flash.TotalFrames(), 5);
  flash.GotoFrame(4);
  // The square shows where the last frames that were read left it.
  const QImage shown = flash.grab().toImage();
  int blue = 0;
  for (int x = 0; x < shown.width(); ++x) blue += shown.pixelColor(x, 5) == QColor(Qt::blue);
  EXPECT_GE(blue, 8);

  flash.SetMovie(dir.filePath("junk.swf"));
  EXPECT_EQ(flash.TotalFrames(), 0);
  EXPECT_FALSE(flash.LoadError().isEmpty());
  flash.SetMovie(dir.filePath("missing.swf"));
  EXPECT_EQ(flash.TotalFrames(), 0);
  flash.Play();
  flash.GotoFrame(3);
  flash.grab();
}

TEST(FlashPlayerWidget, MouseEventsReachTheParentToo) {
  TParent parent;
  auto* flash = new TFlashPlayer(&parent, player::TAudioMode::Silent);
  flash->resize(100, 100);
  QSignalSpy pressed(flash, &TFlashPlayer::MousePressed);
  QTest::mousePress(flash, Qt::RightButton, {}, QPoint(10, 20));
  EXPECT_EQ(parent.Presses, 1);
  ASSERT_EQ(pressed.count(), 1);
  EXPECT_EQ(pressed.at(0).at(1).toPoint(), QPoint(10, 20));
}
