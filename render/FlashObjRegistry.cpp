#include "render/FlashObjRegistry.h"

#include <map>

#include "render/FlashObj.h"

namespace {
std::map<std::string, TFlashObjRegistry::TFactory>& Factories()
{
  static std::map<std::string, TFlashObjRegistry::TFactory> factories;
  return factories;
}
} // namespace

void TFlashObjRegistry::Register(const std::string& kind, TFactory factory)
{
  if (factory) Factories().emplace(kind, factory);
}

std::unique_ptr<TFlashObj> TFlashObjRegistry::Create(const std::string& kind, TRenderContext& context)
{
  auto found = Factories().find(kind);
  if (found == Factories().end()) return nullptr;
  return found->second(context);
}

std::vector<std::string> TFlashObjRegistry::Kinds()
{
  std::vector<std::string> kinds;
  for (const auto& entry : Factories()) kinds.push_back(entry.first);
  return kinds;
}
