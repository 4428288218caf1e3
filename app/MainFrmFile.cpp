// The file commands: New (with the guide), Open, Save, Save As, Export as SWF, Close, and
// the conversions and the screen saver reached from the Save button.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <map>
#include <stdexcept>

#include "app/ErrorBox.h"
#include "app/FileDialogs.h"
#include "app/FileNames.h"
#include "app/MainFrm.h"
#include "app/MissingMedia.h"
#include "app/RecentCards.h"
#include "app/UserQuestions.h"
#include "card/CardMediaPaths.h"
#include "card/ProjectFileCheck.h"
#include "convert/ConvertForm.h"
#include "convert/ExeToSwfFrm.h"
#include "convert/ScreenSaver.h"
#include "convert/SwfToExeFrm.h"
#include "panels/ChildFrm.h"
#include "panels/GuideFrm.h"
#include "panels/TemplateCatalogue.h"
#include "platform/DerivedFile.h"
#include "platform/PlatformError.h"
#include "platform/SafeFile.h"
#include "platform/SystemPaths.h"
#include "player/widget/FlashPlayer.h"

namespace {

const char* const OpenFilter =
    "All file (*.grx *.swf)|*.grx;*.swf|Greetix file (*.grx)|*.grx|Flash file (*.swf)|*.swf";
const char* const ProjectFilter = "Greetix file (*.grx)|*.grx";
const char* const MovieFilter = "Flash file (*.swf)|*.swf";

} // namespace

QString TMainForm::TemplateFile(int guideResult) {
  const TGuideSources sources = GuideSources();
  return TTemplateCatalogue(sources.TemplateFolder, sources.UserTemplateFolder).FileAt(guideResult);
}

