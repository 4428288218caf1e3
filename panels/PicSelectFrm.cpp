#include "panels/PicSelectFrm.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStringList>
#include <exception>
#include <stdexcept>

#include "panels/PanelHost.h"
#include "render/FlashPic.h"
#include "render/PicturePanel.h"
#include "render/RenderContext.h"

namespace {

void StandardErrorBox(QWidget* parent, const QString& text)
{
  QMessageBox::critical(parent, QApplication::applicationName(), text);
}

} // namespace

TPicSelectForm::TPicSelectForm(QWidget* parent)
    : TMediaChooser({QStringLiteral("PicSelectForm"), QStringLiteral("Select Picture:"),
                     QStringLiteral("Picture Filename:"), QStringLiteral("EditPicName"), ClientHeight, 62},
                    StandardErrorBox, parent),
      OpenPictureDialog(StandardOpenDialog)
{
  EditPicName = NameEdit();
  connect(OpenBtn, &QPushButton::clicked, this, &TPicSelectForm::OpenBtnClick);
  connect(OkBtn, &QPushButton::clicked, this, &TPicSelectForm::OkBtnClick);
  connect(CleanBtn, &QPushButton::clicked, this, &TPicSelectForm::CleanBtnClick);
}

QString TPicSelectForm::PictureFilter()
{
  // The kinds the examiner reads (it tells them by content; the patterns only guide the eye).
  return QStringLiteral(
      "All (*.jpg;*.jpeg;*.png;*.gif;*.webp;*.heic;*.heif;*.avif;*.bmp;*.svg)|"
      "*.jpg;*.jpeg;*.png;*.gif;*.webp;*.heic;*.heif;*.avif;*.bmp;*.svg|"
      "JPEG Image File (*.jpg)|*.jpg;*.jpeg|PNG Image (*.png)|*.png|GIF Image (*.gif)|*.gif|"
      "WebP Image (*.webp)|*.webp|HEIC and AVIF Photos (*.heic;*.heif;*.avif)|*.heic;*.heif;*.avif|"
      "Bitmaps (*.bmp)|*.bmp|SVG Drawings (*.svg)|*.svg");
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
  OpenFileWith(OpenPictureDialog, DialogFilter());
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
