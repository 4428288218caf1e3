// "Pop In Letters": the letters popping up one after the other, a little too large before they settle.
#include "render/effects/anim/AnimatedEffect.h"
#include "render/effects/anim/Motions.h"

namespace {

const TAnimatedEffectRegistrar Registrar({
    .Name = "Pop In Letters",
    .Family = EntranceFamily,
    .Unit = TTextUnitKind::Letter,
    .Duration = 10,
    .Stagger = 1.5,
    .Motion = Arrive({.ScaleX = 0, .ScaleY = 0}, TEasing::Back),
    .DefaultLength = 35,
});

} // namespace
