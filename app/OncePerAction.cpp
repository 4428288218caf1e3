#include "app/OncePerAction.h"

#include <QApplication>
#include <QEvent>

TOncePerAction::TOncePerAction(QObject* parent) : QObject(parent)
{
  if (QCoreApplication* application = QCoreApplication::instance()) application->installEventFilter(this);
}

TOncePerAction::~TOncePerAction()
{
  if (QCoreApplication* application = QCoreApplication::instance()) application->removeEventFilter(this);
}

bool TOncePerAction::First(const QString& text)
{
  if (Shown.contains(text)) return false;
  Shown.insert(text);
  return true;
}

bool TOncePerAction::eventFilter(QObject* watched, QEvent* event)
{
  switch (event->type()) {
  case QEvent::MouseButtonPress:
  case QEvent::MouseButtonDblClick:
  case QEvent::KeyPress:
  case QEvent::Wheel:
  case QEvent::Drop:
    // Input to a message box (its OK) belongs to the action that opened it.
    if (!QApplication::activeModalWidget()) Shown.clear();
    break;
  default:
    break;
  }
  return QObject::eventFilter(watched, event);
}
