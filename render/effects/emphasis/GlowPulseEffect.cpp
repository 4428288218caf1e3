// "Glow Pulse": a glow in the text's colour swelling and fading around it.
#include "render/effects/anim/AnimatedEffect.h"
#include "render/effects/anim/Motions.h"

namespace {

const TAnimatedEffectRegistrar Registrar({
    .Name = "Glow Pulse",
    .Family = EmphasisFamily,
    .Unit = TTextUnitKind::Whole,
    .Duration = 24,
    .Motion = Swell({.Lighten = 0.2, .Glow = 1}),
    .DefaultLength = 47,
});

} // namespace
