// The shared vocabulary of the animated effects: motions from a pose to rest and back.
#pragma once

#include "render/effects/anim/Motion.h"

// From `from` to rest.
inline TMotion Arrive(const TPose& from, TEasing easing)
{
  return {{0, from, easing}, {1, TPose{}}};
}

// From rest to `to`.
inline TMotion Leave(const TPose& to, TEasing easing)
{
  return {{0, TPose{}, easing}, {1, to}};
}

// One period that leaves rest for `peak` and comes back, smoothly.
inline TMotion Swell(const TPose& peak)
{
  return {{0, TPose{}, TEasing::EaseInOut}, {0.5, peak, TEasing::EaseInOut}, {1, TPose{}}};
}

// One period swinging to `one` side, then to `other`, and back to rest.
inline TMotion Sway(const TPose& one, const TPose& other)
{
  return {{0, TPose{}, TEasing::EaseInOut},
          {0.25, one, TEasing::EaseInOut},
          {0.75, other, TEasing::EaseInOut},
          {1, TPose{}}};
}
