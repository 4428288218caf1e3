// "Fade In Letters": the letters fading in one after the other.
#include "render/effects/anim/AnimatedEffect.h"
#include "render/effects/anim/Motions.h"

namespace {

const TAnimatedEffectRegistrar Registrar({
    .Name = "Fade In Letters",
    .Family = EntranceFamily,
    .Unit = TTextUnitKind::Letter,
    .Duration = 8,
    .Stagger = 2,
    .Motion = Arrive({.Opacity = 0}, TEasing::Linear),
    .DefaultLength = 35,
});

} // namespace
