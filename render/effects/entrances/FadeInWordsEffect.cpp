// "Fade In Words": the words fading in one after the other, rising a little.
#include "render/effects/anim/AnimatedEffect.h"
#include "render/effects/anim/Motions.h"

namespace {

const TAnimatedEffectRegistrar Registrar({
    .Name = "Fade In Words",
    .Family = EntranceFamily,
    .Unit = TTextUnitKind::Word,
    .Duration = 10,
    .Stagger = 5,
    .Motion = Arrive({.Y = 0.3, .Opacity = 0}, TEasing::EaseOut),
    .DefaultLength = 35,
});

} // namespace
