// "Fade Out Words": the words fading out one after the other, sinking a little.
#include "render/effects/anim/AnimatedEffect.h"
#include "render/effects/anim/Motions.h"

namespace {

const TAnimatedEffectRegistrar Registrar({
    .Name = "Fade Out Words",
    .Family = ExitFamily,
    .Unit = TTextUnitKind::Word,
    .Duration = 10,
    .Stagger = 5,
    .Motion = Arrive({.Y = 0.3, .Opacity = 0}, TEasing::EaseOut),
    .Reverse = true,
    .DefaultLength = 35,
});

} // namespace
