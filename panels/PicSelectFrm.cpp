#include "panels/PicSelectFrm.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStringList>
#include <exception>
#include <stdexcept>

#include "panels/PanelHost.h"
#include "panels/SoundFrm.h" // completes the sound chooser's header
#include "panels/SoundSelectFrm.h"
#include "render/FlashPic.h"
#include "render/PicturePanel.h"
#include "render/RenderContext.h"

namespace {

TPicSelectForm* Chooser = nullptr;

void FreeChooser()
{
  delete Chooser;
  Chooser = nullptr;
}

struct TMediaFolderAccess {
  std::function<QString()> Get;
  std::function<void(const QString&)> Set;
};

TMediaFolderAccess& MediaFolder()
{
  static TMediaFolderAccess access;
  return access;
}

QString StandardOpenDialog(QWidget* parent, const QString& folder, const QString& filter)
{
  return QFileDialog::getOpenFileName(parent, QStringLiteral("Open"), folder, filter);
}

void StandardErrorBox(QWidget* parent, const QString& text)
{
  QMessageBox::critical(parent, QApplication::applicationName(), text);
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

TPicSelectForm::TPicSelectForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      OpenPictureDialog(StandardOpenDialog), ShowMessage(StandardErrorBox)
{
  BuildControls();
}

TPicSelectForm::~TPicSelectForm()
{
  if (Chooser == this) Chooser = nullptr;
}

TPicSelectForm* TPicSelectForm::Instance()
{
  if (!Chooser) {
    Chooser = new TPicSelectForm;
    // Kept for the rest of the run and freed with the application object.
    qAddPostRoutine(FreeChooser);
  }
  return Chooser;
}

void TPicSelectForm::BuildControls()
{
  setObjectName(QStringLiteral("PicSelectForm"));
  setWindowTitle(QStringLiteral("Select Picture:"));
  setFixedSize(ClientWidth, ClientHeight);
  setAutoFillBackground(true);
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, QColor(200, 228, 169)); // 11134152 as red, green, blue
  setPalette(palette);

  Label1 = new QLabel(QStringLiteral("Picture Filename:"), this);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setGeometry(8, 8, 200, 16);

  EditPicName = new QLineEdit(this);
  EditPicName->setObjectName(QStringLiteral("EditPicName"));
  EditPicName->setGeometry(8, 26, ClientWidth - 16, 22);
  Label1->setBuddy(EditPicName);

  OpenBtn = MakeButton(this, "OpenBtn", QStringLiteral("&Open"), 68, 62);
  OkBtn = MakeButton(this, "OkBtn", QStringLiteral("&OK"), 150, 62);
  CleanBtn = MakeButton(this, "CleanBtn", QStringLiteral("&Clean"), 232, 62);

  connect(OpenBtn, &QPushButton::clicked, this, &TPicSelectForm::OpenBtnClick);
  connect(OkBtn, &QPushButton::clicked, this, &TPicSelectForm::OkBtnClick);
  connect(CleanBtn, &QPushButton::clicked, this, &TPicSelectForm::CleanBtnClick);
}

QString TPicSelectForm::PictureFilter()
{
  return QStringLiteral("All (*.jpg;*.jpeg;*.bmp)|*.jpg;*.jpeg;*.bmp|JPEG Image File (*.jpg)|*.jpg;*.jpeg|"
                        "Bitmaps (*.bmp)|*.bmp");
}

QString TPicSelectForm::DialogFilter()
{
  // The dialog matches the patterns it finds in parentheses, separated by spaces: each
  // description keeps its words and shows the patterns of its pair.
  const QStringList parts = PictureFilter().split(QLatin1Char('|'));
  QStringList filters;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    QString description = parts[i];
    const int open = description.indexOf(QLatin1String(" ("));
    if (open >= 0) description.truncate(open);
    QString patterns = parts[i + 1];
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    filters << description + QStringLiteral(" (") + patterns + QLatin1Char(')');
  }
  return filters.join(QStringLiteral(";;"));
}

void TPicSelectForm::ConnectMediaFolder(std::function<QString()> get, std::function<void(const QString&)> set)
{
  MediaFolder().Get = std::move(get);
  MediaFolder().Set = std::move(set);
}

QString TPicSelectForm::LastMediaFolder()
{
  const TMediaFolderAccess& access = MediaFolder();
  return access.Get ? access.Get() : TSoundSelectForm::LastMediaFolder();
}

void TPicSelectForm::SetLastMediaFolder(const QString& folder)
{
  TMediaFolderAccess& access = MediaFolder();
  if (access.Set)
    access.Set(folder);
  else
    TSoundSelectForm::SetLastMediaFolder(folder);
}

void TPicSelectForm::showEvent(QShowEvent* event)
{
  QDialog::showEvent(event);
  // Centred on the screen, whichever window opened it.
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
}

void TPicSelectForm::OpenBtnClick()
{
  const QString file = OpenPictureDialog ? OpenPictureDialog(this, LastMediaFolder(), DialogFilter()) : QString();
  if (file.isEmpty()) return;
  const QFileInfo chosen(file);
  EditPicName->setText(chosen.absoluteFilePath());
  SetLastMediaFolder(chosen.absolutePath() + QLatin1Char('/'));
}

void TPicSelectForm::CleanBtnClick()
{
  // Only the name: nothing changes until OK.
  EditPicName->clear();
}

void TPicSelectForm::OkBtnClick()
{
  try {
    ApplyName(EditPicName->text());
  } catch (const std::exception& error) {
    // A file that cannot be loaded at all: the error box, and the chooser stays open with
    // the name as typed.
    if (ShowMessage) ShowMessage(this, QString::fromUtf8(error.what()));
    return;
  }
  accept();
}

void TPicSelectForm::ApplyName(const QString& name)
{
  IPanelHost* host = PanelHost();
  if (!host) return;
  TRenderContext& context = host->RenderContext();
  auto* picture = dynamic_cast<TFlashPic*>(context.EditingObject("Pic"));
  if (!picture) return;

  if (name.isEmpty()) {
    // No picture: the object, the document and the thumbnail lose it, with the panel's other
    // values read as they stand.
    if (context.PicturePanel) context.PicturePanel->ClearPicture();
    picture->Content.clear();
    picture->WorkFile.clear();
    picture->ReadAndStore();
    host->RenderCard();
    return;
  }

  IPictureExaminer* examiner = context.PictureExaminer();
  if (!examiner) throw std::runtime_error("No picture examiner is installed.");
  const std::string fileName = QFile::encodeName(name).toStdString();
  examiner->SetPictureFile(context.ResolveMediaPath(fileName));
  if (!examiner->Examine()) {
    // Refused (the examiner has said why): the object keeps its picture, nothing renders.
    if (context.PicturePanel) context.PicturePanel->ClearPicture();
    return;
  }
  picture->WorkFile = examiner->WorkFile();
  picture->Width = examiner->Width();
  picture->Height = examiner->Height();
  picture->Content = fileName;
  // The panel is not read first: a pending edit of the panel is not applied here.
  picture->StoreInDocument();
  picture->ShowInPanel();
  host->RenderCard();
}
