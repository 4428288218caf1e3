// The tool windows and the switching of controls for the three window states (closed,
// Play, Edit).
#include <QAction>
#include <QLabel>
#include <QTreeWidget>

#include "app/ErrorBox.h"
#include "app/MainFrm.h"
#include "app/PictureButton.h"
#include "panels/ObjListFrm.h"

namespace {

// Creation order of the tool windows.
constexpr TToolWindowKind ToolWindowOrder[] = {TToolWindowKind::Background,
                                               TToolWindowKind::Library,
                                               TToolWindowKind::Text,
                                               TToolWindowKind::Picture,
                                               TToolWindowKind::Sound};

} // namespace

QPointer<QWidget>& TMainForm::ToolWindow(TToolWindowKind kind) {
  switch (kind) {
  case TToolWindowKind::Background: return G.BackgroundForm;
  case TToolWindowKind::Library: return G.ObjListForm;
  case TToolWindowKind::Text: return G.TextForm;
  case TToolWindowKind::Picture: return G.PicForm;
  case TToolWindowKind::Sound: break;
  }
  return G.SoundForm;
}

void TMainForm::FreeToolWindows() {
  for (TToolWindowKind kind : ToolWindowOrder) {
    QPointer<QWidget>& window = ToolWindow(kind);
    delete window.data();
    window = nullptr;
  }
}

void TMainForm::CreateToolWindows() {
  for (TToolWindowKind kind : ToolWindowOrder) {
    QPointer<QWidget>& window = ToolWindow(kind);
    delete window.data();
    window = nullptr;
    TToolWindowFactory factory = TToolWindowRegistry::Find(kind);
    if (!factory)
      continue;
    bool library = kind == TToolWindowKind::Library;
    window = factory(library ? PanelObj : PanelLeft, this);
    if (!window)
      continue;
    if (window->objectName().isEmpty())
      window->setObjectName(ToolWindowName(kind));
    if (!library)
      if (auto* line = window->findChild<QWidget*>(QStringLiteral("ChildImgLine")))
        line->resize(line->width(), PanelLeft->height() - 10);
  }
  if (auto* objects = qobject_cast<TObjListForm*>(G.ObjListForm.data())) {
    connect(objects->ObjTree, &QTreeWidget::itemSelectionChanged, this, [this, objects] {
      if (G.FlashCard)
        G.FlashCard->History().NoteSelection(objects->SelectedCaption().value_or(std::string()));
    });
  }
  // The "Selected:" line keeps its distance from the library, as a resize would place it:
  // a card opened in a window of the same size brings no resize, and the line would stay
  // at its design place, under the library of a low window.
  MoveDockedPanelParts();
}

void TMainForm::DisablePlayControls() {
  for (QAction* action : {ViewFullScreenAct, ControlPlayAct, ControlPauseAct, ControlStopAct,
                          ControlForwardAct, ControlBackwardAct, ControlLoopAct})
    action->setEnabled(false);
  for (TPictureButton* button : {BtnPlay, BtnPause, BtnStop, BtnBackward, BtnForward, BtnLoop})
    button->setEnabled(false);
  UpdateMenuStates();
}

void TMainForm::EnablePlayControls() {
  for (QAction* action : {ViewFullScreenAct, ControlPlayAct, ControlPauseAct, ControlStopAct,
                          ControlForwardAct, ControlBackwardAct, ControlLoopAct})
    action->setEnabled(true);
  for (TPictureButton* button : {BtnPlay, BtnPause, BtnStop, BtnBackward, BtnForward, BtnLoop})
    button->setEnabled(true);
  UpdateMenuStates();
}

void TMainForm::DisableEditControls() {
  for (QAction* action :
       {FileSaveAct, FileSaveAsAct, FileExportAsSwfAct, FileSetAsScreenSaverAct, ViewPreviewAct,
        EditBgAct, EditTextAct, EditPictureAct, EditSoundAct, InsertTextAct, InsertPictureAct,
        InsertSoundAct, WindowLibraryAct, WindowShowAct})
    action->setEnabled(false);
  for (TPictureButton* button : {BtnSave, BtnBackground, BtnText, BtnPicture, BtnSound})
    button->setEnabled(false);
  PanelObj->hide();
  UpdateMenuStates();
}

void TMainForm::EnableEditControls() {
  // Show/hide of the tool windows keeps its own state.
  for (QAction* action :
       {FileSaveAct, FileSaveAsAct, FileExportAsSwfAct, FileSetAsScreenSaverAct, ViewPreviewAct,
        EditBgAct, EditTextAct, EditPictureAct, EditSoundAct, InsertTextAct, InsertPictureAct,
        InsertSoundAct, WindowLibraryAct})
    action->setEnabled(true);
  for (TPictureButton* button : {BtnSave, BtnBackground, BtnText, BtnPicture, BtnSound})
    button->setEnabled(true);
  PanelObj->show();
  UpdateMenuStates();
}

bool TMainForm::StoredLoop() const { return ControlLoopAct->isEnabled(); }

void TMainForm::SetStoredLoop(bool on) { ControlLoopAct->setEnabled(on); }

void TMainForm::SetPreviewVisible(bool visible) { PanelMain->setVisible(visible); }

void TMainForm::ShowLoopState(bool on) {
  LoopPopupMenuItem->setChecked(on);
  BtnLoop->SetImageList(on ? ImageList17 : ImageList8);
}

void TMainForm::WindowShowActExecute() {
  QWidget* background = G.BackgroundForm;
  if (!background)
    return;
  if (background->isVisible()) {
    for (QWidget* window : {G.BackgroundForm.data(), G.ObjListForm.data(), G.TextForm.data(),
                            G.PicForm.data(), G.SoundForm.data()})
      if (window)
        window->hide();
  } else {
    background->show();
    if (G.ObjListForm)
      G.ObjListForm->show();
  }
}

void TMainForm::WindowLibraryActExecute() {
  if (!G.ObjListForm) {
    if (TToolWindowFactory factory = TToolWindowRegistry::Find(TToolWindowKind::Library))
      G.ObjListForm = factory(nullptr, this);
  }
  if (G.ObjListForm)
    G.ObjListForm->show();
}
