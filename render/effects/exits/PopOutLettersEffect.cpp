// "Pop Out Letters": the letters swelling a little, then vanishing one after the other.
#include "render/effects/anim/AnimatedEffect.h"
#include "render/effects/anim/Motions.h"

namespace {

const TAnimatedEffectRegistrar Registrar({
    .Name = "Pop Out Letters",
    .Family = ExitFamily,
    .Unit = TTextUnitKind::Letter,
    .Duration = 10,
    .Stagger = 1.5,
    .Motion = Arrive({.ScaleX = 0, .ScaleY = 0}, TEasing::Back),
    .Reverse = true,
    .DefaultLength = 35,
});

} // namespace
