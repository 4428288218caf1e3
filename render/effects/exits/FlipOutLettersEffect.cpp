// "Flip Out Letters": the letters turning away like cards, one after the other.
#include "render/effects/anim/AnimatedEffect.h"
#include "render/effects/anim/Motions.h"

namespace {

const TAnimatedEffectRegistrar Registrar({
    .Name = "Flip Out Letters",
    .Family = ExitFamily,
    .Unit = TTextUnitKind::Letter,
    .Duration = 8,
    .Stagger = 2,
    .Motion = Arrive({.ScaleX = 0, .Opacity = 0.3}, TEasing::EaseOut),
    .Reverse = true,
    .DefaultLength = 35,
});

} // namespace
