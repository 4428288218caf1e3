#include "tools/projector/MovieView.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

// A pointer that drifts by less than this (a shaky table, a sensor's noise) does not end
// the screen saver.
constexpr int MouseSlack = 4;

} // namespace

TMovieView::TMovieView(player::TAudioMode audio, QWidget* parent)
    : QWidget(parent), FPlayer(audio) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
  // Looping is the movie's choice: only its own stop action halts the timeline.
  FPlayer.SetLoop(true);
  setMouseTracking(true);  // the movie's buttons light up under a hovering pointer
  FTimer.setTimerType(Qt::PreciseTimer);
  connect(&FTimer, &QTimer::timeout, this, &TMovieView::OnTimer);
}

QSize TMovieView::StageSize() const {
  const QSize stage = FPlayer.StageSize().toSize();
  return stage.isEmpty() ? QSize(550, 400) : stage;
}

void TMovieView::Start() {
  if (!FPlayer.IsLoaded())
    return;
  const double fps = std::clamp(FPlayer.FrameRate(), 1.0, 120.0);
  FTimer.start(int(std::lround(1000.0 / fps)));
  update();
}

void TMovieView::Pause() {
  FTimer.stop();
  FPlayer.SetPlaying(false);
}

void TMovieView::SetEndOnInput(bool on) {
  FEndOnInput = on;
  if (on)
    setCursor(Qt::BlankCursor);
  else
    unsetCursor();
  FFirstMouse.reset();
}

void TMovieView::OnTimer() {
  FPlayer.Tick();
  ++FTicks;
  if (FPlayer.ChangeCount() != FFrameChange)
    update();
  emit Ticked(FTicks);
}

void TMovieView::paintEvent(QPaintEvent*) {
  const QSize pixels = size() * devicePixelRatio();
  if (FFrame.size() != pixels || FPlayer.ChangeCount() != FFrameChange) {
    FFrame = FPlayer.RenderImage(pixels);
    FFrame.setDevicePixelRatio(devicePixelRatio());
    FFrameChange = FPlayer.ChangeCount();
  }
  QPainter painter(this);
  painter.drawImage(0, 0, FFrame);
}

void TMovieView::keyPressEvent(QKeyEvent* event) {
  if (FEndOnInput)
    emit InputSeen();
  else
    QWidget::keyPressEvent(event);
}

void TMovieView::PointerAt(QPointF position) {
  const qreal ratio = devicePixelRatio();
  FPlayer.PointerMove(FPlayer.StagePoint(QRect(QPoint(), size() * ratio), position * ratio));
  if (FPlayer.PointerOverButton())
    setCursor(Qt::PointingHandCursor);
  else
    unsetCursor();
  if (FPlayer.ChangeCount() != FFrameChange)
    update();
}

void TMovieView::mousePressEvent(QMouseEvent* event) {
  if (FEndOnInput)
    return emit InputSeen();
  if (event->button() == Qt::LeftButton) {
    PointerAt(event->position());
    FPlayer.PointerPress();
    PointerAt(event->position());
  }
}

void TMovieView::mouseReleaseEvent(QMouseEvent* event) {
  if (FEndOnInput || event->button() != Qt::LeftButton)
    return;
  PointerAt(event->position());
  FPlayer.PointerRelease();
  PointerAt(event->position());
}

void TMovieView::mouseMoveEvent(QMouseEvent* event) {
  if (!FEndOnInput)
    return PointerAt(event->position());
  // The first position is where the pointer rested when the window appeared under it.
  const QPoint at = event->globalPosition().toPoint();
  if (!FFirstMouse)
    FFirstMouse = at;
  else if ((at - *FFirstMouse).manhattanLength() > MouseSlack)
    emit InputSeen();
}

void TMovieView::wheelEvent(QWheelEvent* event) {
  if (FEndOnInput)
    emit InputSeen();
  else
    QWidget::wheelEvent(event);
}
