// "Shine Sweep": a gleam sweeping across the letters from left to right.
#include "render/effects/anim/AnimatedEffect.h"

namespace {

const TAnimatedEffectRegistrar Registrar({
    .Name = "Shine Sweep",
    .Family = EmphasisFamily,
    .Unit = TTextUnitKind::Letter,
    .Duration = 30,
    .Stagger = 1,
    .Motion = {{0, {}, TEasing::EaseInOut}, {0.1, {.Lighten = 0.8}, TEasing::EaseInOut}, {0.2, {}}, {1, {}}},
    .DefaultLength = 47,
});

} // namespace
