// "Wipe Out": the text taken away from left to right, each letter folding to its right edge.
#include "render/effects/anim/AnimatedEffect.h"
#include "render/effects/anim/Motions.h"

namespace {

const TAnimatedEffectRegistrar Registrar({
    .Name = "Wipe Out",
    .Family = ExitFamily,
    .Unit = TTextUnitKind::Letter,
    .Duration = 4,
    .Stagger = 1,
    .Motion = Leave({.ScaleX = 0, .Opacity = 0}, TEasing::EaseIn),
    .PivotX = 1,
    .DefaultLength = 35,
});

} // namespace
