#include "player/render/ColorTransform.h"

#include <algorithm>
#include <cmath>

namespace player {

namespace {

int Channel(float value, float mult, float add) {
  return std::clamp(static_cast<int>(std::lround(value * mult + add)), 0, 255);
}

}  // namespace

TColorTransform TColorTransform::From(const swf::TCxForm& cx) {
  TColorTransform t;
  t.RMult = cx.RMult / 256.0f;
  t.GMult = cx.GMult / 256.0f;
  t.BMult = cx.BMult / 256.0f;
  t.AMult = cx.AMult / 256.0f;
  t.RAdd = cx.RAdd;
  t.GAdd = cx.GAdd;
  t.BAdd = cx.BAdd;
  t.AAdd = cx.AAdd;
  return t;
}

TColorTransform TColorTransform::Compose(const TColorTransform& inner) const {
  TColorTransform t;
  t.RMult = RMult * inner.RMult;
  t.GMult = GMult * inner.GMult;
  t.BMult = BMult * inner.BMult;
  t.AMult = AMult * inner.AMult;
  t.RAdd = RAdd + RMult * inner.RAdd;
  t.GAdd = GAdd + GMult * inner.GAdd;
  t.BAdd = BAdd + BMult * inner.BAdd;
  t.AAdd = AAdd + AMult * inner.AAdd;
  return t;
}

QColor TColorTransform::Apply(const swf::TRgba& color) const {
  return QColor(Channel(color.R, RMult, RAdd), Channel(color.G, GMult, GAdd),
                Channel(color.B, BMult, BAdd), Channel(color.A, AMult, AAdd));
}

uint32_t TColorTransform::ApplyPremultiplied(uint32_t argb) const {
  const int a = static_cast<int>(argb >> 24);
  if (a == 0 && AAdd <= 0) return 0;
  // Unpremultiply, transform, premultiply again.
  auto straight = [a](uint32_t c) { return a == 0 ? 0.0f : (c & 0xFF) * 255.0f / a; };
  const int outA = Channel(static_cast<float>(a), AMult, AAdd);
  const int r = Channel(straight(argb >> 16), RMult, RAdd);
  const int g = Channel(straight(argb >> 8), GMult, GAdd);
  const int b = Channel(straight(argb), BMult, BAdd);
  auto pre = [outA](int c) { return static_cast<uint32_t>((c * outA + 127) / 255); };
  return (static_cast<uint32_t>(outA) << 24) | (pre(r) << 16) | (pre(g) << 8) | pre(b);
}

}  // namespace player
