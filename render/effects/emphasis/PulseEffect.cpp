// "Pulse": the whole text swelling and shrinking like a slow heartbeat.
#include "render/effects/anim/AnimatedEffect.h"
#include "render/effects/anim/Motions.h"

namespace {

const TAnimatedEffectRegistrar Registrar({
    .Name = "Pulse",
    .Family = EmphasisFamily,
    .Unit = TTextUnitKind::Whole,
    .Duration = 20,
    .Motion = Swell({.ScaleX = 1.15, .ScaleY = 1.15}),
    .DefaultLength = 47,
});

} // namespace
