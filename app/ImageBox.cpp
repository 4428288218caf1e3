#include "app/ImageBox.h"

#include <QPainter>

TImage::TImage(QWidget* parent, const QString& name, bool stretch)
    : QWidget(parent), Stretched(stretch) {
  setObjectName(name);
}

void TImage::SetPicture(const QPixmap& picture) {
  Shown = picture;
  update();
}

void TImage::paintEvent(QPaintEvent*) {
  if (Shown.isNull())
    return;
  QPainter painter(this);
  if (Stretched) {
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(rect(), Shown);
  } else {
    painter.drawPixmap(0, 0, Shown);
  }
}
