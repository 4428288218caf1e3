// The exports of the Save button's popup: a video, an animated picture or a web page of the
// card (rendered as Save renders it) or, in Play state, of the open movie.
#include <QDir>
#include <QFileInfo>
#include <QMenu>

#include "app/ErrorBox.h"
#include "app/ExportProgressFrm.h"
#include "app/ExportSizes.h"
#include "app/FileDialogs.h"
#include "app/FileNames.h"
#include "app/MainFrm.h"
#include "app/UserQuestions.h"
#include "app/PictureButton.h"
#include "export/ExportOptions.h"
#include "panels/ChildFrm.h"

namespace {

const char* const VideoFilter = "MP4 video (*.mp4)|*.mp4|WebM video (*.webm)|*.webm";
const char* const AnimationFilter = "Animated GIF (*.gif)|*.gif|Animated WebP (*.webp)|*.webp";
const char* const WebPageFilter = "Web page (*.html)|*.html";
const char* const PictureFilter = "PNG picture (*.png)|*.png";

// The chosen name with an extension of the command's kind: another or none gets the first.
QString WithExtensionOf(const QString& name, const QStringList& extensions) {
  const QString suffix = QStringLiteral(".") + QFileInfo(name).suffix().toLower();
  for (const QString& extension : extensions)
    if (suffix == extension)
      return name;
  return name + extensions.first();
}

// The files a web page brings along beside it that are there already.
QStringList PageFilesThere(const QString& page) {
  const QFileInfo info(page);
  QStringList there;
  for (const char* extension : {".webm", ".mp4", ".png"}) {
    const QString name = info.completeBaseName() + QLatin1String(extension);
    if (QFileInfo::exists(info.dir().filePath(name)))
      there << name;
  }
  return there;
}

} // namespace

void TMainForm::FileExportVideoActExecute() {
  ExportMovieAs(QString::fromLatin1(VideoFilter), {QStringLiteral(".mp4"), QStringLiteral(".webm")});
}

void TMainForm::FileExportGifActExecute() {
  ExportMovieAs(QString::fromLatin1(AnimationFilter), {QStringLiteral(".gif"), QStringLiteral(".webp")});
}

void TMainForm::FileExportWebPageActExecute() {
  ExportMovieAs(QString::fromLatin1(WebPageFilter), {QStringLiteral(".html")});
}

void TMainForm::FileExportPictureActExecute() {
  ExportMovieAs(QString::fromLatin1(PictureFilter), {QStringLiteral(".png")});
}

bool TMainForm::CanExport() const {
  return G.FlashCard && (G.FlashCard->Mode() == "Edit" || G.FlashCard->Mode() == "Play");
}

void TMainForm::ExportMovieAs(const QString& filter, const QStringList& extensions) {
  if (!CanExport())
    return;
  const bool editing = EditingCard();
  if (editing)
    TChildForm::ApplyAllPendingEdits();
  int size = RememberedExportSize();
  QString target = Dialogs->SaveExportFileName(this, filter, SaveFolder(), ExportSizeNames(), size);
  if (target.isEmpty())
    return;
  RememberExportSize(size);
  target = WithExtensionOf(target, extensions);
  // The page was chosen, the files beside it were not: replacing them is asked.
  if (target.endsWith(QStringLiteral(".html"), Qt::CaseInsensitive)) {
    const QStringList there = PageFilesThere(target);
    if (!there.isEmpty() && !Questions->ReplacePageFiles(this, there))
      return;
  }

  // A card exports its final movie, made beside the working one as Save makes it; a movie
  // opened for playing exports as it is.
  std::string movie = G.FlashCard->WorkSwfFile;
  if (editing) {
    movie = G.UntitledBasePath.toStdString() + "-Export.swf";
    G.FlashCard->BuildMovie("All", movie);
  }
  exporter::TExportOptions options;
  ApplyExportSize(size, options);
  const bool named = editing && QString::fromStdString(G.FlashCard->CardPath) != G.UntitledBasePath;
  options.Title = (named ? QFileInfo(QString::fromStdString(G.FlashCard->CardPath)).fileName()
                         : QFileInfo(target).completeBaseName())
                      .toStdString();
  TExportProgressForm progress(this, movie, target.toStdString(), options);
  if (progress.exec() != QDialog::Accepted && !progress.ErrorText().isEmpty())
    ErrorBox::Show(progress.ErrorText());
}

// The Save button is disabled in Play state, where its popup still offers the exports:
// a disabled button gets no mouse, so the window's message hook opens the popup.
bool TMainForm::OpenSavePopupAt(QPoint clientPoint, QPoint screenPoint) {
  if (BtnSave->isEnabled() || !CanExport())
    return false;
  const QRect area(BtnSave->mapTo(Client, QPoint(0, 0)), BtnSave->size());
  if (!area.contains(clientPoint))
    return false;
  PopupMenu1->popup(screenPoint);
  return true;
}

void TMainForm::BuildExportMenuItems() {
  PopupMenu1->addSeparator();
  ExportVideo = PopupMenu1->addAction(QStringLiteral("Export Video\u2026"));
  ExportVideo->setObjectName(QStringLiteral("ExportVideo"));
  ExportGif = PopupMenu1->addAction(QStringLiteral("Export GIF\u2026"));
  ExportGif->setObjectName(QStringLiteral("ExportGif"));
  ExportWebPage = PopupMenu1->addAction(QStringLiteral("Export Web Page\u2026"));
  ExportWebPage->setObjectName(QStringLiteral("ExportWebPage"));
  // Only a card or a movie can be exported, or be the screen saver.
  connect(PopupMenu1, &QMenu::aboutToShow, this, [this] {
    for (QAction* item : {ExportVideo, ExportGif, ExportWebPage, SetAsScreenSaverItem})
      item->setEnabled(CanExport());
  });
}
