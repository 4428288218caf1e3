// Undo and redo of the card's edits: the two commands, their keys anywhere in the editor,
// their entries at the top of the preview's menu, and the runs that merge into one step.
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QUndoStack>

#include "app/ErrorBox.h"
#include "app/MainFrm.h"
#include "panels/ChildFrm.h"

void TMainForm::BuildUndoActions() {
  EditUndoAct = new QAction(QStringLiteral("Undo"), this);
  EditUndoAct->setObjectName(QStringLiteral("EditUndoAct"));
  EditUndoAct->setShortcut(QKeySequence::Undo);
  EditRedoAct = new QAction(QStringLiteral("Redo"), this);
  EditRedoAct->setObjectName(QStringLiteral("EditRedoAct"));
  EditRedoAct->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
  // The floating panels are windows of their own; a text box with the focus still takes
  // these keys for its own undo first.
  for (QAction* action : {EditUndoAct, EditRedoAct}) {
    action->setShortcutContext(Qt::ApplicationShortcut);
    addAction(action);
  }
  connect(EditUndoAct, &QAction::triggered, this, [this] { RunCommand([this] { EditUndoActExecute(); }); });
  connect(EditRedoAct, &QAction::triggered, this, [this] { RunCommand([this] { EditRedoActExecute(); }); });

  QAction* loop = LoopPopupMenuItem;
  PopupMenu->insertAction(loop, EditUndoAct);
  PopupMenu->insertAction(loop, EditRedoAct);
  N6 = PopupMenu->insertSeparator(loop);
  N6->setObjectName(QStringLiteral("N6"));
  connect(PopupMenu, &QMenu::aboutToShow, this, &TMainForm::UpdateUndoActions);

  // A press anywhere or a new focus ends a run of typing, dragging or resizing.
  connect(qApp, &QApplication::focusChanged, this, [this] {
    if (G.FlashCard)
      G.FlashCard->History().EndRun();
  });
  UpdateUndoActions();
}

void TMainForm::ConnectHistory() {
  if (!G.FlashCard)
    return;
  QUndoStack& steps = G.FlashCard->History().Steps();
  connect(&steps, &QUndoStack::indexChanged, this, [this] {
    UpdateUndoActions();
    WriteRunState();
  });
  connect(&steps, &QUndoStack::cleanChanged, this, [this] { WriteRunState(); });
  UpdateUndoActions();
}

void TMainForm::UpdateUndoActions() {
  QUndoStack* steps = EditingCard() ? &G.FlashCard->History().Steps() : nullptr;
  const bool canUndo = steps && steps->canUndo();
  const bool canRedo = steps && steps->canRedo();
  EditUndoAct->setEnabled(canUndo);
  EditRedoAct->setEnabled(canRedo);
  EditUndoAct->setText(canUndo ? QStringLiteral("Undo ") + steps->undoText() : QStringLiteral("Undo"));
  EditRedoAct->setText(canRedo ? QStringLiteral("Redo ") + steps->redoText() : QStringLiteral("Redo"));
}

void TMainForm::EditUndoActExecute() { StepHistory(true); }

void TMainForm::EditRedoActExecute() { StepHistory(false); }

void TMainForm::StepHistory(bool back) {
  if (!EditingCard())
    return;
  // An edit still waiting in a panel is the last step: an undo takes it back first.
  TChildForm::ApplyAllPendingEdits();
  G.FlashCard->RecordChange();
  TCardHistory& history = G.FlashCard->History();
  if (back)
    history.Undo();
  else
    history.Redo();
  UpdateUndoActions();
}
