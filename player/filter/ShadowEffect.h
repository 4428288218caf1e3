// What drop shadows, glows and bevels share: a blurred, moved copy of the object's
// coverage, scaled by the strength, coloured and put behind, over or instead of the object.
#pragma once

#include <QImage>

#include <array>
#include <cstdint>
#include <vector>

#include "player/filter/FilterImage.h"
#include "swf/reader/FilterTypes.h"

namespace player {

// The colour of the effect at each coverage value 0..255, premultiplied ARGB.
using TEffectColors = std::array<uint32_t, 256>;
TEffectColors SolidEffectColors(const swf::TRgba& color);
TEffectColors GradientEffectColors(const std::vector<swf::TGradientStop>& stops);

// The coverage blurred with the filter's box and passes.
TPlane BlurredCoverage(const QImage& layer, double blurX, double blurY, int passes,
                       double deviceScale);

// Puts the effect (one coverage value per pixel, already moved and strengthened) together
// with the object as the flags say: behind it, inside it, or alone.
void CompositeEffect(QImage& layer, const TPlane& effect, const TEffectColors& colors,
                     const swf::TShadowFlags& flags, bool onTopWhenInner = true);

// value · strength, clamped to 0..255.
inline uint8_t Strengthened(int value, double strength) {
  const double v = value * strength;
  return static_cast<uint8_t>(v <= 0 ? 0 : v >= 255 ? 255 : v + 0.5);
}

}  // namespace player
