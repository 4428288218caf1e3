// "Zoom In": the whole text growing from nothing to its size.
#include "render/effects/anim/AnimatedEffect.h"
#include "render/effects/anim/Motions.h"

namespace {

const TAnimatedEffectRegistrar Registrar({
    .Name = "Zoom In",
    .Family = EntranceFamily,
    .Unit = TTextUnitKind::Whole,
    .Duration = 15,
    .Motion = Arrive({.ScaleX = 0, .ScaleY = 0, .Opacity = 0}, TEasing::EaseOut),
    .DefaultLength = 35,
});

} // namespace
