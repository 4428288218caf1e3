// "Wobble Letters": the letters rocking left and right in turn.
#include "render/effects/anim/AnimatedEffect.h"
#include "render/effects/anim/Motions.h"

namespace {

const TAnimatedEffectRegistrar Registrar({
    .Name = "Wobble Letters",
    .Family = EmphasisFamily,
    .Unit = TTextUnitKind::Letter,
    .Duration = 20,
    .Stagger = 3,
    .Motion = Sway({.Angle = -12}, {.Angle = 12}),
    .DefaultLength = 47,
});

} // namespace
