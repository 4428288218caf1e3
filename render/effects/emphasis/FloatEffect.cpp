// "Float": the whole text drifting gently up and down.
#include "render/effects/anim/AnimatedEffect.h"
#include "render/effects/anim/Motions.h"

namespace {

const TAnimatedEffectRegistrar Registrar({
    .Name = "Float",
    .Family = EmphasisFamily,
    .Unit = TTextUnitKind::Whole,
    .Duration = 40,
    .Motion = Sway({.Y = -0.12}, {.Y = 0.12}),
    .DefaultLength = 47,
});

} // namespace
