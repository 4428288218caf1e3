// The list of the program's tool windows. Each panel adds one line here:
//   TToolWindowRegistry::Register(TToolWindowKind::Text,
//       [](QWidget* host, QWidget* owner) -> QWidget* { return new TTextForm(owner, host); });
#include "panels/ToolWindows.h"

void RegisterStandardToolWindows() {
}
