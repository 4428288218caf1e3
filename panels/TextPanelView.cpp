#include "panels/TextPanelView.h"

#include <QComboBox>

#include "panels/ColorButton.h"
#include "panels/ContentEdit.h"
#include "panels/SpinEdit.h"
#include "panels/TextFrm.h"

void TTextPanelView::SetUpdating(bool updating) { Form.SetUpdating(updating); }

std::string TTextPanelView::Content() const { return Form.Content->text().toStdString(); }

// A text longer than the field shows its beginning, unless the user is typing in it.
void TTextPanelView::SetContent(const std::string& text) { Form.Content->setText(QString::fromStdString(text)); }

int TTextPanelView::EditBegin() const { return Form.EditBegin->Value(); }
void TTextPanelView::SetEditBegin(int frame) { Form.EditBegin->SetValue(frame); }
int TTextPanelView::EditEnd() const { return Form.EditEnd->Value(); }
void TTextPanelView::SetEditEnd(int frame) { Form.EditEnd->SetValue(frame); }
std::uint32_t TTextPanelView::FontColor() const { return Form.FontColor->Color(); }
void TTextPanelView::SetFontColor(std::uint32_t colour) { Form.FontColor->SetColor(colour); }
int TTextPanelView::PositionX() const { return Form.PositionX->Value(); }
void TTextPanelView::SetPositionX(int pixels) { Form.PositionX->SetValue(pixels); }
int TTextPanelView::PositionY() const { return Form.PositionY->Value(); }
void TTextPanelView::SetPositionY(int pixels) { Form.PositionY->SetValue(pixels); }

QComboBox* TTextPanelView::List(TTextPanelList list) const {
  switch (list) {
  case TTextPanelList::FontName: return Form.FontName;
  case TTextPanelList::FontSize: return Form.FontSize;
  case TTextPanelList::EffectName: break;
  }
  return Form.EffectName;
}

std::vector<std::string> TTextPanelView::Items(TTextPanelList list) const {
  const QComboBox* box = List(list);
  std::vector<std::string> items;
  items.reserve(static_cast<std::size_t>(box->count()));
  for (int i = 0; i < box->count(); ++i)
    items.push_back(box->itemText(i).toStdString());
  return items;
}

int TTextPanelView::ItemIndex(TTextPanelList list) const { return List(list)->currentIndex(); }

void TTextPanelView::SetItemIndex(TTextPanelList list, int index) {
  List(list)->setCurrentIndex(index);
}

namespace {

// Entry 0 of the entrance, exit and alignment lists stands for "" (none, left).
std::string Chosen(const QComboBox* box) {
  return box->currentIndex() <= 0 ? std::string() : box->currentText().toStdString();
}

void Choose(QComboBox* box, const std::string& value) {
  const int index = value.empty() ? 0 : box->findText(QString::fromStdString(value));
  box->setCurrentIndex(index < 0 ? 0 : index);
}

} // namespace

std::optional<std::string> TTextPanelView::EntranceEffect() const { return Chosen(Form.EntranceEffect); }
void TTextPanelView::SetEntranceEffect(const std::string& name) { Choose(Form.EntranceEffect, name); }
std::optional<std::string> TTextPanelView::ExitEffect() const { return Chosen(Form.ExitEffect); }
void TTextPanelView::SetExitEffect(const std::string& name) { Choose(Form.ExitEffect, name); }
std::optional<std::string> TTextPanelView::TextAlign() const { return Chosen(Form.TextAlign); }
void TTextPanelView::SetTextAlign(const std::string& align) { Choose(Form.TextAlign, align); }
std::optional<std::string> TTextPanelView::TextStyle() const { return Chosen(Form.TextStyle); }
void TTextPanelView::SetTextStyle(const std::string& style) { Choose(Form.TextStyle, style); }
