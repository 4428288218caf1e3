// "Zoom Out": the whole text shrinking to nothing.
#include "render/effects/anim/AnimatedEffect.h"
#include "render/effects/anim/Motions.h"

namespace {

const TAnimatedEffectRegistrar Registrar({
    .Name = "Zoom Out",
    .Family = ExitFamily,
    .Unit = TTextUnitKind::Whole,
    .Duration = 15,
    .Motion = Arrive({.ScaleX = 0, .ScaleY = 0, .Opacity = 0}, TEasing::EaseOut),
    .Reverse = true,
    .DefaultLength = 35,
});

} // namespace
