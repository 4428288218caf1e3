#include "panels/BackgroundFrm.h"

#include <QKeyEvent>
#include <QLabel>
#include <QTimer>

#include "panels/ColorButton.h"
#include "panels/PanelCommands.h"
#include "panels/PanelHost.h"
#include "panels/PanelLayout.h"
#include "panels/SpinEdit.h"

TBackgroundForm::TBackgroundForm(QWidget* owner) : TChildForm(owner) {
  resize(width(), FloatingClientHeight);
  BuildControls();
}

TBackgroundForm::TBackgroundForm(QWidget* owner, QWidget* hostPanel) : TChildForm(owner, hostPanel) {
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

  EditRate = new TSpinEdit(this, 1, 90, 15);
  EditRate->setObjectName(QStringLiteral("EditRate"));
  EditRate->setToolTip(QStringLiteral("Rate"));
  EditRate->setGeometry(Field2X, RowY(0), Field2Width, RowHeight);
  Label2 = MakeFieldLabel(this, "Label2", QStringLiteral("&Fps:"), Label2X, RowY(0), EditRate);

  EditWidth = new TSpinEdit(this, 1, 800, 390);
  EditWidth->setObjectName(QStringLiteral("EditWidth"));
  EditWidth->setToolTip(QStringLiteral("Width"));
  EditWidth->SetMaxLength(3);
  EditWidth->setGeometry(FieldX, RowY(1), FieldWidth, RowHeight);
  Label3 = MakeFieldLabel(this, "Label3", QStringLiteral("&Width:"), LabelX, RowY(1), EditWidth);

  EditHeight = new TSpinEdit(this, 1, 600, 320);
  EditHeight->setObjectName(QStringLiteral("EditHeight"));
  EditHeight->setToolTip(QStringLiteral("Height"));
  EditHeight->SetMaxLength(3);
  EditHeight->setGeometry(Field2X, RowY(1), Field2Width, RowHeight);
  Label4 = MakeFieldLabel(this, "Label4", QStringLiteral("&Height:"), Label2X, RowY(1), EditHeight);

  setTabOrder(EditRate, EditHeight);
  setTabOrder(EditHeight, EditWidth);

  Timer1 = new QTimer(this);
  Timer1->setObjectName(QStringLiteral("Timer1"));
  Timer1->setInterval(1000);

  connect(BGColor, &TColorButton::clicked, this, &TBackgroundForm::BGColorClick);
  connect(BGColor, &TColorButton::Changed, this, &TBackgroundForm::BGColorChange);
  for (TSpinEdit* edit : {EditRate, EditHeight, EditWidth}) {
    connect(edit, &TSpinEdit::Changed, this, &TBackgroundForm::EditWidthChange);
    edit->installEventFilter(this);
  }
  connect(Timer1, &QTimer::timeout, this, &TBackgroundForm::Timer1Timer);
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

void TBackgroundForm::EditWidthChange() {
  // An enabled timer is not restarted: the apply comes one second after the first change.
  if (!IsUpdating && !Timer1->isActive())
    Timer1->start();
}

void TBackgroundForm::EditWidthKeyDown(int key) {
  if (key == Qt::Key_Return || key == Qt::Key_Enter)
    RunPanelCommand(this, [this] { Apply(); });
}

void TBackgroundForm::Timer1Timer() {
  // Disabled whatever the apply does, so a failing apply is not retried every second.
  Timer1->stop();
  RunQuietly([this] { Apply(); });
}

void TBackgroundForm::ApplyPendingEdits() {
  if (Timer1->isActive())
    Timer1Timer();
}

void TBackgroundForm::Apply() {
  if (IPanelHost* host = PanelHost()) {
    host->StoreCard();
    host->RenderCard();
  }
}

bool TBackgroundForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress)
    EditWidthKeyDown(static_cast<QKeyEvent*>(event)->key());
  return TChildForm::eventFilter(watched, event);
}
