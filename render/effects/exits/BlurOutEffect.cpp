// "Blur Out": the whole text going out of focus and fading.
#include "render/effects/anim/AnimatedEffect.h"
#include "render/effects/anim/Motions.h"

namespace {

const TAnimatedEffectRegistrar Registrar({
    .Name = "Blur Out",
    .Family = ExitFamily,
    .Unit = TTextUnitKind::Whole,
    .Duration = 18,
    .Motion = Arrive({.ScaleX = 1.15, .ScaleY = 1.15, .Opacity = 0, .Blur = 0.4}, TEasing::EaseOut),
    .Reverse = true,
    .DefaultLength = 35,
});

} // namespace
