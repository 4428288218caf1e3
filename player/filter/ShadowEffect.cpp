#include "player/filter/ShadowEffect.h"

#include <algorithm>

namespace player {

namespace {

uint32_t Premultiplied(int r, int g, int b, int a) {
  return (uint32_t(a) << 24) | (uint32_t(r * a / 255) << 16) | (uint32_t(g * a / 255) << 8) |
         uint32_t(b * a / 255);
}

// v / 255 rounded down, by a multiply: exact for v below 2^16.
inline uint32_t Div255(uint32_t v) { return (v * 0x8081u) >> 23; }

// a · f / 255 for each channel of a premultiplied pixel.
uint32_t Scaled(uint32_t pixel, uint32_t f) {
  if (f == 255) return pixel;
  if (f == 0) return 0;
  uint32_t out = 0;
  for (int shift = 0; shift < 32; shift += 8)
    out |= Div255(((pixel >> shift) & 0xFF) * f + 127) << shift;
  return out;
}

uint32_t Add(uint32_t a, uint32_t b) {
  uint32_t out = 0;
  for (int shift = 0; shift < 32; shift += 8)
    out |= std::min<uint32_t>(255, ((a >> shift) & 0xFF) + ((b >> shift) & 0xFF)) << shift;
  return out;
}

}  // namespace

TEffectColors SolidEffectColors(const swf::TRgba& color) {
  TEffectColors colors;
  for (int v = 0; v < 256; ++v) colors[v] = Premultiplied(color.R, color.G, color.B, color.A * v / 255);
  return colors;
}

TEffectColors GradientEffectColors(const std::vector<swf::TGradientStop>& stops) {
  TEffectColors colors{};
  if (stops.empty()) return colors;
  for (int v = 0; v < 256; ++v) {
    size_t next = 0;
    while (next < stops.size() && stops[next].Ratio < v) ++next;
    swf::TRgba c;
    if (next == 0) {
      c = stops.front().Color;
    } else if (next == stops.size()) {
      c = stops.back().Color;
    } else {
      const swf::TGradientStop& a = stops[next - 1];
      const swf::TGradientStop& b = stops[next];
      const int span = b.Ratio - a.Ratio;
      const int t = span > 0 ? (v - a.Ratio) * 256 / span : 256;
      auto mix = [t](int x, int y) { return x + (y - x) * t / 256; };
      c = {uint8_t(mix(a.Color.R, b.Color.R)), uint8_t(mix(a.Color.G, b.Color.G)),
           uint8_t(mix(a.Color.B, b.Color.B)), uint8_t(mix(a.Color.A, b.Color.A))};
    }
    colors[v] = Premultiplied(c.R, c.G, c.B, c.A);
  }
  return colors;
}

TPlane BlurredCoverage(const QImage& layer, double blurX, double blurY, int passes,
                       double deviceScale) {
  TPlane coverage = AlphaOf(layer);
  BoxBlur(coverage, BlurRadius(blurX, deviceScale), BlurRadius(blurY, deviceScale), passes);
  return coverage;
}

void CompositeEffect(QImage& layer, const TPlane& effect, const TEffectColors& colors,
                     const swf::TShadowFlags& flags, bool onTopWhenInner) {
  const int width = layer.width(), height = layer.height();
  const bool behindOnly = !flags.Inner && !flags.Knockout && flags.CompositeSource;
  for (int y = 0; y < height; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(layer.scanLine(y));
    const uint8_t* values = &effect.Values[size_t(y) * effect.Width];
    for (int x = 0; x < width; ++x) {
      const uint32_t source = row[x];
      const uint32_t sourceAlpha = source >> 24;
      uint32_t e = colors[values[x]];
      // Nothing of an effect behind an opaque object, or of no effect, shows.
      if (behindOnly && (e == 0 || sourceAlpha == 255)) continue;
      // Inner effects stay inside the object; a knocked-out outer one outside it.
      if (flags.Inner) e = Scaled(e, sourceAlpha);
      else if (flags.Knockout) e = Scaled(e, 255 - sourceAlpha);
      if (flags.Knockout || !flags.CompositeSource) {
        row[x] = e;
      } else if (flags.Inner && onTopWhenInner) {
        row[x] = Add(e, Scaled(source, 255 - (e >> 24)));  // the effect over the object
      } else {
        row[x] = Add(source, Scaled(e, 255 - sourceAlpha));  // the object over the effect
      }
    }
  }
}

}  // namespace player
