// Dialogs open centred on the window that opened them (the main window for one without an
// owner). A window manager places a window wherever it likes unless the program gives a
// position, and a dialog that Qt centres itself gives none: the position is given here, as
// the dialog is shown, for every dialog that has not placed itself.
#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QSize>

class QWidget;

class TDialogCentring : public QObject {
public:
  // Watches every dialog of the application while it lives (a child of the main window).
  explicit TDialogCentring(QWidget* mainWindow);
  ~TDialogCentring() override;

  // The top left of a dialog of that size centred on the owner's frame, moved inside the
  // screen's free area where it would stick out.
  static QPoint CentredPosition(QSize dialog, const QRect& owner, const QRect& screenArea);

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  QPointer<QWidget> MainWindow;
};
