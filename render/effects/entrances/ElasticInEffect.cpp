// "Elastic In": the whole text springing into size.
#include "render/effects/anim/AnimatedEffect.h"
#include "render/effects/anim/Motions.h"

namespace {

const TAnimatedEffectRegistrar Registrar({
    .Name = "Elastic In",
    .Family = EntranceFamily,
    .Unit = TTextUnitKind::Whole,
    .Duration = 24,
    .Motion = Arrive({.ScaleX = 0, .ScaleY = 0}, TEasing::Elastic),
    .DefaultLength = 35,
});

} // namespace
