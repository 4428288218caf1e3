#include "panels/MediaChooser.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

struct TMediaFolderAccess {
  std::function<QString()> Get;
  std::function<void(const QString&)> Set;
  QString Own; // used while nothing is connected
};

TMediaFolderAccess& MediaFolder()
{
  static TMediaFolderAccess access;
  return access;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& text, int x, int y)
{
  auto* button = new QPushButton(text, parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setGeometry(x, y, 75, 25);
  button->setAutoDefault(false);
  return button;
}

} // namespace

TMediaChooser::TMediaChooser(const TLayout& layout, TShowMessage showMessage, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      ShowMessage(std::move(showMessage))
{
  setObjectName(layout.ObjectName);
  setWindowTitle(layout.Caption);
  setFixedSize(ClientWidth, layout.ClientHeight);
  setAutoFillBackground(true);
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, QColor(200, 228, 169)); // 11134152 as red, green, blue
  setPalette(palette);

  Label1 = new QLabel(layout.LabelText, this);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setGeometry(8, 8, 200, 16);

  Name = new QLineEdit(this);
  Name->setObjectName(layout.NameEditName);
  Name->setGeometry(8, 26, ClientWidth - 16, 22);
  Label1->setBuddy(Name);

  OpenBtn = MakeButton(this, "OpenBtn", QStringLiteral("&Open"), 68, layout.ButtonTop);
  OkBtn = MakeButton(this, "OkBtn", QStringLiteral("&OK"), 150, layout.ButtonTop);
  CleanBtn = MakeButton(this, "CleanBtn", QStringLiteral("&Clean"), 232, layout.ButtonTop);
}

void TMediaChooser::ConnectMediaFolder(std::function<QString()> get, std::function<void(const QString&)> set)
{
  MediaFolder().Get = std::move(get);
  MediaFolder().Set = std::move(set);
}

QString TMediaChooser::LastMediaFolder()
{
  const TMediaFolderAccess& access = MediaFolder();
  return access.Get ? access.Get() : access.Own;
}

void TMediaChooser::SetLastMediaFolder(const QString& folder)
{
  TMediaFolderAccess& access = MediaFolder();
  if (access.Set)
    access.Set(folder);
  else
    access.Own = folder;
}

void TMediaChooser::OpenFileWith(const TOpenDialog& dialog, const QString& filter)
{
  const QString file = dialog ? dialog(this, LastMediaFolder(), filter) : QString();
  if (file.isEmpty()) return;
  const QFileInfo chosen(file);
  Name->setText(chosen.absoluteFilePath());
  SetLastMediaFolder(chosen.absolutePath() + QLatin1Char('/'));
}

QString TMediaChooser::StandardOpenDialog(QWidget* parent, const QString& folder, const QString& filter)
{
  return QFileDialog::getOpenFileName(parent, QStringLiteral("Open"), folder, filter);
}
