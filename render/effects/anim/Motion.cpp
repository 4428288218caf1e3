#include "render/effects/anim/Motion.h"

TPose Mix(const TPose& a, const TPose& b, double w)
{
  const auto mix = [w](double x, double y) { return x + (y - x) * w; };
  TPose p;
  p.X = mix(a.X, b.X);
  p.Y = mix(a.Y, b.Y);
  p.StageX = mix(a.StageX, b.StageX);
  p.StageY = mix(a.StageY, b.StageY);
  p.ScaleX = mix(a.ScaleX, b.ScaleX);
  p.ScaleY = mix(a.ScaleY, b.ScaleY);
  p.Angle = mix(a.Angle, b.Angle);
  p.Opacity = mix(a.Opacity, b.Opacity);
  p.Lighten = mix(a.Lighten, b.Lighten);
  p.Rainbow = mix(a.Rainbow, b.Rainbow);
  p.Hue = mix(a.Hue, b.Hue);
  p.Blur = mix(a.Blur, b.Blur);
  p.Glow = mix(a.Glow, b.Glow);
  p.Scatter = mix(a.Scatter, b.Scatter);
  return p;
}

TPose PoseAt(const TMotion& motion, double progress)
{
  if (motion.empty()) return {};
  if (progress <= motion.front().At) return motion.front().Pose;
  for (std::size_t i = 1; i < motion.size(); ++i) {
    const TKeyframe& from = motion[i - 1];
    const TKeyframe& to = motion[i];
    if (progress > to.At) continue;
    const double length = to.At - from.At;
    const double t = length > 0 ? (progress - from.At) / length : 1.0;
    return Mix(from.Pose, to.Pose, Ease(from.Ease, t));
  }
  return motion.back().Pose;
}
