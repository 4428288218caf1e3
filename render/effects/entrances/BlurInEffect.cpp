// "Blur In": the whole text coming into focus.
#include "render/effects/anim/AnimatedEffect.h"
#include "render/effects/anim/Motions.h"

namespace {

const TAnimatedEffectRegistrar Registrar({
    .Name = "Blur In",
    .Family = EntranceFamily,
    .Unit = TTextUnitKind::Whole,
    .Duration = 18,
    .Motion = Arrive({.ScaleX = 1.15, .ScaleY = 1.15, .Opacity = 0, .Blur = 0.4}, TEasing::EaseOut),
    .DefaultLength = 35,
});

} // namespace
