#include "player/widget/FlashPlayer.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace player {

namespace {

int ToBgr(const QColor& color) { return color.red() | (color.green() << 8) | (color.blue() << 16); }

QColor FromBgr(int bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }

}  // namespace

TFlashPlayer::TFlashPlayer(QWidget* parent, TAudioMode audio) : QWidget(parent), FPlayer(audio) {
  setObjectName("ShockwaveFlash");
  setAttribute(Qt::WA_OpaquePaintEvent);
  FPlayer.SetLoop(false);
  setMouseTracking(true);  // buttons light up under a pointer that hovers
  FTimer.setTimerType(Qt::PreciseTimer);
  connect(&FTimer, &QTimer::timeout, this, &TFlashPlayer::OnTimer);
}

TFlashPlayer::~TFlashPlayer() = default;

QSize TFlashPlayer::sizeHint() const {
  const QSizeF stage = FPlayer.StageSize();
  return stage.isEmpty() ? QSize(380, 312) : stage.toSize();
}

void TFlashPlayer::SetMovie(const QString& path) {
  FMovie = path;
  FLoadError.clear();
  FTimer.stop();
  FPlayer.Unload();
  // Only local files play here: a URL (the value "http://" above all) leaves the player empty.
  const bool isUrl = path.contains("://");
  if (!path.isEmpty() && !isUrl) {
    try {
      FPlayer.LoadFile(path.toStdString(), false);
    } catch (const std::exception& e) {
      FLoadError = QString::fromUtf8(e.what());
    }
  }
  if (FPlayer.IsLoaded()) {
    const double fps = std::clamp(FPlayer.FrameRate(), 1.0, 120.0);
    FTimer.start(static_cast<int>(std::lround(1000.0 / fps)));
    emit MovieLoaded();
  }
  FLastFrame = -1;
  AfterChange();
}

int TFlashPlayer::BackgroundColor() const {
  if (FBackground) return ToBgr(*FBackground);
  return FPlayer.IsLoaded() ? ToBgr(FPlayer.BackgroundColor()) : -1;
}

void TFlashPlayer::SetBackgroundColor(int bgr) {
  FBackground = bgr < 0 ? std::nullopt : std::optional<QColor>(FromBgr(bgr));
  FFrameChange = UINT64_MAX;
  update();
}

QString TFlashPlayer::BGColor() const {
  return FBackground ? FBackground->name(QColor::HexRgb).toUpper() : QString();
}

void TFlashPlayer::SetBGColor(const QString& color) {
  QString text = color.trimmed();
  if (!text.isEmpty() && !text.startsWith('#')) text.prepend('#');
  const QColor parsed(text);
  FBackground = text.isEmpty() || !parsed.isValid() ? std::nullopt : std::optional<QColor>(parsed);
  FFrameChange = UINT64_MAX;
  update();
}

void TFlashPlayer::SetPlaying(bool playing) {
  FPlayer.SetPlaying(playing);
  AfterChange();
}

void TFlashPlayer::Back() {
  FPlayer.SetPlaying(false);
  if (FPlayer.CurrentFrame() > 0) FPlayer.GotoFrame(FPlayer.CurrentFrame() - 1);
  AfterChange();
}

void TFlashPlayer::Forward() {
  FPlayer.SetPlaying(false);
  FPlayer.GotoFrame(FPlayer.CurrentFrame() + 1);
  AfterChange();
}

void TFlashPlayer::GotoFrame(int frame) {
  FPlayer.GotoFrame(frame);
  AfterChange();
}

void TFlashPlayer::OnTimer() {
  FPlayer.Tick();
  AfterChange();
}

void TFlashPlayer::AfterChange() {
  if (FPlayer.ChangeCount() != FFrameChange) update();
  if (FPlayer.CurrentFrame() != FLastFrame) {
    FLastFrame = FPlayer.CurrentFrame();
    emit FrameChanged(FLastFrame);
  }
}

void TFlashPlayer::paintEvent(QPaintEvent*) {
  const QSize pixels = size() * devicePixelRatio();
  if (FFrame.size() != pixels || FPlayer.ChangeCount() != FFrameChange) {
    FFrame = FPlayer.RenderImage(pixels, FBackground);
    FFrame.setDevicePixelRatio(devicePixelRatio());
    FFrameChange = FPlayer.ChangeCount();
  }
  QPainter painter(this);
  if (ShowsDragLayers()) {
    painter.drawImage(0, 0, FDragBackdrop);
    painter.drawImage(FDragOffset, FDragObject);
    return;
  }
  painter.drawImage(0, 0, FFrame);
}

void TFlashPlayer::ShowDragLayers(const QImage& backdrop, const QImage& object, QPoint offset) {
  FDragBackdrop = backdrop;
  FDragObject = object;
  FDragOffset = offset;
  update();
}

void TFlashPlayer::MoveDragLayer(QPoint offset) {
  if (!ShowsDragLayers() || offset == FDragOffset) return;
  FDragOffset = offset;
  update();
}

void TFlashPlayer::HideDragLayers() {
  if (!ShowsDragLayers()) return;
  FDragBackdrop = QImage();
  FDragObject = QImage();
  update();
}

double TFlashPlayer::PixelsPerStagePixel() const {
  const QSizeF stage = FPlayer.StageSize();
  if (stage.width() <= 0 || stage.height() <= 0) return 1;
  return std::min(width() / stage.width(), height() / stage.height());
}

void TFlashPlayer::PointerAt(QPointF position) {
  const qreal ratio = devicePixelRatio();
  FPlayer.PointerMove(FPlayer.StagePoint(QRect(QPoint(), size() * ratio), position * ratio));
  ShowHand(FPlayer.PointerOverButton());
}

// Only the hand is this widget's: the main window sets its own cursor while it drags.
void TFlashPlayer::ShowHand(bool show) {
  if (show == FHandShown) return;
  FHandShown = show;
  if (show) setCursor(Qt::PointingHandCursor);
  else unsetCursor();
}

// Mouse events reach the movie's buttons, are told, and are then ignored, so the parent
// handles them as well (the main window drags objects and opens its menu over the
// preview).
void TFlashPlayer::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    PointerAt(event->position());
    FPlayer.PointerPress();
    AfterChange();
  }
  emit MousePressed(event->button(), event->position().toPoint());
  event->ignore();
}

void TFlashPlayer::mouseMoveEvent(QMouseEvent* event) {
  PointerAt(event->position());
  AfterChange();
  emit MouseMoved(event->buttons(), event->position().toPoint());
  event->ignore();
}

void TFlashPlayer::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    PointerAt(event->position());
    FPlayer.PointerRelease();
    AfterChange();
  }
  emit MouseReleased(event->button(), event->position().toPoint());
  event->ignore();
}

void TFlashPlayer::mouseDoubleClickEvent(QMouseEvent* event) {
  emit MouseDoubleClicked(event->button(), event->position().toPoint());
  event->ignore();
}

void TFlashPlayer::leaveEvent(QEvent* event) {
  FPlayer.PointerMove(std::nullopt);
  ShowHand(false);
  AfterChange();
  QWidget::leaveEvent(event);
}

}  // namespace player
