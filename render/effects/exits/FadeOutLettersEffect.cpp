// "Fade Out Letters": the letters fading out one after the other.
#include "render/effects/anim/AnimatedEffect.h"
#include "render/effects/anim/Motions.h"

namespace {

const TAnimatedEffectRegistrar Registrar({
    .Name = "Fade Out Letters",
    .Family = ExitFamily,
    .Unit = TTextUnitKind::Letter,
    .Duration = 8,
    .Stagger = 2,
    .Motion = Arrive({.Opacity = 0}, TEasing::Linear),
    .Reverse = true,
    .DefaultLength = 35,
});

} // namespace
