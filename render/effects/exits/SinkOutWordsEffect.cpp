// "Sink Out Words": the words sinking away one after the other.
#include "render/effects/anim/AnimatedEffect.h"
#include "render/effects/anim/Motions.h"

namespace {

const TAnimatedEffectRegistrar Registrar({
    .Name = "Sink Out Words",
    .Family = ExitFamily,
    .Unit = TTextUnitKind::Word,
    .Duration = 12,
    .Stagger = 4,
    .Motion = Leave({.Y = 1, .Opacity = 0}, TEasing::EaseIn),
    .DefaultLength = 35,
});

} // namespace
