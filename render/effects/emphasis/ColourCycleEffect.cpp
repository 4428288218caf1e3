// "Colour Cycle": the letters running through the colours of the rainbow.
#include "render/effects/anim/AnimatedEffect.h"

namespace {

const TAnimatedEffectRegistrar Registrar({
    .Name = "Colour Cycle",
    .Family = EmphasisFamily,
    .Unit = TTextUnitKind::Letter,
    .Duration = 36,
    .Stagger = 2,
    .Motion = {{0, {.Rainbow = 1, .Hue = 0}}, {1, {.Rainbow = 1, .Hue = 360}}},
    .DefaultLength = 47,
});

} // namespace
