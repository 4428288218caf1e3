// "Fade In": the whole text fading in.
#include "render/effects/anim/AnimatedEffect.h"
#include "render/effects/anim/Motions.h"

namespace {

const TAnimatedEffectRegistrar Registrar({
    .Name = "Fade In",
    .Family = EntranceFamily,
    .Unit = TTextUnitKind::Whole,
    .Duration = 15,
    .Motion = Arrive({.Opacity = 0}, TEasing::Linear),
    .DefaultLength = 35,
});

} // namespace
