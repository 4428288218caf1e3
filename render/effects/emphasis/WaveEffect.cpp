// "Wave": the letters rising and falling in a travelling wave.
#include "render/effects/anim/AnimatedEffect.h"
#include "render/effects/anim/Motions.h"

namespace {

const TAnimatedEffectRegistrar Registrar({
    .Name = "Wave",
    .Family = EmphasisFamily,
    .Unit = TTextUnitKind::Letter,
    .Duration = 24,
    .Stagger = 2,
    .Motion = Sway({.Y = -0.25}, {.Y = 0.1}),
    .DefaultLength = 47,
});

} // namespace
