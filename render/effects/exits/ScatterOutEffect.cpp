// "Scatter Out": the letters flying apart to all sides, turning as they go.
#include "render/effects/anim/AnimatedEffect.h"
#include "render/effects/anim/Motions.h"

namespace {

const TAnimatedEffectRegistrar Registrar({
    .Name = "Scatter Out",
    .Family = ExitFamily,
    .Unit = TTextUnitKind::Letter,
    .Duration = 24,
    .Stagger = 0.5,
    .Motion = Arrive({.Opacity = 0, .Scatter = 1}, TEasing::EaseOut),
    .Reverse = true,
    .Spread = {.X = 8, .Y = 5, .Angle = 270},
    .DefaultLength = 35,
});

} // namespace
