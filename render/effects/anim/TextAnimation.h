// Plays animated effects on a text: an entrance from its first frame, an exit that ends on
// its last frame, and an emphasis looping over the whole time, composed per unit.
#pragma once

#include "render/TextUnitLayout.h"
#include "render/effects/anim/AnimatedEffect.h"

class TFlashText;

struct TTextAnimation {
  const TAnimatedEffect* Entrance = nullptr;
  const TAnimatedEffect* Emphasis = nullptr;
  const TAnimatedEffect* Exit = nullptr;
};

// Makes one shape per unit of the finest unit kind the effects ask for and places it on
// every frame from StartTime to EndTime, then Finish. The entrance and the exit share the
// text's time: when both do not fit, both are played faster.
void PlayTextAnimation(TFlashText& text, const TTextAnimation& animation);

// The animation a text's effect gives together with its own entrance and exit effects;
// none (false) when it has neither or its effect is a classic one other than "-- None --".
// A "-- None --" text with lines aligned centre or right, or with an outline or a shadow,
// is played as a still animation.
bool ComposedAnimation(const TFlashText& text, TTextAnimation& animation);
