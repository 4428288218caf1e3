// "Fade Out": the whole text fading out.
#include "render/effects/anim/AnimatedEffect.h"
#include "render/effects/anim/Motions.h"

namespace {

const TAnimatedEffectRegistrar Registrar({
    .Name = "Fade Out",
    .Family = ExitFamily,
    .Unit = TTextUnitKind::Whole,
    .Duration = 15,
    .Motion = Arrive({.Opacity = 0}, TEasing::Linear),
    .Reverse = true,
    .DefaultLength = 35,
});

} // namespace
