// Bevel and gradient bevel: the coverage blurred and compared with itself moved towards
// and away from the light, lit edges one way and shaded edges the other.
#include <algorithm>
#include <cmath>

#include "player/filter/Filters.h"
#include "player/filter/ShadowEffect.h"

namespace player {

namespace {

// Light minus shade per pixel, from −255 (full shade) to 255 (full light), strengthened.
std::vector<int> Relief(const QImage& layer, double blurX, double blurY, double angle,
                        double distance, double strength, int passes, double deviceScale) {
  const TPlane coverage = BlurredCoverage(layer, blurX, blurY, passes, deviceScale);
  const QPointF offset(std::cos(angle) * distance * deviceScale,
                       std::sin(angle) * distance * deviceScale);
  const TPlane towards = Shifted(coverage, -offset);  // coverage at (x + offset)
  const TPlane away = Shifted(coverage, offset);      // coverage at (x − offset)
  std::vector<int> relief(coverage.Values.size());
  for (size_t i = 0; i < relief.size(); ++i) {
    const double v = (int(towards.Values[i]) - int(away.Values[i])) * strength;
    relief[i] = static_cast<int>(std::clamp(v, -255.0, 255.0));
  }
  return relief;
}

// Bevel types: inner keeps the relief inside the object, outer outside, full everywhere.
swf::TShadowFlags BevelFlags(const swf::TShadowFlags& flags) {
  swf::TShadowFlags out = flags;
  if (flags.OnTop) out.Inner = false;
  return out;
}

void Bevel(QImage& layer, const std::vector<int>& relief, const TEffectColors& colors,
           auto pick, const swf::TShadowFlags& flags) {
  TPlane effect(layer.width(), layer.height());
  for (size_t i = 0; i < relief.size(); ++i) effect.Values[i] = pick(relief[i]);
  swf::TShadowFlags f = BevelFlags(flags);
  if (flags.OnTop && !flags.Knockout) {
    // Full: the relief over the object and around it.
    for (int y = 0; y < layer.height(); ++y) {
      auto* row = reinterpret_cast<uint32_t*>(layer.scanLine(y));
      for (int x = 0; x < layer.width(); ++x) {
        const uint32_t e = colors[effect.Values[size_t(y) * effect.Width + x]];
        const uint32_t keep = 255 - (e >> 24);
        uint32_t out = 0;
        for (int s = 0; s < 32; s += 8)
          out |= std::min<uint32_t>(255, ((e >> s) & 0xFF) + (((row[x] >> s) & 0xFF) * keep + 127) / 255) << s;
        row[x] = out;
      }
    }
    return;
  }
  if (flags.OnTop) f.Inner = false, f.Knockout = false, f.CompositeSource = false;
  CompositeEffect(layer, effect, colors, f);
}

}  // namespace

void ApplyBevel(QImage& layer, const swf::TBevelFilter& f, double deviceScale) {
  const std::vector<int> relief =
      Relief(layer, f.BlurX, f.BlurY, f.Angle, f.Distance, f.Strength, f.Flags.Passes, deviceScale);
  // Values 0..127 shade, 128..255 light, each with its strength as alpha.
  TEffectColors colors;
  const TEffectColors shade = SolidEffectColors(f.ShadowColor);
  const TEffectColors light = SolidEffectColors(f.HighlightColor);
  for (int v = 0; v < 128; ++v) colors[v] = shade[std::min(255, (127 - v) * 2 + 1)];
  for (int v = 128; v < 256; ++v) colors[v] = light[std::min(255, (v - 128) * 2 + 1)];
  colors[127] = colors[128] = 0;
  Bevel(layer, relief, colors, [](int r) { return uint8_t(std::clamp(128 + r / 2, 0, 255)); }, f.Flags);
}

void ApplyGradientBevel(QImage& layer, const swf::TGradientFilter& f, double deviceScale) {
  const std::vector<int> relief =
      Relief(layer, f.BlurX, f.BlurY, f.Angle, f.Distance, f.Strength, f.Flags.Passes, deviceScale);
  // The gradient runs from the shade (ratio 0) through its middle to the light (255).
  Bevel(layer, relief, GradientEffectColors(f.Stops),
        [](int r) { return uint8_t(std::clamp(128 + r / 2, 0, 255)); }, f.Flags);
}

}  // namespace player
