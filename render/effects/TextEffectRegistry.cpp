#include "render/effects/TextEffect.h"

#include <algorithm>
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

std::string TTextEffectRegistry::Family(const std::string& name)
{
  const TTextEffect* effect = Find(name);
  return effect ? effect->Family : std::string();
}

std::vector<std::pair<std::string, std::vector<std::string>>> TTextEffectRegistry::ByFamily()
{
  std::vector<std::pair<std::string, std::vector<std::string>>> families;
  for (const char* family : {ClassicFamily, EntranceFamily, EmphasisFamily, ExitFamily}) families.push_back({family, {}});
  for (const auto& entry : Effects()) {
    const std::string& family = entry.second.Family; // a lambda may not capture a structured binding in clang 14
    auto found = std::find_if(families.begin(), families.end(), [&](const auto& f) { return f.first == family; });
    if (found == families.end()) found = families.insert(families.end(), {family, {}});
    found->second.push_back(entry.first);
  }
  std::erase_if(families, [](const auto& f) { return f.second.empty(); });
  return families;
}
