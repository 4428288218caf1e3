// "Fly Out To Left": the whole text sliding away beyond the stage's left edge.
#include "render/effects/anim/AnimatedEffect.h"
#include "render/effects/anim/Motions.h"

namespace {

const TAnimatedEffectRegistrar Registrar({
    .Name = "Fly Out To Left",
    .Family = ExitFamily,
    .Unit = TTextUnitKind::Whole,
    .Duration = 18,
    .Motion = Arrive({.StageX = -1}, TEasing::EaseOut),
    .Reverse = true,
    .DefaultLength = 35,
});

} // namespace
