#include "app/DialogCentring.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QScreen>

#include <algorithm>

TDialogCentring::TDialogCentring(QWidget* mainWindow) : QObject(mainWindow), MainWindow(mainWindow) {
  qApp->installEventFilter(this);
}

TDialogCentring::~TDialogCentring() { qApp->removeEventFilter(this); }

QPoint TDialogCentring::CentredPosition(QSize dialog, const QRect& owner, const QRect& screenArea) {
  QPoint at(owner.x() + (owner.width() - dialog.width()) / 2, owner.y() + (owner.height() - dialog.height()) / 2);
  if (screenArea.isValid()) {
    // The left and top edges win where the dialog is larger than the screen.
    at.setX(std::max(screenArea.left(), std::min(at.x(), screenArea.right() + 1 - dialog.width())));
    at.setY(std::max(screenArea.top(), std::min(at.y(), screenArea.bottom() + 1 - dialog.height())));
  }
  return at;
}

bool TDialogCentring::eventFilter(QObject* watched, QEvent* event) {
  // The show event comes after the dialog took its size and before the window system maps
  // it, so the position given now is the one it first appears at.
  if (event->type() != QEvent::Show)
    return false;
  auto* dialog = qobject_cast<QDialog*>(watched);
  if (!dialog || !dialog->isWindow() || dialog->testAttribute(Qt::WA_Moved))
    return false;
  QWidget* owner = dialog->parentWidget() ? dialog->parentWidget()->window() : MainWindow.data();
  if (!owner || owner == dialog || !owner->isVisible())
    return false;
  const QScreen* screen = owner->screen();
  dialog->move(CentredPosition(dialog->size(), owner->frameGeometry(),
                               screen ? screen->availableGeometry() : QRect()));
  return false;
}
