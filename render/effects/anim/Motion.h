// What an animated effect is made of: poses of a text unit at normalised times (keyframes),
// and the pose between them.
#pragma once

#include <vector>

#include "render/effects/anim/Easing.h"

// How a unit stands apart from its place at rest. The default pose is the unit at rest.
struct TPose {
  double X = 0, Y = 0;           // offset in ems (the text's height)
  double StageX = 0, StageY = 0; // offset in stage widths and heights
  double ScaleX = 1, ScaleY = 1; // about the unit's pivot
  double Angle = 0;              // degrees, clockwise
  double Opacity = 1;            // 0..1
  double Lighten = 0;            // 0..1 towards white
  double Rainbow = 0;            // 0..1 towards the colour of Hue
  double Hue = 0;                // degrees on the colour wheel
  double Blur = 0;               // blur radius in ems
  double Glow = 0;               // 0..1 strength of a glow in the text's colour
  double Scatter = 0;            // 0..1 of the unit's own random offset (the effect's spread)
};

// w = 0 gives a, w = 1 gives b; outside 0..1 the poses are extrapolated (overshoot).
TPose Mix(const TPose& a, const TPose& b, double w);

struct TKeyframe {
  double At = 0; // 0..1
  TPose Pose;
  TEasing Ease = TEasing::Linear; // how the motion runs from this keyframe to the next
};

// Keyframes in ascending At.
using TMotion = std::vector<TKeyframe>;

// The pose at progress 0..1; before the first keyframe its pose, after the last the last's.
TPose PoseAt(const TMotion& motion, double progress);
