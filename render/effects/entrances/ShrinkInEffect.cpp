// "Shrink In": the whole text shrinking from a large size into place while it fades in.
#include "render/effects/anim/AnimatedEffect.h"
#include "render/effects/anim/Motions.h"

namespace {

const TAnimatedEffectRegistrar Registrar({
    .Name = "Shrink In",
    .Family = EntranceFamily,
    .Unit = TTextUnitKind::Whole,
    .Duration = 18,
    .Motion = Arrive({.ScaleX = 3, .ScaleY = 3, .Opacity = 0}, TEasing::EaseOut),
    .DefaultLength = 35,
});

} // namespace
