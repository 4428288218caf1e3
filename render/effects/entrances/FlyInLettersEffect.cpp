// "Fly In Letters": the letters rising into place one after the other, overshooting a little.
#include "render/effects/anim/AnimatedEffect.h"
#include "render/effects/anim/Motions.h"

namespace {

const TAnimatedEffectRegistrar Registrar({
    .Name = "Fly In Letters",
    .Family = EntranceFamily,
    .Unit = TTextUnitKind::Letter,
    .Duration = 12,
    .Stagger = 2,
    .Motion = Arrive({.Y = 1.5, .Opacity = 0}, TEasing::Back),
    .DefaultLength = 35,
});

} // namespace
