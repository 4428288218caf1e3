#include "app/PictureButton.h"

#include <QPainter>

TPictureButton::TPictureButton(QWidget* parent, const QString& name, QSize size,
                               const QString& hint)
    : QAbstractButton(parent) {
  setObjectName(name);
  resize(size);
  setToolTip(hint);
  setCursor(Qt::PointingHandCursor);
  setFocusPolicy(Qt::NoFocus);
}

void TPictureButton::SetImageList(const TImageList& images) {
  Images = images;
  update();
}

int TPictureButton::ShownIndex() const {
  if (!isEnabled())
    return TImageList::Disabled;
  if (isDown())
    return TImageList::Pressed;
  if (MouseOver)
    return TImageList::Over;
  return TImageList::Idle;
}

void TPictureButton::paintEvent(QPaintEvent*) {
  QPixmap picture = Images.Image(ShownIndex());
  if (picture.isNull())
    return;
  QPainter painter(this);
  painter.drawPixmap(rect(), picture);
}

void TPictureButton::enterEvent(QEnterEvent* event) {
  MouseOver = true;
  update();
  QAbstractButton::enterEvent(event);
}

void TPictureButton::leaveEvent(QEvent* event) {
  MouseOver = false;
  update();
  QAbstractButton::leaveEvent(event);
}
