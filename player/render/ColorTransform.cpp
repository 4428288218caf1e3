#include "player/render/ColorTransform.h"

#include <algorithm>

namespace player {

namespace {

int Channel(int value, int mult, int add) {
  return std::clamp(((value * mult) >> 8) + add, 0, 255);
}

// Nested terms stay in range: a hostile movie may nest many large multipliers.
int Bound(int64_t value) { return static_cast<int>(std::clamp<int64_t>(value, -(1 << 20), 1 << 20)); }

}  // namespace

TColorTransform TColorTransform::From(const swf::TCxForm& cx) {
  TColorTransform t;
  t.RMult = cx.RMult;
  t.GMult = cx.GMult;
  t.BMult = cx.BMult;
  t.AMult = cx.AMult;
  t.RAdd = cx.RAdd;
  t.GAdd = cx.GAdd;
  t.BAdd = cx.BAdd;
  t.AAdd = cx.AAdd;
  return t;
}

TColorTransform TColorTransform::Compose(const TColorTransform& inner) const {
  TColorTransform t;
  t.RMult = Bound((int64_t{RMult} * inner.RMult) >> 8);
  t.GMult = Bound((int64_t{GMult} * inner.GMult) >> 8);
  t.BMult = Bound((int64_t{BMult} * inner.BMult) >> 8);
  t.AMult = Bound((int64_t{AMult} * inner.AMult) >> 8);
  t.RAdd = Bound(RAdd + ((int64_t{RMult} * inner.RAdd) >> 8));
  t.GAdd = Bound(GAdd + ((int64_t{GMult} * inner.GAdd) >> 8));
  t.BAdd = Bound(BAdd + ((int64_t{BMult} * inner.BAdd) >> 8));
  t.AAdd = Bound(AAdd + ((int64_t{AMult} * inner.AAdd) >> 8));
  return t;
}

QColor TColorTransform::Apply(const swf::TRgba& color) const {
  return QColor(Channel(color.R, RMult, RAdd), Channel(color.G, GMult, GAdd),
                Channel(color.B, BMult, BAdd), Channel(color.A, AMult, AAdd));
}

uint32_t TColorTransform::ApplyPremultiplied(uint32_t argb) const {
  const int a = static_cast<int>(argb >> 24);
  // A picture's transparent pixels stay transparent: an added alpha shows only what the
  // picture holds.
  if (a == 0) return 0;
  // Unpremultiply, transform, premultiply again.
  auto straight = [a](uint32_t c) { return a == 0 ? 0 : static_cast<int>(((c & 0xFF) * 255 + a / 2) / a); };
  const int outA = Channel(a, AMult, AAdd);
  const int r = Channel(straight(argb >> 16), RMult, RAdd);
  const int g = Channel(straight(argb >> 8), GMult, GAdd);
  const int b = Channel(straight(argb), BMult, BAdd);
  auto pre = [outA](int c) { return static_cast<uint32_t>((c * outA + 127) / 255); };
  return (static_cast<uint32_t>(outA) << 24) | (pre(r) << 16) | (pre(g) << 8) | pre(b);
}

}  // namespace player
