// "Backspace": the letters vanishing one by one from the last, as deleted.
#include "render/effects/anim/AnimatedEffect.h"
#include "render/effects/anim/Motions.h"

namespace {

const TAnimatedEffectRegistrar Registrar({
    .Name = "Backspace",
    .Family = ExitFamily,
    .Unit = TTextUnitKind::Letter,
    .Duration = 1,
    .Stagger = 2,
    .Motion = Leave({.Opacity = 0}, TEasing::Step),
    .LastFirst = true,
    .DefaultLength = 35,
});

} // namespace
