// The preview player's commands: Play, Pause, Stop, one-frame steps, Loop, the position
// slider and the play timer that keeps the slider on the movie's frame.
#include <QAction>
#include <QTimer>

#include "app/MainFrm.h"
#include "app/PlaySlider.h"
#include "panels/BackgroundFrm.h"
#include "panels/SpinEdit.h"
#include "player/widget/FlashPlayer.h"
#include "render/FlashObj.h"

QString TMainForm::PreviewMovie() const { return ShockwaveFlash->Movie(); }

int TMainForm::PreviewFrameNum() const { return ShockwaveFlash->FrameNum(); }

int TMainForm::PreviewTotalFrames() const { return ShockwaveFlash->TotalFrames(); }

void TMainForm::ControlPlayActExecute() {
  if (G.FlashCard)
    G.FlashCard->StartPlaying();
}

// Pause twice resumes.
void TMainForm::ControlPauseActExecute() {
  G.Playing = !G.Playing;
  ShockwaveFlash->SetPlaying(G.Playing);
}

// The player comes to rest at the end of the movie; the playing flag stays as it was.
void TMainForm::ControlStopActExecute() {
  ShockwaveFlash->Stop();
  ShockwaveFlash->GotoFrame(ShockwaveFlash->TotalFrames());
}

void TMainForm::ControlForwardActExecute() { ShockwaveFlash->Forward(); }

void TMainForm::ControlBackwardActExecute() { ShockwaveFlash->Back(); }

void TMainForm::ControlLoopActExecute() {
  bool on = !ShockwaveFlash->Loop();
  ShockwaveFlash->SetLoop(on);
  LoopPopupMenuItem->setChecked(on);
  SetStoredLoop(on);
  if (G.FlashCard)
    G.FlashCard->SetLoop(on);
  // A played movie has no document to keep the setting in.
  if (EditingCard()) {
    G.FlashCard->StoreInDocument();
    G.FlashCard->RecordChange();
  }
}

void TMainForm::SliderPlayMouseDown() {
  G.Playing = ShockwaveFlash->Playing();
  ShockwaveFlash->SetPlaying(false);
  TimerPlay->stop();
}

void TMainForm::SliderPlayMouseUp() {
  ShockwaveFlash->SetFrameNum(SliderPlay->Position());
  TimerPlay->start();
  ShockwaveFlash->SetPlaying(G.Playing);
}

void TMainForm::TimerPlayTimer() {
  try {
    SliderPlay->SetPosition(ShockwaveFlash->FrameNum());
  } catch (...) {
  }
}

// Renders the card with what the panels show now and plays it.
void TMainForm::ViewPreviewActExecute() {
  TFlashCard* card = G.FlashCard.get();
  if (!card)
    return;
  if (auto* panel = qobject_cast<TBackgroundForm*>(G.BackgroundForm.data())) {
    card->BgColor = panel->BgColorValue();
    card->Width = panel->EditWidth->Value();
    card->Height = panel->EditHeight->Value();
    card->Rate = panel->EditRate->Value();
  }
  card->TotalFrames = ShockwaveFlash->TotalFrames();
  card->StoreInDocument();
  for (const char* kind : {"Text", "Pic"})
    if (TFlashObj* object = G.Context.EditingObject(kind))
      object->ReadAndStore();
  card->BuildMovie("Preview", "");
  card->StartPlaying();
}
