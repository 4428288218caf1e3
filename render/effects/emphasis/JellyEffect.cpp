// "Jelly": the whole text wobbling like jelly, squashed and stretched in turn.
#include "render/effects/anim/AnimatedEffect.h"
#include "render/effects/anim/Motions.h"

namespace {

const TAnimatedEffectRegistrar Registrar({
    .Name = "Jelly",
    .Family = EmphasisFamily,
    .Unit = TTextUnitKind::Whole,
    .Duration = 18,
    .Motion = Sway({.ScaleX = 1.2, .ScaleY = 0.85}, {.ScaleX = 0.9, .ScaleY = 1.1}),
    .PivotY = 1,
    .DefaultLength = 47,
});

} // namespace
