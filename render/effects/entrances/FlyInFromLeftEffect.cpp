// "Fly In From Left": the whole text sliding in from beyond the stage's left edge.
#include "render/effects/anim/AnimatedEffect.h"
#include "render/effects/anim/Motions.h"

namespace {

const TAnimatedEffectRegistrar Registrar({
    .Name = "Fly In From Left",
    .Family = EntranceFamily,
    .Unit = TTextUnitKind::Whole,
    .Duration = 18,
    .Motion = Arrive({.StageX = -1}, TEasing::EaseOut),
    .DefaultLength = 35,
});

} // namespace
