// The player window: it loops until the movie's own stop action, and as a screen saver it
// ends at real input only.
#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTemporaryDir>

#include "ProjectorMovies.h"
#include "tools/projector/MovieView.h"

namespace {

void MoveMouse(QWidget& view, QPoint to) {
  QMouseEvent move(QEvent::MouseMove, QPointF(to), QPointF(view.mapToGlobal(to)), Qt::NoButton,
                   Qt::NoButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&view, &move);
}

} // namespace

TEST(MovieView, LoopsUntilTheMovieStopsItself) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  const QString card = folder.filePath("card.swf");
  WriteCardMovie(card);
  TMovieView view(player::TAudioMode::None);
  view.Player().LoadFile(card.toStdString());
  EXPECT_EQ(view.StageSize(), QSize(200, 100));
  for (int i = 0; i < 33; ++i)
    view.Player().Tick();
  EXPECT_EQ(view.Player().CurrentFrame(), 3);  // round once and on

  const QString stopping = folder.filePath("stop.swf");
  WriteStoppingMovie(stopping);
  view.Player().LoadFile(stopping.toStdString());
  for (int i = 0; i < 10; ++i)
    view.Player().Tick();
  EXPECT_EQ(view.Player().CurrentFrame(), 2);
  EXPECT_FALSE(view.Player().IsPlaying());
}

TEST(MovieView, ScreenSaverEndsAtAKeyAClickOrARealMove) {
  TMovieView view(player::TAudioMode::None);
  view.resize(300, 200);
  QSignalSpy ended(&view, &TMovieView::InputSeen);

  // A player window leaves input alone.
  MoveMouse(view, {10, 10});
  MoveMouse(view, {100, 100});
  QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier);
  QCoreApplication::sendEvent(&view, &key);
  EXPECT_EQ(ended.count(), 0);

  view.SetEndOnInput(true);
  EXPECT_EQ(view.cursor().shape(), Qt::BlankCursor);
  // Where the pointer rests when the window opens, and a small jitter, end nothing.
  MoveMouse(view, {50, 50});
  MoveMouse(view, {52, 51});
  MoveMouse(view, {49, 49});
  EXPECT_EQ(ended.count(), 0);
  MoveMouse(view, {60, 50});
  EXPECT_EQ(ended.count(), 1);

  QCoreApplication::sendEvent(&view, &key);
  EXPECT_EQ(ended.count(), 2);
  QMouseEvent click(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(view.mapToGlobal(QPoint(5, 5))),
                    Qt::RightButton, Qt::RightButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&view, &click);
  EXPECT_EQ(ended.count(), 3);
}
