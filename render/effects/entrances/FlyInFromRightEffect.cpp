// "Fly In From Right": the whole text sliding in from beyond the stage's right edge.
#include "render/effects/anim/AnimatedEffect.h"
#include "render/effects/anim/Motions.h"

namespace {

const TAnimatedEffectRegistrar Registrar({
    .Name = "Fly In From Right",
    .Family = EntranceFamily,
    .Unit = TTextUnitKind::Whole,
    .Duration = 18,
    .Motion = Arrive({.StageX = 1}, TEasing::EaseOut),
    .DefaultLength = 35,
});

} // namespace