TGuideSources TMainForm::GuideSources() {
  const QString program = Platform::ProgramFolder();
  // The program's folder may be the system's: a user's own templates go in a folder of theirs.
  return {program + QStringLiteral("/template"), program + QStringLiteral("/greetix-cli"),
          QString::fromStdString(files::UserCacheFolder()) + QStringLiteral("/guide"),
          QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/greetix/template")};
}

void TMainForm::FileNewActExecute() {
  if (GuideOpen)
    return;
  GuideOpen = true;
  struct TGuideClosed {
    bool& Open;
    ~TGuideClosed() { Open = false; }
  } guideClosed{GuideOpen};

  TGuideForm guide(G.GuideResult, GuideSources(), this);
  if (guide.exec() == QDialog::Accepted) {
    if (!QuerySaveChanges())
      return;
    TFlashCard& card = NewCard();
    card.SourceProject = TemplateFile(G.GuideResult).toStdString();
    EnterEditMode(card);
    card.StartPlaying();
  } else if (!G.FlashCard && ShockwaveFlash->Movie() == QLatin1String(NoMovie)) {
    // Nothing was open: the window shows its closed state.
    NewCard().SetMode("Close");
    DiscardCard();
  }
}

void TMainForm::FileOpenActExecute() {
  OpenFile(Dialogs->OpenFileName(this, QString::fromLatin1(OpenFilter)));
}

void TMainForm::OpenFile(const QString& name) {
  if (name.isEmpty())
    return;
  // A file that cannot be opened is refused before the open card is given up.
  QString extension = UpperExtension(name);
  if (extension != QLatin1String(".SWF") && extension != QLatin1String(".GRX"))
    throw std::runtime_error("\"" + name.toStdString() + "\" is neither a Greetix card (.grx) nor a Flash movie (.swf).");
  if (extension == QLatin1String(".GRX"))
    CheckProjectFile(name.toStdString());
  if (!QuerySaveChanges())
    return;
  DiscardCard();
  if (extension == QLatin1String(".SWF"))
    PlayMovie(name);
  else if (extension == QLatin1String(".GRX")) {
    EditCard(name);
    activateWindow();
    G.FlashCard->StartPlaying();
  }
}

void TMainForm::PlayMovie(const QString& swfFile) {
  TFlashCard& card = NewCard();
  card.SetMode("Play");
  card.WorkSwfFile = swfFile.toStdString();
  card.ReloadPreview("Size");
  card.StartPlaying();
  WriteRunState();
}

void TMainForm::EditCard(const QString& projectFile) {
  TFlashCard& card = NewCard();
  card.CardPath = WithoutExtension(projectFile).toStdString();
  card.SourceProject = projectFile.toStdString();
  LastCardFolder = QFileInfo(projectFile).absolutePath();
  const bool relinked = RelinkMissingMedia(card, projectFile);
  // A card may name any file: those outside its folder are listed once, before it reads them.
  const QStringList outside = OutsideMediaOf(projectFile, Platform::ProgramFolder());
  if (!outside.isEmpty() && !OutsideMediaSeen(projectFile, outside)) {
    Questions->ShowOutsideMedia(this, outside);
    NoteOutsideMediaSeen(projectFile, outside);
  }
  EnterEditMode(card);
  card.SourceProject = projectFile.toStdString();
  if (relinked) {
    // The files found again are a change the card's own file does not hold yet.
    card.History().MarkModified();
    WriteRunState();
  }
  RecentCards::Note(projectFile);
}

// A card whose pictures or sounds are missing: the user locates them before the card is
// read, and the card opens with the files found (from a copy in the working folder).
bool TMainForm::RelinkMissingMedia(TFlashCard& card, const QString& projectFile) {
  const QStringList missing = MissingMediaOf(projectFile, Platform::ProgramFolder());
  if (missing.isEmpty())
    return false;
  const QMap<QString, QString> found =
      FindAlongside(missing, Questions->LocateMissingMedia(this, missing, QFileInfo(projectFile).absolutePath()));
  // The files still missing were listed just now: the renders leave them out without a box
  // for each, at the card's first render and at every edit after it.
  for (const QString& name : missing)
    if (!found.contains(name))
      G.Context.ToldMissingMedia.insert(name.toStdString());
  if (found.isEmpty())
    return false;
  std::map<std::string, std::string> replacements;
  for (auto it = found.cbegin(); it != found.cend(); ++it)
    replacements[it.key().toStdString()] = it.value().toStdString();
  try {
    QFile file(projectFile);
    if (!file.open(QIODevice::ReadOnly))
      return false;
    const QString relinked = G.UntitledBasePath + QStringLiteral("-Relinked.grx");
    Platform::WriteFileAtomically(
        relinked, QByteArray::fromStdString(CardXmlWithMediaReplaced(file.readAll().toStdString(), replacements)));
    card.SourceProject = relinked.toStdString();
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

QString TMainForm::SaveFolder() const {
  // The working folder and the program's folder are no place for the user's files.
  const QString path = HasCard() && CardPath() != G.UntitledBasePath ? CardPath()
                       : HasCard() && G.FlashCard->Mode() == "Play" ? PreviewMovie()
                                                                     : QString();
  for (const QString& folder : {path.isEmpty() ? QString() : QFileInfo(path).absolutePath(), LastCardFolder})
    if (!folder.isEmpty() && QFileInfo(folder).isDir())
      return folder;
  return QDir::homePath();
}

void TMainForm::FileSaveActExecute() {
  TFlashCard* card = G.FlashCard.get();
  if (!card)
    return;
  // What was typed in the last second is in the card before it is copied.
  TChildForm::ApplyAllPendingEdits();
  if (QString::fromStdString(card->CardPath) == G.UntitledBasePath) {
    QString name = Dialogs->SaveFileName(this, QString::fromLatin1(ProjectFilter), SaveFolder());
    if (name.isEmpty())
      return;
    // Whatever extension the user typed is replaced.
    card->CardPath = WithoutExtension(name).toStdString();
    LastCardFolder = QFileInfo(name).absolutePath();
  }
  if (!SaveCardFile(card->WorkProjectFile()))
    return;
  // The card's file holds the card now, whatever becomes of the movie beside it.
  card->History().MarkSaved();
  RecentCards::Note(QString::fromStdString(card->CardPath) + QStringLiteral(".grx"));
  WriteRunState();
  // The final movie is made beside the working movie, not over it. The preview goes on
  // showing the working movie, by whose frame count the next render ends the objects: the
  // final movie's extra stop frame would make every later movie one frame longer, and a
  // card that does not loop, saved twice, would stop on an empty stage.
  const std::string finalMovie = G.UntitledBasePath.toStdString() + "-Saved.swf";
  card->BuildMovie("All", finalMovie);
  CopyToCardPath(finalMovie, QStringLiteral(".swf"));
}

// A copy that fails (a folder that cannot be written, a full disk) is reported, and the
// file that was there stays whole: the copy is written under a temporary name and renamed.
bool TMainForm::CopyToCardPath(const std::string& workFile, const QString& extension) {
  QString target = QString::fromStdString(G.FlashCard->CardPath) + extension;
  try {
    Platform::CopyFileAtomically(QString::fromStdString(workFile), target, false);
    return true;
  } catch (const Platform::TPlatformError& error) {
    ErrorBox::Show(QStringLiteral("The card could not be saved as \"%1\".\n%2")
                       .arg(target, error.Message()));
    return false;
  }
}

// The card's own file: its pictures and sounds in its folder (or below) named relative to it,
// so the folder can travel. A working file that cannot be read so is copied as it is.
bool TMainForm::SaveCardFile(const std::string& workFile) {
  const QString target = QString::fromStdString(G.FlashCard->CardPath) + QStringLiteral(".grx");
  QByteArray bytes;
  try {
    QFile work(QString::fromStdString(workFile));
    if (!work.open(QIODevice::ReadOnly))
      return CopyToCardPath(workFile, QStringLiteral(".grx"));
    const std::string folder = QFileInfo(target).absolutePath().toStdString();
    bytes = QByteArray::fromStdString(CardXmlWithRelativeMedia(work.readAll().toStdString(), folder));
  } catch (const std::exception&) {
    return CopyToCardPath(workFile, QStringLiteral(".grx"));
  }
  try {
    Platform::WriteFileAtomically(target, bytes);
    return true;
  } catch (const Platform::TPlatformError& error) {
    ErrorBox::Show(QStringLiteral("The card could not be saved as \"%1\".\n%2").arg(target, error.Message()));
    return false;
  }
}

void TMainForm::FileSaveAsActExecute() {
  if (!G.FlashCard)
    return;
  G.FlashCard->CardPath = G.UntitledBasePath.toStdString();
  FileSaveAct->trigger();
}

void TMainForm::FileExportAsSwfActExecute() {
  if (!G.FlashCard)
    return;
  TChildForm::ApplyAllPendingEdits();
  QString name = Dialogs->SaveFileName(this, QString::fromLatin1(MovieFilter), SaveFolder());
  if (name.isEmpty())
    return;
  G.FlashCard->BuildMovie("All", (WithoutExtension(name) + QStringLiteral(".swf")).toStdString());
}

void TMainForm::FileCloseActExecute() {
  if (!QuerySaveChanges())
    return;
  if (!G.FlashCard)
    NewCard();
  G.FlashCard->SetMode("Close");
  UpdateUndoActions();
  WriteRunState();
}

// The movie in the preview (in Edit state the card's working movie) becomes the screen saver.
void TMainForm::FileSetAsScreenSaverActExecute() {
  const TScreenSaverResult result = SetAsScreenSaver(PreviewMovie(), ScreenSaverHostSource());
  if (!result.Message.isEmpty())
    ShowConvertMessage(this, result.Message);
}

void TMainForm::FileSwfToExeActExecute() { FileSwfToExe(this); }

void TMainForm::FileExeToSwfActExecute() { FileExeToSwf(this); }
