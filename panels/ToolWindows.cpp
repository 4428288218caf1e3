#include "panels/ToolWindows.h"

#include <map>

namespace {

std::map<TToolWindowKind, TToolWindowFactory>& Factories() {
  static std::map<TToolWindowKind, TToolWindowFactory> factories;
  return factories;
}

} // namespace

void TToolWindowRegistry::Register(TToolWindowKind kind, TToolWindowFactory factory) {
  if (factory)
    Factories()[kind] = std::move(factory);
  else
    Factories().erase(kind);
}

TToolWindowFactory TToolWindowRegistry::Find(TToolWindowKind kind) {
  auto found = Factories().find(kind);
  return found == Factories().end() ? TToolWindowFactory() : found->second;
}

bool TToolWindowRegistry::Has(TToolWindowKind kind) { return Factories().count(kind) != 0; }

void TToolWindowRegistry::Clear() { Factories().clear(); }

QString ToolWindowName(TToolWindowKind kind) {
  switch (kind) {
  case TToolWindowKind::Background: return QStringLiteral("BackgroundForm");
  case TToolWindowKind::Library: return QStringLiteral("ObjListForm");
  case TToolWindowKind::Text: return QStringLiteral("TextForm");
  case TToolWindowKind::Picture: return QStringLiteral("PicForm");
  case TToolWindowKind::Sound: return QStringLiteral("SoundForm");
  }
  return {};
}
