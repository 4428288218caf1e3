// "Slide Out Lines": the lines sliding away to the right one after the other.
#include "render/effects/anim/AnimatedEffect.h"
#include "render/effects/anim/Motions.h"

namespace {

const TAnimatedEffectRegistrar Registrar({
    .Name = "Slide Out Lines",
    .Family = ExitFamily,
    .Unit = TTextUnitKind::Line,
    .Duration = 14,
    .Stagger = 6,
    .Motion = Leave({.X = 4, .Opacity = 0}, TEasing::EaseIn),
    .DefaultLength = 35,
});

} // namespace
