// "Scatter In": the letters gathering from all sides, turning as they come.
#include "render/effects/anim/AnimatedEffect.h"
#include "render/effects/anim/Motions.h"

namespace {

const TAnimatedEffectRegistrar Registrar({
    .Name = "Scatter In",
    .Family = EntranceFamily,
    .Unit = TTextUnitKind::Letter,
    .Duration = 24,
    .Stagger = 0.5,
    .Motion = Arrive({.Opacity = 0, .Scatter = 1}, TEasing::EaseOut),
    .Spread = {.X = 8, .Y = 5, .Angle = 270},
    .DefaultLength = 35,
});

} // namespace
