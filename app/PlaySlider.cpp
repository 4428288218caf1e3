#include "app/PlaySlider.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace {

// Halves go to the even neighbour, as the frame arithmetic of the whole program does.
int RoundHalfEven(double value) { return int(std::nearbyint(value)); }

} // namespace

TPlaySlider::TPlaySlider(QWidget* parent, const QString& name) : QWidget(parent) {
  setObjectName(name);
  setCursor(Qt::PointingHandCursor);
  setAutoFillBackground(true);
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, QColor(240, 240, 240)); // button face
  setPalette(palette);
}

void TPlaySlider::SetPosition(int value) {
  value = std::clamp(value, Minimum, Maximum);
  if (value == Value)
    return;
  Value = value;
  update();
  emit PositionChanged(Value);
}

void TPlaySlider::SetMin(int value) {
  if (value >= Maximum)
    return;
  Minimum = value;
  if (Value < Minimum)
    SetPosition(Minimum);
  update();
}

void TPlaySlider::SetMax(int value) {
  if (value <= Minimum)
    return;
  Maximum = value;
  if (Value > Maximum)
    SetPosition(Maximum);
  update();
}

int TPlaySlider::ValueAt(int x) const {
  int track = width() - 2 * Margin;
  if (track <= 0)
    return Minimum;
  double part = std::clamp(double(x - Margin) / track, 0.0, 1.0);
  return RoundHalfEven(part * (Maximum - Minimum) + Minimum);
}

int TPlaySlider::ThumbCentre() const {
  int track = std::max(0, width() - 2 * Margin);
  if (Maximum == Minimum)
    return Margin;
  return Margin + RoundHalfEven(double(Value - Minimum) / (Maximum - Minimum) * track);
}

void TPlaySlider::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  // Track: 3 high, grey, with a border.
  QRectF track(Margin, height() / 2.0 - 1.5, std::max(0, width() - 2 * Margin), 3);
  painter.setPen(QPen(QColor(96, 96, 96), 1));
  painter.setBrush(QColor(128, 128, 128));
  painter.drawRect(track);
  // Thumb: 30 × 14, silver, with the frame counted from 1 in its middle.
  QRectF thumb(ThumbCentre() - ThumbWidth / 2.0, (height() - ThumbHeight) / 2.0, ThumbWidth,
               ThumbHeight);
  QLinearGradient fill(thumb.topLeft(), thumb.bottomLeft());
  fill.setColorAt(0, QColor(214, 214, 214));
  fill.setColorAt(1, QColor(184, 184, 184));
  painter.setPen(QPen(QColor(128, 128, 128), 1));
  painter.setBrush(fill);
  painter.drawRoundedRect(thumb.adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
  QFont font = this->font();
  font.setPixelSize(9);
  painter.setFont(font);
  painter.setPen(Qt::black);
  painter.drawText(thumb, Qt::AlignCenter, QString::number(Value + 1));
}

// A press on the thumb grabs it where it was hit, so pressing and releasing without moving
// keeps the value (the track has fewer pixels than a long movie has frames); a press on the
// track beside it jumps there.
void TPlaySlider::FollowMouse(int x) { SetPosition(ValueAt(x - GrabOffset)); }

void TPlaySlider::mousePressEvent(QMouseEvent* event) {
  emit MouseDown(event->button());
  if (event->button() != Qt::LeftButton)
    return;
  int x = event->position().toPoint().x();
  if (std::abs(x - ThumbCentre()) <= ThumbWidth / 2) {
    GrabOffset = x - ThumbCentre();
  } else {
    GrabOffset = 0;
    FollowMouse(x);
  }
}

void TPlaySlider::mouseMoveEvent(QMouseEvent* event) {
  if (event->buttons() & Qt::LeftButton)
    FollowMouse(event->position().toPoint().x());
}

void TPlaySlider::mouseReleaseEvent(QMouseEvent* event) {
  emit MouseUp(event->button());
}
