// The one window of the player programs: plays a movie scaled to the window with its
// proportions kept, at the movie's frame rate, looping until the movie's own stop action
// halts it. As a screen saver it ends at the first key, click or real mouse movement.
#pragma once

#include "player/MoviePlayer.h"

#include <QImage>
#include <QPoint>
#include <QTimer>
#include <QWidget>

#include <optional>

class TMovieView : public QWidget {
  Q_OBJECT
public:
  explicit TMovieView(player::TAudioMode audio, QWidget* parent = nullptr);

  // Load the movie into Player() first, then Start plays it.
  player::TMoviePlayer& Player() { return FPlayer; }
  void Start();
  // Holds the picture where it is (the timeline and its sounds go on no further).
  void Pause();
  // Frames shown since Start.
  int TicksPlayed() const { return FTicks; }
  // The movie's stage size, or a common default for a movie that gives none.
  QSize StageSize() const;

  // Screen-saver behaviour: no cursor, and InputSeen at a key, a click, the wheel or a
  // mouse movement of more than a few pixels.
  void SetEndOnInput(bool on);

signals:
  void Ticked(int ticks);
  void InputSeen();

protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

private:
  void OnTimer();
  void PointerAt(QPointF position);  // the movie's buttons follow the mouse

  player::TMoviePlayer FPlayer;
  QTimer FTimer;
  QImage FFrame;
  uint64_t FFrameChange = UINT64_MAX;
  int FTicks = 0;
  bool FEndOnInput = false;
  std::optional<QPoint> FFirstMouse; // where the pointer was first seen
};
