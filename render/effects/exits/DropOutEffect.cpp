// "Drop Out": the letters falling off the stage one after the other, tipping as they fall.
#include "render/effects/anim/AnimatedEffect.h"
#include "render/effects/anim/Motions.h"

namespace {

const TAnimatedEffectRegistrar Registrar({
    .Name = "Drop Out",
    .Family = ExitFamily,
    .Unit = TTextUnitKind::Letter,
    .Duration = 18,
    .Stagger = 2,
    .Motion = Leave({.StageY = 1, .Angle = 40}, TEasing::EaseIn),
    .DefaultLength = 35,
});

} // namespace
