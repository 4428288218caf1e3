#include "app/SelectionFrame.h"

#include <QEvent>
#include <QPainter>

#include "app/PictureHandles.h"

TSelectionFrame::TSelectionFrame(QWidget* player) : QWidget(player) {
  setObjectName(QStringLiteral("SelectionFrame"));
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setAttribute(Qt::WA_NoSystemBackground);
  setGeometry(player->rect());
  player->installEventFilter(this);
  hide();
}

void TSelectionFrame::ShowOutline(const QRectF& outline, bool handles) {
  if (Shown && outline == Rect && handles == Handles)
    return;
  Rect = outline;
  Handles = handles;
  Shown = true;
  show();
  raise();
  update();
}

void TSelectionFrame::HideOutline() {
  if (!Shown)
    return;
  Shown = false;
  hide();
}

bool TSelectionFrame::eventFilter(QObject* watched, QEvent* event) {
  if (watched == parent() && event->type() == QEvent::Resize)
    setGeometry(parentWidget()->rect());
  return false;
}

void TSelectionFrame::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  // A dashed line of two colours shows on any picture behind it.
  const QRectF line = Rect.adjusted(-0.5, -0.5, 0.5, 0.5);
  painter.setPen(QPen(Qt::white, 1));
  painter.drawRect(line);
  painter.setPen(QPen(QColor(0, 120, 215), 1, Qt::DashLine));
  painter.drawRect(line);
  if (!Handles)
    return;
  painter.setPen(QPen(QColor(0, 90, 180), 1));
  painter.setBrush(Qt::white);
  for (THandle handle : AllHandles) {
    const QPointF centre = HandleCentre(Rect, handle);
    painter.drawRect(QRectF(centre.x() - HandleReach, centre.y() - HandleReach, 2 * HandleReach, 2 * HandleReach));
  }
}
