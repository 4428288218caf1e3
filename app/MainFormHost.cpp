#include "app/MainFormHost.h"

#include <QTreeWidget>
#include <stdexcept>

#include "app/ErrorBox.h"
#include "app/MainFrm.h"
#include "app/PlaySlider.h"
#include "panels/BackgroundFrm.h"
#include "panels/ChildFrm.h"
#include "panels/ObjListFrm.h"
#include "panels/SpinEdit.h"
#include "player/widget/FlashPlayer.h"

namespace {

QString FromStd(const std::string& text) { return QString::fromStdString(text); }

} // namespace

TMainFormHost::TMainFormHost(TMainForm& form) : Form(form) {}

player::TFlashPlayer& TMainFormHost::Player() const { return *Form.ShockwaveFlash; }

int TMainFormHost::TotalFrames() const { return Player().TotalFrames(); }

int TMainFormHost::CurrentFrame() const { return Player().CurrentFrame(); }

std::string TMainFormHost::PreviewMovie() const { return Player().Movie().toStdString(); }

void TMainFormHost::SetPreviewMovie(const std::string& path) { Player().SetMovie(FromStd(path)); }

void TMainFormHost::SetPreviewLoop(bool on) { Player().SetLoop(on); }

bool TMainFormHost::PreviewPlaying() const { return Player().Playing(); }

void TMainFormHost::SetPreviewPlaying(bool playing) { Player().SetPlaying(playing); }

int TMainFormHost::PreviewFrameNum() const { return Player().FrameNum(); }

void TMainFormHost::SetPreviewFrameNum(int frame) { Player().SetFrameNum(frame); }

void TMainFormHost::SetPreviewBackgroundColor(std::uint32_t colour) {
  Player().SetBackgroundColor(int(colour & 0xFFFFFF));
}

void TMainFormHost::SetPreviewBGColor(const std::string& text) { Player().SetBGColor(FromStd(text)); }

void TMainFormHost::PreviewPlay() { Player().Play(); }

void TMainFormHost::RefreshPreviewControl() { Player().update(); }

void TMainFormHost::SetSliderMax(int maximum) { Form.SliderPlay->SetMax(maximum); }

void TMainFormHost::FreeToolWindows() { Form.FreeToolWindows(); }

void TMainFormHost::CreateToolWindows() { Form.CreateToolWindows(); }

void TMainFormHost::EnablePlayControls() { Form.EnablePlayControls(); }

void TMainFormHost::DisablePlayControls() { Form.DisablePlayControls(); }

void TMainFormHost::EnableEditControls() { Form.EnableEditControls(); }

void TMainFormHost::DisableEditControls() { Form.DisableEditControls(); }

void TMainFormHost::ShowPreviewArea(bool visible) { Form.SetPreviewVisible(visible); }

void TMainFormHost::ShowLibraryAndBackgroundPanel() {
  TGlobal& g = Form.Global();
  if (g.ObjListForm)
    g.ObjListForm->show();
  if (g.BackgroundForm)
    g.BackgroundForm->show();
}

void TMainFormHost::ShowLoopState(bool on) { Form.ShowLoopState(on); }

bool TMainFormHost::StoredLoopFlag() const { return Form.StoredLoop(); }

void TMainFormHost::SetStoredLoopFlag(bool on) { Form.SetStoredLoop(on); }

bool TMainFormHost::PlayingFlag() const { return Form.Global().Playing; }

void TMainFormHost::SetPlayingFlag(bool playing) { Form.Global().Playing = playing; }

void TMainFormHost::SetWindowFitting(bool fitting) { Form.Global().WindowFitting = fitting; }

int TMainFormHost::LeftAreaWidth() const { return Form.PanelLeft->width(); }

int TMainFormHost::TopAreaHeight() const { return Form.PanelTop->height(); }

int TMainFormHost::SliderHeight() const { return Form.SliderPlay->height(); }

void TMainFormHost::SetClientWidth(int width) { Form.SetClientWidth(width); }

void TMainFormHost::SetClientHeight(int height) { Form.SetClientHeight(height); }

// The preview area fills what the left column and the toolbar leave: its size follows the
// client size set just before.
void TMainFormHost::SetPreviewAreaWidth(int) {}

void TMainFormHost::SetPreviewAreaHeight(int) {}

TXMLCardDocument& TMainFormHost::CardDocument() {
  auto* library = qobject_cast<TObjListForm*>(Form.Global().ObjListForm.data());
  if (!library)
    throw std::logic_error("The movie library is not open.");
  return library->XMLDoc();
}

