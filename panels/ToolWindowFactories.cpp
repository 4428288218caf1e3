// The list of the program's tool windows. Each panel adds one line here:
//   TToolWindowRegistry::Register(TToolWindowKind::Text,
//       [](QWidget* host, QWidget* owner) -> QWidget* { return new TTextForm(owner, host); });
#include "panels/BackgroundFrm.h"
#include "panels/ObjListFrm.h"
#include "panels/PicFrm.h"
#include "panels/SoundFrm.h"
#include "panels/TextFrm.h"
#include "panels/ToolWindows.h"

namespace {

// The docking constructor when there is a host panel, the floating one otherwise.
template <typename TForm>
QWidget* MakeToolWindow(QWidget* host, QWidget* owner) {
  return host ? new TForm(owner, host) : new TForm(owner);
}

} // namespace

void RegisterStandardToolWindows() {
  TToolWindowRegistry::Register(TToolWindowKind::Background, &MakeToolWindow<TBackgroundForm>);
  TToolWindowRegistry::Register(TToolWindowKind::Library, &MakeToolWindow<TObjListForm>);
  TToolWindowRegistry::Register(TToolWindowKind::Text, &MakeToolWindow<TTextForm>);
  TToolWindowRegistry::Register(TToolWindowKind::Picture, &MakeToolWindow<TPicForm>);
  TToolWindowRegistry::Register(TToolWindowKind::Sound, &MakeToolWindow<TSoundForm>);
}
