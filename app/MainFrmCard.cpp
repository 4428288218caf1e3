// The open card as the main window keeps it: the start-up document, replacing the card,
// the resize's card step, the background and insert commands, and moving the selected
// object by dragging it in the preview.
#include <QFileInfo>
#include <QTimer>

#include "app/ErrorBox.h"
#include "app/FileNames.h"
#include "app/MainFormHost.h"
#include "app/MainFrm.h"
#include "panels/ChildFrm.h"
#include "panels/InsertObject.h"
#include "player/widget/FlashPlayer.h"
#include "render/FlashObj.h"
#include "render/PicturePanel.h"
#include "render/TextPanel.h"

// The document shown at start-up, chosen by the first argument: a movie plays, a card opens
// for editing and plays, anything else (or nothing) opens the blank template.
void TMainForm::FormShow() {
  QString argument = Arguments.value(0);
  QString extension = UpperExtension(argument);
  if (!argument.isEmpty())
    argument = QFileInfo(argument).absoluteFilePath();
  // The builder lives for the whole run, whatever is opened first.
  CreateBuilderObjects();
  if (extension == QLatin1String(".SWF")) {
    PlayMovie(argument);
  } else if (extension == QLatin1String(".GRX")) {
    EditCard(argument);
    G.FlashCard->StartPlaying();
  } else {
    TFlashCard& card = NewCard();
    card.SourceProject = TemplateFile(0).toStdString();
    EnterEditMode(card);
  }
  // A run that only plays a movie asks nothing about cards.
  if (extension != QLatin1String(".SWF"))
    QTimer::singleShot(0, this, [this] { RunCommand([this] { OfferRecovery(); }); });
}

// Each render decides whether an object that ends before the movie's last frame leaves the
// stage after its end by the frame count of the movie the preview shows. Entering Edit state
// renders while the preview still shows the previous movie (another card, a played movie,
// or none), so that first render would leave such objects on the stage to the end: render
// again until the movie has the frame count it was rendered for, as the command line does.
void TMainForm::EnterEditMode(TFlashCard& card) {
  // A card opened anew starts at its first frame, not where the previous movie stood.
  ShockwaveFlash->SetFrameNum(0);
  int renderedFor = PreviewTotalFrames();
  card.SetMode("Edit");
  for (int pass = 0; pass < 4 && PreviewTotalFrames() != renderedFor; ++pass) {
    renderedFor = PreviewTotalFrames();
    card.BuildMovie("", "");
  }
  // Reading the card fills in what its file left out: that is no edit of the user's.
  card.ResetHistory();
  WriteRunState();
}

void TMainForm::CreateBuilderObjects() {
  if (!G.SwfMovie)
    G.SwfMovie = std::make_unique<swf::TSwfMovie>();
  if (!G.SwfObject)
    G.SwfObject = std::make_unique<swf::TSwfObject>();
  if (!G.SwfAction)
    G.SwfAction = std::make_unique<swf::TSwfAction>();
  G.Context.SwfMovie = G.SwfMovie.get();
  G.Context.SwfObject = G.SwfObject.get();
  G.Context.SwfAction = G.SwfAction.get();
}

TFlashCard& TMainForm::NewCard() {
  DiscardCard();
  G.Context.ToldMissingMedia.clear();
  G.FlashCard = std::make_unique<TFlashCard>(*CardHost, G.Context, G.UntitledBasePath.toStdString());
  ConnectHistory();
  return *G.FlashCard;
}

void TMainForm::DiscardCard() {
  G.FlashCard.reset();
  UpdateUndoActions();
}

bool TMainForm::HasCard() const { return G.FlashCard != nullptr; }

bool TMainForm::EditingCard() const { return G.FlashCard && G.FlashCard->Mode() == "Edit"; }

QString TMainForm::CardPath() const {
  return G.FlashCard ? QString::fromStdString(G.FlashCard->CardPath) : QString();
}

void TMainForm::ResizeCard(int stageWidth, int stageHeight) {
  if (!EditingCard())
    return;
  try {
    TFlashCard& card = *G.FlashCard;
    card.Width = stageWidth;
    card.Height = stageHeight;
    card.ShowInPanels();
    card.StoreInDocument();
    card.BuildMovie("", "");
  } catch (...) {
    // The card keeps what it reached; the next size change tries again.
  }
}

void TMainForm::EditBgActExecute() {
  if (!G.BackgroundForm) {
    if (TToolWindowFactory factory = TToolWindowRegistry::Find(TToolWindowKind::Background))
      G.BackgroundForm = factory(nullptr, this);
  }
  if (!G.BackgroundForm)
    return;
  if (auto* panel = qobject_cast<TChildForm*>(G.BackgroundForm.data()))
    panel->SetSelectedName(QStringLiteral("Background"));
  G.BackgroundForm->show();
  if (G.FlashCard)
    G.FlashCard->LoadAndShow();
}

void TMainForm::InsertTextActExecute() { InsertObject("Text"); }

void TMainForm::InsertPictureActExecute() { InsertObject("Pic"); }

void TMainForm::InsertSoundActExecute() { InsertObject("Sound"); }

void TMainForm::MoveCurrentObject(QPoint distance) {
  const bool text = G.CurrentObjKind == QLatin1String("Text");
  TFlashObj* object = G.Context.EditingObject(text ? "Text" : "Pic");
  if (!object)
    return;
  if (text) {
    if (ITextPanel* panel = G.Context.TextPanel) {
      panel->SetPositionX(panel->PositionX() + distance.x());
      panel->SetPositionY(panel->PositionY() + distance.y());
    }
  } else if (IPicturePanel* panel = G.Context.PicturePanel) {
    panel->SetEditPositionX(panel->EditPositionX() + distance.x());
    panel->SetEditPositionY(panel->EditPositionY() + distance.y());
  }
  object->PositionX += distance.x();
  object->PositionY += distance.y();
  object->StoreInDocument();
  G.FlashCard->BuildMovie("", "");
}
