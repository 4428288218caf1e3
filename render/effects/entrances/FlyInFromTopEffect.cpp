// "Fly In From Top": the whole text sliding down from above the stage.
#include "render/effects/anim/AnimatedEffect.h"
#include "render/effects/anim/Motions.h"

namespace {

const TAnimatedEffectRegistrar Registrar({
    .Name = "Fly In From Top",
    .Family = EntranceFamily,
    .Unit = TTextUnitKind::Whole,
    .Duration = 18,
    .Motion = Arrive({.StageY = -1}, TEasing::EaseOut),
    .DefaultLength = 35,
});

} // namespace
