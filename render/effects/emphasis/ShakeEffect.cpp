// "Shake": the whole text shaking from side to side.
#include "render/effects/anim/AnimatedEffect.h"

namespace {

const TAnimatedEffectRegistrar Registrar({
    .Name = "Shake",
    .Family = EmphasisFamily,
    .Unit = TTextUnitKind::Whole,
    .Duration = 6,
    .Motion = {{0, {}}, {0.25, {.X = -0.08}}, {0.75, {.X = 0.08}}, {1, {}}},
    .DefaultLength = 47,
});

} // namespace
