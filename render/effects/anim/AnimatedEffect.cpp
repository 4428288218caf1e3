#include "render/effects/anim/AnimatedEffect.h"

#include <map>
#include <memory>

#include "render/effects/anim/TextAnimation.h"

namespace {

std::map<std::string, std::unique_ptr<TAnimatedEffect>>& Descriptions()
{
  static std::map<std::string, std::unique_ptr<TAnimatedEffect>> descriptions;
  return descriptions;
}

} // namespace

const TAnimatedEffect* TAnimatedEffects::Find(const std::string& name)
{
  auto found = Descriptions().find(name);
  return found == Descriptions().end() ? nullptr : found->second.get();
}

TAnimatedEffectRegistrar::TAnimatedEffectRegistrar(TAnimatedEffect effect)
{
  if (Descriptions().count(effect.Name) || TTextEffectRegistry::Find(effect.Name)) return;
  const std::string name = effect.Name;
  const TAnimatedEffect* kept =
      Descriptions().emplace(name, std::make_unique<TAnimatedEffect>(std::move(effect))).first->second.get();
  TTextAnimation alone;
  const std::string family = kept->Family;
  if (family == EntranceFamily) alone.Entrance = kept;
  else if (family == ExitFamily) alone.Exit = kept;
  else alone.Emphasis = kept;
  TTextEffectRegistry::Register(
      {kept->Name, kept->DefaultLength, [alone](TFlashText& text) { PlayTextAnimation(text, alone); }, kept->Family});
}
