// "Fly Out To Bottom": the whole text sliding down and away below the stage.
#include "render/effects/anim/AnimatedEffect.h"
#include "render/effects/anim/Motions.h"

namespace {

const TAnimatedEffectRegistrar Registrar({
    .Name = "Fly Out To Bottom",
    .Family = ExitFamily,
    .Unit = TTextUnitKind::Whole,
    .Duration = 18,
    .Motion = Arrive({.StageY = 1}, TEasing::EaseOut),
    .Reverse = true,
    .DefaultLength = 35,
});

} // namespace
