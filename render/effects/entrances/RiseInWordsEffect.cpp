// "Rise In Words": the words rising from below one after the other.
#include "render/effects/anim/AnimatedEffect.h"
#include "render/effects/anim/Motions.h"

namespace {

const TAnimatedEffectRegistrar Registrar({
    .Name = "Rise In Words",
    .Family = EntranceFamily,
    .Unit = TTextUnitKind::Word,
    .Duration = 12,
    .Stagger = 4,
    .Motion = Arrive({.Y = 1, .Opacity = 0}, TEasing::Back),
    .DefaultLength = 35,
});

} // namespace
