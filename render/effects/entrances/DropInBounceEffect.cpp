// "Drop In Bounce": the letters dropping from above the stage and bouncing on their line.
#include "render/effects/anim/AnimatedEffect.h"
#include "render/effects/anim/Motions.h"

namespace {

const TAnimatedEffectRegistrar Registrar({
    .Name = "Drop In Bounce",
    .Family = EntranceFamily,
    .Unit = TTextUnitKind::Letter,
    .Duration = 20,
    .Stagger = 2,
    .Motion = Arrive({.StageY = -1}, TEasing::Bounce),
    .PivotY = 1,
    .DefaultLength = 35,
});

} // namespace
