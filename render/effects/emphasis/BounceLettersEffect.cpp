// "Bounce Letters": the letters hopping one after the other.
#include "render/effects/anim/AnimatedEffect.h"

namespace {

const TAnimatedEffectRegistrar Registrar({
    .Name = "Bounce Letters",
    .Family = EmphasisFamily,
    .Unit = TTextUnitKind::Letter,
    .Duration = 24,
    .Stagger = 2,
    .Motion = {{0, {}, TEasing::EaseOut}, {0.15, {.Y = -0.35}, TEasing::EaseIn}, {0.3, {}}, {1, {}}},
    .DefaultLength = 47,
});

} // namespace
