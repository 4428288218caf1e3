#include "panels/SoundFrm.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "panels/PanelCommands.h"
#include "panels/PanelHost.h"
#include "panels/PanelLayout.h"
#include "panels/SoundSelectFrm.h"
#include "render/FlashSound.h"
#include "render/RenderContext.h"

namespace {

TRenderContext* Context()
{
  IPanelHost* host = PanelHost();
  return host ? &host->RenderContext() : nullptr;
}

} // namespace

TSoundForm::TSoundForm(QWidget* owner) : TChildForm(owner) { BuildControls(); }

TSoundForm::TSoundForm(QWidget* owner, QWidget* hostPanel) : TChildForm(owner, hostPanel) { BuildControls(); }

TSoundForm::~TSoundForm()
{
  if (TRenderContext* context = Context(); context && context->SoundPanel == &Binding)
    context->SoundPanel = nullptr;
}

void TSoundForm::BuildControls()
{
  setObjectName(QStringLiteral("SoundForm"));
  setWindowTitle(QStringLiteral("SoundForm"));
  ApplyPanelFont(this);

  using namespace PanelLayout;
  Content = new QLineEdit(this);
  Content->setObjectName(QStringLiteral("Content"));
  Content->setGeometry(LabelX, RowY(1), FieldX + WideFieldWidth - LabelX, RowHeight);
  Label1 = MakeFieldLabel(this, "Label1", QStringLiteral("Sound FileName:"), LabelX, RowY(0), Content);

  OpenBtn = new QPushButton(QStringLiteral("&Open"), this);
  OpenBtn->setObjectName(QStringLiteral("OpenBtn"));
  OpenBtn->setGeometry(FieldX + WideFieldWidth - 75, RowY(2), 75, RowHeight + 4);

  connect(Content, &QLineEdit::textChanged, this, &TSoundForm::ContentChange);
  connect(OpenBtn, &QPushButton::clicked, this, &TSoundForm::OpenBtnClick);

  // The sound object fills and reads this panel from now on.
  if (TRenderContext* context = Context()) context->SoundPanel = &Binding;
}

TFlashSound* TSoundForm::CurrentSound()
{
  TRenderContext* context = Context();
  return context ? dynamic_cast<TFlashSound*>(context->EditingObject("Sound")) : nullptr;
}

void TSoundForm::ContentChange()
{
  // Every change counts, also the one the sound object makes when it fills the panel: the
  // name is written back into the document as it is shown.
  RunPanelCommand(this, [] {
    if (TFlashSound* sound = CurrentSound()) sound->ReadAndStore();
  });
}

void TSoundForm::OpenBtnClick()
{
  TSoundSelectForm* chooser = TSoundSelectForm::Instance();
  chooser->SetSoundForm(this);
  const TFlashSound* sound = CurrentSound();
  chooser->EditSoundName->setText(sound ? QString::fromStdString(sound->Content) : QString());
  chooser->exec();
}

std::string TSoundForm::TBinding::Content() const { return Form.Content->text().toStdString(); }

void TSoundForm::TBinding::SetContent(const std::string& fileName)
{
  Form.Content->setText(QString::fromStdString(fileName));
}
