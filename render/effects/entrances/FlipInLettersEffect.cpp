// "Flip In Letters": the letters turning towards the viewer like cards, one after the other.
#include "render/effects/anim/AnimatedEffect.h"
#include "render/effects/anim/Motions.h"

namespace {

const TAnimatedEffectRegistrar Registrar({
    .Name = "Flip In Letters",
    .Family = EntranceFamily,
    .Unit = TTextUnitKind::Letter,
    .Duration = 8,
    .Stagger = 2,
    .Motion = Arrive({.ScaleX = 0, .Opacity = 0.3}, TEasing::EaseOut),
    .DefaultLength = 35,
});

} // namespace
