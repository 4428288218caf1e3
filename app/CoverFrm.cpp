#include "app/CoverFrm.h"

#include <QApplication>
#include <QEventLoop>
#include <QScreen>
#include <QTime>
#include <QTimer>

#include "app/ImageBox.h"
#include "panels/UiBitmaps.h"

TfrmCover::TfrmCover(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
  setObjectName(QStringLiteral("frmCover"));
  imgBody = new TImage(this, QStringLiteral("imgBody"));
  imgBody->setGeometry(0, 0, 400, 138);
  imgBody->SetPicture(Ui::Bitmap(QStringLiteral("cover"), QSize(400, 138)));
  setFixedSize(imgBody->size());
  if (QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
}

void TfrmCover::ShowUntilNextSecond() {
  show();
  repaint();
  QApplication::processEvents();
  // Waiting for the next whole second keeps the splash up for at most one second without
  // spinning the processor.
  int rest = 1000 - QTime::currentTime().msec();
  QEventLoop wait;
  QTimer::singleShot(rest, &wait, &QEventLoop::quit);
  wait.exec();
}
