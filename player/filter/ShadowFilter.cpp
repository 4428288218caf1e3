// Drop shadow, glow and gradient glow: one blurred coverage, moved for a shadow.
#include <array>
#include <cmath>

#include "player/filter/Filters.h"
#include "player/filter/ShadowEffect.h"

namespace player {

namespace {

void Shadow(QImage& layer, double blurX, double blurY, double angle, double distance,
            double strength, const swf::TShadowFlags& flags, const TEffectColors& colors,
            double deviceScale) {
  TPlane coverage = AlphaOf(layer);
  // An inner shadow is cast by what lies outside the object onto its inside.
  if (flags.Inner)
    for (uint8_t& v : coverage.Values) v = 255 - v;
  BoxBlur(coverage, BlurRadius(blurX, deviceScale), BlurRadius(blurY, deviceScale), flags.Passes);
  const QPointF offset(std::cos(angle) * distance * deviceScale,
                       std::sin(angle) * distance * deviceScale);
  if (distance != 0) coverage = Shifted(coverage, offset);
  std::array<uint8_t, 256> strengthened;
  for (int v = 0; v < 256; ++v) strengthened[v] = Strengthened(v, strength);
  for (uint8_t& v : coverage.Values) v = strengthened[v];
  CompositeEffect(layer, coverage, colors, flags);
}

}  // namespace

void ApplyDropShadow(QImage& layer, const swf::TDropShadowFilter& f, double deviceScale) {
  Shadow(layer, f.BlurX, f.BlurY, f.Angle, f.Distance, f.Strength, f.Flags,
         SolidEffectColors(f.Color), deviceScale);
}

void ApplyGlow(QImage& layer, const swf::TGlowFilter& f, double deviceScale) {
  Shadow(layer, f.BlurX, f.BlurY, 0, 0, f.Strength, f.Flags, SolidEffectColors(f.Color),
         deviceScale);
}

void ApplyGradientGlow(QImage& layer, const swf::TGradientFilter& f, double deviceScale) {
  Shadow(layer, f.BlurX, f.BlurY, f.Angle, f.Distance, f.Strength, f.Flags,
         GradientEffectColors(f.Stops), deviceScale);
}

}  // namespace player
