// "Typewriter": the letters appearing one by one, as typed.
#include "render/effects/anim/AnimatedEffect.h"
#include "render/effects/anim/Motions.h"

namespace {

const TAnimatedEffectRegistrar Registrar({
    .Name = "Typewriter",
    .Family = EntranceFamily,
    .Unit = TTextUnitKind::Letter,
    .Duration = 1,
    .Stagger = 2,
    .Motion = Arrive({.Opacity = 0}, TEasing::Step),
    .DefaultLength = 35,
});

} // namespace
