// "Spin In": the whole text turning a full circle while it grows into place.
#include "render/effects/anim/AnimatedEffect.h"
#include "render/effects/anim/Motions.h"

namespace {

const TAnimatedEffectRegistrar Registrar({
    .Name = "Spin In",
    .Family = EntranceFamily,
    .Unit = TTextUnitKind::Whole,
    .Duration = 24,
    .Motion = Arrive({.ScaleX = 0, .ScaleY = 0, .Angle = -360, .Opacity = 0}, TEasing::EaseOut),
    .DefaultLength = 35,
});

} // namespace
