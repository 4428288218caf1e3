#include "render/effects/anim/Easing.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

double BounceOut(double t)
{
  // Four falls, each a parabola a quarter as high as the one before.
  constexpr double n = 7.5625, d = 2.75;
  if (t < 1 / d) return n * t * t;
  if (t < 2 / d) return n * (t -= 1.5 / d) * t + 0.75;
  if (t < 2.5 / d) return n * (t -= 2.25 / d) * t + 0.9375;
  return n * (t -= 2.625 / d) * t + 0.984375;
}

} // namespace

double Ease(TEasing easing, double t)
{
  t = std::clamp(t, 0.0, 1.0);
  switch (easing) {
  case TEasing::Linear: return t;
  case TEasing::EaseIn: return t * t * t;
  case TEasing::EaseOut: return 1 - std::pow(1 - t, 3);
  case TEasing::EaseInOut: return t < 0.5 ? 4 * t * t * t : 1 - std::pow(-2 * t + 2, 3) / 2;
  case TEasing::Back: {
    constexpr double c1 = 1.70158, c3 = c1 + 1;
    return 1 + c3 * std::pow(t - 1, 3) + c1 * std::pow(t - 1, 2);
  }
  case TEasing::Elastic:
    if (t == 0 || t == 1) return t;
    return std::pow(2, -10 * t) * std::sin((t * 10 - 0.75) * (2 * std::numbers::pi / 3)) + 1;
  case TEasing::Bounce: return BounceOut(t);
  case TEasing::Step: return t < 1 ? 0 : 1;
  }
  return t;
}
