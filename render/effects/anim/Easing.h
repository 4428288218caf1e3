// The easings an animated effect moves with: how a motion's progress (0..1) is spent over
// its time (0..1). Back and Elastic overshoot past 1 before they settle.
#pragma once

enum class TEasing { Linear, EaseIn, EaseOut, EaseInOut, Back, Elastic, Bounce, Step };

double Ease(TEasing easing, double t);
