#include "app/AboutFrm.h"

#include <QFrame>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QScreen>

#include "panels/UiBitmaps.h"

#ifndef GREETIX_VERSION
#define GREETIX_VERSION ""
#endif

QString ProgramFileVersion() { return QStringLiteral(GREETIX_VERSION); }

QString FormatKilobytes(quint64 bytes) {
  quint64 kilobytes = bytes / 1024;
  // "#,###" shows nothing for zero.
  QString digits = kilobytes == 0 ? QString()
                                  : QLocale(QLocale::English, QLocale::UnitedStates)
                                        .toString(qulonglong(kilobytes));
  return digits + QStringLiteral(" KB");
}

namespace {

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, QRect geometry) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setGeometry(geometry);
  return label;
}

} // namespace

TAboutForm::TAboutForm(QWidget* parent, const Platform::TMemoryStatus& memory)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
  setObjectName(QStringLiteral("AboutForm"));
  setWindowTitle(QStringLiteral("About"));
  setFixedSize(298, 186);
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, QColor(200, 228, 169));
  palette.setColor(QPalette::WindowText, QColor(46, 70, 40));
  setPalette(palette);
  setAutoFillBackground(true);

  ProgramIcon = MakeLabel(this, "ProgramIcon", QString(), QRect(14, 14, 48, 48));
  ProgramIcon->setPixmap(Ui::Bitmap(QStringLiteral("greetix"), QSize(48, 48)));

  ProductName = MakeLabel(this, "ProductName", QStringLiteral("Greetix"), QRect(76, 12, 200, 26));
  QFont nameFont = font();
  nameFont.setPixelSize(19);
  nameFont.setBold(true);
  ProductName->setFont(nameFont);
  ProductName->setStyleSheet(QStringLiteral("color: #B8442A;"));

  LabelVersion = MakeLabel(this, "LabelVersion", QString(), QRect(78, 40, 200, 16));
  Copyright = MakeLabel(this, "Copyright", QStringLiteral("Animated greeting cards by Plumeworks"),
                        QRect(78, 58, 214, 16));

  auto* separator = new QFrame(this);
  separator->setObjectName(QStringLiteral("Bevel1"));
  separator->setFrameShape(QFrame::HLine);
  separator->setFrameShadow(QFrame::Sunken);
  separator->setGeometry(12, 84, 274, 4);

  QFont small = font();
  small.setPixelSize(10);
  PhysMemLabel = MakeLabel(this, "PhysMemLabel",
                           QStringLiteral("Physical Memory Available to Windows:"),
                           QRect(12, 96, 198, 16));
  PhysMem = MakeLabel(this, "PhysMem", FormatKilobytes(memory.TotalPhys), QRect(210, 96, 78, 16));
  FreeResLabel = MakeLabel(this, "FreeResLabel", QStringLiteral("Memory in Use:"),
                           QRect(12, 116, 170, 16));
  FreeRes = MakeLabel(this, "FreeRes", QString::asprintf("%d %%", memory.MemoryLoad),
                      QRect(210, 116, 78, 16));
  for (QLabel* label : {PhysMemLabel, PhysMem, FreeResLabel, FreeRes, Copyright})
    label->setFont(small);
  PhysMem->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  FreeRes->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName(QStringLiteral("OKButton"));
  ok->setGeometry(112, 148, 75, 25);
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);

  if (QScreen* screen = this->screen())
    move(screen->availableGeometry().center() - rect().center());
}

void TAboutForm::showEvent(QShowEvent* event) {
  LabelVersion->setText(QStringLiteral("Version ") + ProgramFileVersion());
  QDialog::showEvent(event);
}
