// "Flicker": the whole text flickering like a failing light.
#include "render/effects/anim/AnimatedEffect.h"

namespace {

const TAnimatedEffectRegistrar Registrar({
    .Name = "Flicker",
    .Family = EmphasisFamily,
    .Unit = TTextUnitKind::Whole,
    .Duration = 16,
    .Motion = {{0, {}}, {0.1, {.Opacity = 0.3}}, {0.2, {}}, {0.3, {.Opacity = 0.6}}, {0.35, {}}, {1, {}}},
    .DefaultLength = 47,
});

} // namespace
