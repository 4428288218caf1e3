#include "panels/PropertyForm.h"

#include <QTimer>
#include <algorithm>
#include <climits>
#include <cstdint>

#include "panels/PanelCommands.h"
#include "panels/PanelHost.h"
#include "render/FlashObj.h"
#include "render/RenderContext.h"

TPropertyForm::TPropertyForm(QWidget* owner) : TChildForm(owner) { MakeTimer(); }

TPropertyForm::TPropertyForm(QWidget* owner, QWidget* hostPanel) : TChildForm(owner, hostPanel) { MakeTimer(); }

void TPropertyForm::MakeTimer() {
  Timer1 = new QTimer(this);
  Timer1->setObjectName(QStringLiteral("Timer1"));
  Timer1->setInterval(1000);
  connect(Timer1, &QTimer::timeout, this, &TPropertyForm::Timer1Timer);
}

void TPropertyForm::StartDelayedApply() {
  // An enabled timer is not restarted: the apply comes one second after the first change.
  if (!IsUpdating && !Timer1->isActive())
    Timer1->start();
}

void TPropertyForm::ApplyOnEnter(int key) {
  if (key == Qt::Key_Return || key == Qt::Key_Enter)
    RunPanelCommand(this, [this] { Apply(); });
}

void TPropertyForm::Timer1Timer() {
  // Disabled whatever the apply does, so a failing apply is not retried every second.
  Timer1->stop();
  RunQuietly([this] { Apply(); });
}

void TPropertyForm::ApplyPendingEdits() {
  if (Timer1->isActive())
    Timer1Timer();
}

void TPropertyForm::StoreObjectAndRender(TFlashObj* object) {
  IPanelHost* host = PanelHost();
  if (!host || !object)
    return;
  object->ReadAndStore();
  host->RenderCard();
}

void TPropertyForm::StoreEffectChoice(TFlashObj* object,
                                      const std::function<std::optional<int>(const std::string&)>& lengthOf) {
  IPanelHost* host = PanelHost();
  if (!host || !object)
    return;
  TOneEdit edit(host->RenderContext());
  object->ReadAndStore();
  if (std::optional<int> length = lengthOf(object->EffectName)) {
    object->EndTime = static_cast<std::int32_t>(
        std::clamp<long long>(static_cast<long long>(object->StartTime) + *length, INT32_MIN, INT32_MAX));
    object->ShowInPanel();
    object->StoreInDocument();
  }
  host->RenderCard();
}
