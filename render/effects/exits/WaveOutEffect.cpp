// "Wave Out": the letters sinking in a wave after a small hop.
#include "render/effects/anim/AnimatedEffect.h"

namespace {

const TAnimatedEffectRegistrar Registrar({
    .Name = "Wave Out",
    .Family = ExitFamily,
    .Unit = TTextUnitKind::Letter,
    .Duration = 18,
    .Stagger = 2,
    .Motion = {{0, {.Y = 1.2, .ScaleY = 0.3, .Opacity = 0}, TEasing::EaseOut}, {0.6, {.Y = -0.3}, TEasing::EaseInOut}, {1, {}}},
    .Reverse = true,
    .DefaultLength = 35,
});

} // namespace
