// "Slide In Lines": the lines sliding in from the left one after the other.
#include "render/effects/anim/AnimatedEffect.h"
#include "render/effects/anim/Motions.h"

namespace {

const TAnimatedEffectRegistrar Registrar({
    .Name = "Slide In Lines",
    .Family = EntranceFamily,
    .Unit = TTextUnitKind::Line,
    .Duration = 14,
    .Stagger = 6,
    .Motion = Arrive({.X = -4, .Opacity = 0}, TEasing::EaseOut),
    .DefaultLength = 35,
});

} // namespace
