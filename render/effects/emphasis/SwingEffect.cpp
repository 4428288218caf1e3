// "Swing": the whole text swinging like a sign hanging from its top.
#include "render/effects/anim/AnimatedEffect.h"
#include "render/effects/anim/Motions.h"

namespace {

const TAnimatedEffectRegistrar Registrar({
    .Name = "Swing",
    .Family = EmphasisFamily,
    .Unit = TTextUnitKind::Whole,
    .Duration = 30,
    .Motion = Sway({.Angle = 8}, {.Angle = -8}),
    .PivotY = 0,
    .DefaultLength = 47,
});

} // namespace
