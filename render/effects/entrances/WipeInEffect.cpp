// "Wipe In": the text revealed from left to right, each letter unfolding from its left edge.
#include "render/effects/anim/AnimatedEffect.h"
#include "render/effects/anim/Motions.h"

namespace {

const TAnimatedEffectRegistrar Registrar({
    .Name = "Wipe In",
    .Family = EntranceFamily,
    .Unit = TTextUnitKind::Letter,
    .Duration = 4,
    .Stagger = 1,
    .Motion = Arrive({.ScaleX = 0, .Opacity = 0}, TEasing::EaseOut),
    .PivotX = 0,
    .DefaultLength = 35,
});

} // namespace
