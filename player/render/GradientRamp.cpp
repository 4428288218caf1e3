#include "player/render/GradientRamp.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace player {

namespace {

float ToLinear(float c) {
  return c <= 0.04045f ? c / 12.92f : std::pow((c + 0.055f) / 1.055f, 2.4f);
}

float FromLinear(float c) {
  return c <= 0.0031308f ? c * 12.92f : 1.055f * std::pow(c, 1 / 2.4f) - 0.055f;
}

std::array<float, 4> Straight(const swf::TRgba& color, bool linearRgb) {
  std::array<float, 4> out = {color.R / 255.0f, color.G / 255.0f, color.B / 255.0f,
                              color.A / 255.0f};
  if (linearRgb) {
    for (int i = 0; i < 3; ++i) out[i] = ToLinear(out[i]);
  }
  return out;
}

}  // namespace

TGradientRamp TGradientRamp::From(const swf::TGradient& gradient) {
  TGradientRamp ramp;
  ramp.LinearRgb = gradient.Interpolation == 1;
  const std::vector<swf::TGradientStop>& stops = gradient.Stops;
  if (stops.empty()) return ramp;
  // Each stop takes the texel of its ratio, or the one after the stop before it when the
  // ratios go backwards. Stops sharing a ratio show as bands one texel wide, and the colour
  // before them holds one texel past the ratio unless it is the first stop: a hard stop
  // turns one texel later than a soft one. The colours between two stops still follow
  // their written ratios.
  std::vector<int> texel(stops.size());
  std::vector<std::array<float, 4>> colors(stops.size());
  for (size_t i = 0; i < stops.size(); ++i) {
    if (i == 0) {
      texel[i] = stops[0].Ratio;
    } else if (stops[i].Ratio == stops[i - 1].Ratio) {
      const bool firstOfTie = i >= 2 && stops[i - 2].Ratio != stops[i].Ratio;
      texel[i] = texel[i - 1] + (firstOfTie ? 2 : 1);
    } else {
      texel[i] = std::max<int>(stops[i].Ratio, texel[i - 1] + 1);
    }
    colors[i] = Straight(stops[i].Color, ramp.LinearRgb);
  }
  size_t stop = 0;
  for (int i = 0; i < 256; ++i) {
    while (stop + 1 < stops.size() && texel[stop + 1] <= i) ++stop;
    const std::array<float, 4>& from = colors[stop];
    if (i < texel[0] || stop + 1 == stops.size()) {
      ramp.Texels[i] = from;  // before the first stop or after the last
      continue;
    }
    const std::array<float, 4>& to = colors[stop + 1];
    const int span = stops[stop + 1].Ratio - stops[stop].Ratio;
    const float f = span > 0 ? std::clamp((i - stops[stop].Ratio) / float(span), 0.0f, 1.0f) : 0.0f;
    for (int c = 0; c < 4; ++c) ramp.Texels[i][c] = from[c] + (to[c] - from[c]) * f;
  }
  return ramp;
}

std::array<float, 4> SampleTexels(const TTexels& texels, double t, TRampSampling sampling) {
  // Texel i is centred at (i + 0.5) / 256.
  const double p = std::clamp(t * 256 - 0.5, 0.0, 255.0);
  const int i = static_cast<int>(p);
  const int j = std::min(i + 1, 255);
  const double fraction = p - i;
  const float f = sampling == TRampSampling::Linear ? static_cast<float>(fraction) : fraction < 0.5 ? 0.0f : 1.0f;
  std::array<float, 4> out;
  for (int c = 0; c < 4; ++c) out[c] = texels[i][c] + (texels[j][c] - texels[i][c]) * f;
  return out;
}

std::array<float, 4> TGradientRamp::At(double t, TRampSampling sampling) const {
  std::array<float, 4> out = SampleTexels(Texels, t, sampling);
  if (LinearRgb) {
    for (int c = 0; c < 3; ++c) out[c] = FromLinear(std::clamp(out[c], 0.0f, 1.0f));
  }
  return out;
}

double GradientPosition(swf::TFillType type, double focalPoint, double x, double y) {
  if (type == swf::TFillType::LinearGradient) return (x + 16384) / 32768;
  const double u = x / 16384, v = y / 16384;
  if (type != swf::TFillType::FocalGradient || focalPoint == 0) return std::hypot(u, v);
  // The circle of radius 1 seen from the focal point (f, 0): how far along the ray from
  // the focus through (u, v) the point lies, the circle being 1.
  const double f = std::clamp(focalPoint, -0.98, 0.98);
  double dx = f - u, dy = -v;
  const double length = std::hypot(dx, dy);
  if (length == 0) return 0;
  dx /= length;
  dy /= length;
  return length / (std::sqrt(1 - f * f * dy * dy) + f * dx);
}

double SpreadPosition(double t, uint8_t spread) {
  if (!std::isfinite(t)) return 0;
  switch (spread) {
    case 1: {  // reflect
      t = std::abs(t);
      const double whole = std::floor(t);
      const double part = t - whole;
      return std::fmod(whole, 2.0) == 0 ? part : 1 - part;
    }
    case 2:  // repeat
      return t - std::floor(t);
    default:
      return std::clamp(t, 0.0, 1.0);
  }
}

}  // namespace player
