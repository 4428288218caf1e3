// Nothing is thrown away unasked: the "Save changes?" question before the card is
// discarded (New, Open, Close, closing the window, the end of the session), and the record
// in the working folder from which a later start restores the card of a crashed run.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSessionManager>
#include <QTimer>

#include "app/ErrorBox.h"
#include "app/MainFrm.h"
#include "app/UserQuestions.h"
#include "panels/ChildFrm.h"
#include "platform/PlatformError.h"
#include "platform/RunState.h"
#include "platform/WorkFolder.h"

void TMainForm::SetQuestions(std::unique_ptr<TUserQuestions> questions) { Questions = std::move(questions); }

bool TMainForm::CardModified() {
  if (!EditingCard())
    return false;
  TChildForm::ApplyAllPendingEdits();
  TFlashCard& card = *G.FlashCard;
  card.RecordChange();
  if (card.History().Modified())
    return true;
  if (QString::fromStdString(card.CardPath) != G.UntitledBasePath)
    return false;
  try {
    return G.Context.Movie().Obj().Count() > 0;
  } catch (const std::exception&) {
    return false;
  }
}

bool TMainForm::QuerySaveChanges() {
  if (!CardModified())
    return true;
  switch (Questions->SaveChanges(this, DocumentName())) {
  case TSaveAnswer::Cancel:
    return false;
  case TSaveAnswer::DontSave:
    return true;
  case TSaveAnswer::Save:
    break;
  }
  // Through the action: a disabled Save saves nothing, and the card then stays.
  FileSaveAct->trigger();
  return !CardModified();
}

bool TMainForm::SessionEndCancelled(bool mayAsk) {
  // Without a question the card stays in the working folder, offered at the next start.
  if (!mayAsk)
    return false;
  bool proceed = false;
  RunCommand([&] { proceed = QuerySaveChanges(); });
  return !proceed;
}

void TMainForm::CommitData(QSessionManager& manager) {
  const bool mayAsk = CardModified() && manager.allowsInteraction();
  const bool cancelled = SessionEndCancelled(mayAsk);
  if (mayAsk)
    manager.release();
  if (cancelled)
    manager.cancel();
}

void TMainForm::WriteRunState() {
  Platform::TRunState state = Platform::ThisRun();
  state.CardPath = HasCard() ? CardPath() : QString();
  state.Changed = !Closed && EditingCard() && G.FlashCard->History().Modified();
  // The record changes seldom; when the card last changed is its working file's time.
  if (state.CardPath == WrittenRunState.first && state.Changed == WrittenRunState.second)
    return;
  try {
    Platform::WriteRunState(Platform::WorkFolder(), state);
    WrittenRunState = {state.CardPath, state.Changed};
  } catch (const Platform::TPlatformError&) {
    // The card is only harder to find after a crash; editing goes on.
  }
}

void TMainForm::OfferRecovery() {
  const QList<Platform::TRecoverableCard> cards = Platform::FindRecoverableCards(Platform::TempFolder());
  for (const Platform::TRecoverableCard& found : cards) {
    // Asked once, whatever the answer.
    Platform::MarkOffered(found.Folder);
    const QString name = QFileInfo(found.CardPath).fileName();
    switch (Questions->RestoreCard(this, name, found.ChangedAt)) {
    case TRestoreAnswer::Restore:
      RestoreCard(found);
      return;
    case TRestoreAnswer::Discard:
      QDir(found.Folder).removeRecursively();
      break;
    case TRestoreAnswer::Later:
      break;
    }
  }
}

void TMainForm::RestoreCard(const Platform::TRecoverableCard& found) {
  if (!QuerySaveChanges())
    return;
  TFlashCard& card = NewCard();
  // A card never saved takes this run's untitled path: the old folder goes.
  const bool untitled = found.CardPath == found.Folder + QStringLiteral("/Untitled");
  card.CardPath = (untitled ? G.UntitledBasePath : found.CardPath).toStdString();
  card.SourceProject = found.WorkProject.toStdString();
  EnterEditMode(card);
  card.History().MarkModified();
  WriteRunState();
  card.StartPlaying();
  // Only a card that arrived whole lets its old folder go.
  QFile before(found.WorkProject);
  QFile after(QString::fromStdString(card.WorkProjectFile()));
  if (before.open(QIODevice::ReadOnly) && after.open(QIODevice::ReadOnly) && before.readAll() == after.readAll())
    QDir(found.Folder).removeRecursively();
}
