// "Spin Out": the whole text turning a full circle while it shrinks away.
#include "render/effects/anim/AnimatedEffect.h"
#include "render/effects/anim/Motions.h"

namespace {

const TAnimatedEffectRegistrar Registrar({
    .Name = "Spin Out",
    .Family = ExitFamily,
    .Unit = TTextUnitKind::Whole,
    .Duration = 24,
    .Motion = Arrive({.ScaleX = 0, .ScaleY = 0, .Angle = 360, .Opacity = 0}, TEasing::EaseOut),
    .Reverse = true,
    .DefaultLength = 35,
});

} // namespace
