#include "panels/BackgroundFrm.h"

#include <QKeyEvent>
#include <QLabel>

#include "panels/ColorButton.h"
#include "panels/PanelCommands.h"
#include "panels/PanelHost.h"
#include "panels/PanelLayout.h"
#include "panels/SpinEdit.h"

TBackgroundForm::TBackgroundForm(QWidget* owner) : TPropertyForm(owner) {
  resize(width(), FloatingClientHeight);
  BuildControls();
}

TBackgroundForm::TBackgroundForm(QWidget* owner, QWidget* hostPanel) : TPropertyForm(owner, hostPanel) {
  BuildControls();
}

void TBackgroundForm::BuildControls() {
  setObjectName(QStringLiteral("BackgroundForm"));
  setWindowTitle(QStringLiteral("BackgroundForm"));
  ApplyPanelFont(this);

  using namespace PanelLayout;
  BGColor = new TColorButton(this);
  BGColor->setObjectName(QStringLiteral("BGColor"));
  BGColor->setToolTip(QStringLiteral("Background Color"));
  BGColor->setGeometry(FieldX, RowY(0), FieldWidth, RowHeight);
  Label1 = MakeFieldLabel(this, "Label1", QStringLiteral("&Color:"), LabelX, RowY(0), BGColor);

  EditRate = MakeSpinEdit(this, "EditRate", 1, 90, 15);
  EditRate->setToolTip(QStringLiteral("Rate"));
  EditRate->setGeometry(Field2X, RowY(0), Field2Width, RowHeight);
  Label2 = MakeFieldLabel(this, "Label2", QStringLiteral("&Fps:"), Label2X, RowY(0), EditRate);

  EditWidth = MakeSpinEdit(this, "EditWidth", 1, 800, 390);
  EditWidth->setToolTip(QStringLiteral("Width"));
  EditWidth->SetMaxLength(3);
  EditWidth->setGeometry(FieldX, RowY(1), FieldWidth, RowHeight);
  Label3 = MakeFieldLabel(this, "Label3", QStringLiteral("&Width:"), LabelX, RowY(1), EditWidth);

  EditHeight = MakeSpinEdit(this, "EditHeight", 1, 600, 320);
  EditHeight->setToolTip(QStringLiteral("Height"));
  EditHeight->SetMaxLength(3);
  EditHeight->setGeometry(Field2X, RowY(1), Field2Width, RowHeight);
  Label4 = MakeFieldLabel(this, "Label4", QStringLiteral("&Height:"), Label2X, RowY(1), EditHeight);

  setTabOrder(EditRate, EditHeight);
  setTabOrder(EditHeight, EditWidth);

  connect(BGColor, &TColorButton::clicked, this, &TBackgroundForm::BGColorClick);
  connect(BGColor, &TColorButton::Changed, this, &TBackgroundForm::BGColorChange);
  for (TSpinEdit* edit : {EditRate, EditHeight, EditWidth}) {
    connect(edit, &TSpinEdit::Changed, this, &TBackgroundForm::EditWidthChange);
    edit->installEventFilter(this);
  }
}

std::uint32_t TBackgroundForm::BgColorValue() const { return BGColor->Color(); }

void TBackgroundForm::SetBgColorValue(std::uint32_t colour) { BGColor->SetColor(colour); }

TBackgroundFields TBackgroundForm::Fields() const {
  return {BGColor->Color(), EditWidth->Value(), EditHeight->Value(), EditRate->Value()};
}

void TBackgroundForm::SetFields(const TBackgroundFields& fields) {
  BGColor->SetColor(fields.Colour);
  EditWidth->SetValue(fields.Width);
  EditHeight->SetValue(fields.Height);
  EditRate->SetValue(fields.Rate);
}

void TBackgroundForm::BGColorClick() { BGColor->DropDown(); }

void TBackgroundForm::BGColorChange() {
  if (IsUpdating)
    return;
  RunPanelCommand(this, [this] { Apply(); });
}

void TBackgroundForm::EditWidthChange() { StartDelayedApply(); }

void TBackgroundForm::EditWidthKeyDown(int key) { ApplyOnEnter(key); }

void TBackgroundForm::Apply() {
  if (IPanelHost* host = PanelHost()) {
    host->StoreCard();
    host->RenderCard();
  }
}

bool TBackgroundForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress)
    EditWidthKeyDown(static_cast<QKeyEvent*>(event)->key());
  return TPropertyForm::eventFilter(watched, event);
}
