// "Fly Out Letters": the letters crouching, then flying down and away one after the other.
#include "render/effects/anim/AnimatedEffect.h"
#include "render/effects/anim/Motions.h"

namespace {

const TAnimatedEffectRegistrar Registrar({
    .Name = "Fly Out Letters",
    .Family = ExitFamily,
    .Unit = TTextUnitKind::Letter,
    .Duration = 12,
    .Stagger = 2,
    .Motion = Arrive({.Y = 1.5, .Opacity = 0}, TEasing::Back),
    .Reverse = true,
    .DefaultLength = 35,
});

} // namespace