TXMLMovie TMainFormHost::RebuildLibrary() {
  auto* library = qobject_cast<TObjListForm*>(Form.Global().ObjListForm.data());
  if (!library)
    throw std::logic_error("The movie library is not open.");
  library->DisplayObjTreeActExecute();
  return Form.Global().Context.Movie();
}

TBackgroundFields TMainFormHost::BackgroundPanelFields() const {
  auto* panel = qobject_cast<TBackgroundForm*>(Form.Global().BackgroundForm.data());
  TFlashCard* card = Form.Global().FlashCard.get();
  if (!panel) {
    // Without the panel the card keeps what it has.
    if (!card)
      return {};
    return {card->BgColor, card->Width, card->Height, card->Rate};
  }
  return {panel->BgColorValue(), panel->EditWidth->Value(), panel->EditHeight->Value(),
          panel->EditRate->Value()};
}

void TMainFormHost::SetBackgroundPanelFields(const TBackgroundFields& fields) {
  auto* panel = qobject_cast<TBackgroundForm*>(Form.Global().BackgroundForm.data());
  if (!panel)
    return;
  panel->SetBgColorValue(fields.Colour);
  panel->EditWidth->SetValue(fields.Width);
  panel->EditHeight->SetValue(fields.Height);
  panel->EditRate->SetValue(fields.Rate);
}

void TMainFormHost::SetBackgroundPanelUpdating(bool updating) {
  if (auto* panel = qobject_cast<TBackgroundForm*>(Form.Global().BackgroundForm.data()))
    panel->SetUpdating(updating);
}

std::string TMainFormHost::SelectedObject() const {
  auto* library = qobject_cast<TObjListForm*>(Form.Global().ObjListForm.data());
  if (!library)
    return {};
  return library->SelectedCaption().value_or(std::string());
}

void TMainFormHost::SelectObject(const std::string& name) {
  TGlobal& g = Form.Global();
  auto* library = qobject_cast<TObjListForm*>(g.ObjListForm.data());
  if (!library)
    return;
  const QString caption = FromStd(name);
  for (int i = 0; i < library->ObjTree->topLevelItemCount(); ++i) {
    QTreeWidgetItem* item = library->ObjTree->topLevelItem(i);
    if (caption.isEmpty() || item->text(0) != caption)
      continue;
    if (library->ObjTree->currentItem() == item && item->isSelected())
      library->DisplayObjAct->trigger();
    else
      library->SelectNode(i);
    return;
  }
  // Nothing to select: the panels show the card itself.
  library->ObjTree->clearSelection();
  for (const char* panelName : {"TextForm", "PicForm", "SoundForm"})
    if (TChildForm* panel = TChildForm::Find(QString::fromLatin1(panelName)))
      panel->hide();
  g.CurrentObjKind.clear();
  g.Context.RenewEditingObjects();
  if (auto* panel = qobject_cast<TChildForm*>(g.BackgroundForm.data())) {
    panel->SetSelectedName(QStringLiteral("Background"));
    panel->show();
  }
}

TRenderContext& TMainFormHost::RenderContext() { return Form.Global().Context; }

void TMainFormHost::StoreCard() {
  if (TFlashCard* card = Form.Global().FlashCard.get())
    card->ReadAndStore();
}

void TMainFormHost::RenderCard() {
  if (TFlashCard* card = Form.Global().FlashCard.get())
    card->BuildMovie("", "");
}

void TMainFormHost::TryEffect(const std::string& objectName, const std::string& effectName) {
  if (TFlashCard* card = Form.Global().FlashCard.get())
    card->TryEffect(objectName, effectName);
}

void TMainFormHost::SetPreviewFrame(int frame) { Player().SetFrameNum(frame); }

void TMainFormHost::SetCurrentObjectKind(const std::string& kind) {
  Form.Global().CurrentObjKind = FromStd(kind);
  Form.ScheduleSelectionFrame(false);
}

void TMainFormHost::ShowError(const std::string& text) {
  if (Once.First(FromStd(text))) ErrorBox::Show(FromStd(text));
}

void TMainFormHost::ShowRefusal(const std::string& text) {
  if (Once.First(FromStd(text))) ErrorBox::ShowWithCancel(FromStd(text));
}

bool TMainFormHost::OfferScaleDown(const std::string& refusal, const std::string& question) {
  // Asked once per user action, as the refusal is shown: the render passes of one edit
  // meet the same picture again.
  if (!Once.First(FromStd(refusal))) return false;
  ErrorBox::ShowWithCancel(FromStd(refusal));
  return ErrorBox::Ask(FromStd(question));
}
