#include "render/effects/TextEffect.h"

#include <map>

namespace {
std::map<std::string, TTextEffect>& Effects()
{
  static std::map<std::string, TTextEffect> effects;
  return effects;
}
} // namespace

void TTextEffectRegistry::Register(TTextEffect effect)
{
  if (effect.Run) Effects().emplace(effect.Name, std::move(effect));
}

const TTextEffect* TTextEffectRegistry::Find(const std::string& name)
{
  auto found = Effects().find(name);
  return found == Effects().end() ? nullptr : &found->second;
}

std::vector<std::string> TTextEffectRegistry::Names()
{
  std::vector<std::string> names;
  for (const auto& entry : Effects()) names.push_back(entry.first);
  return names;
}

std::optional<int> TTextEffectRegistry::DefaultLength(const std::string& name)
{
  const TTextEffect* effect = Find(name);
  if (!effect) return std::nullopt;
  return effect->DefaultLength;
}
