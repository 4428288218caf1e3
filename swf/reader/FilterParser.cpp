// FILTERLIST: the bitmap filters of PlaceObject3 and of button records.
#include <cstring>

#include "swf/reader/ParseLimits.h"
#include "swf/reader/TagParsers.h"

namespace swf {
namespace {

double Fixed16(TSwfBitReader& r) { return r.I32() / 65536.0; }
double Fixed8(TSwfBitReader& r) { return static_cast<int16_t>(r.U16()) / 256.0; }

float Float(TSwfBitReader& r) {
  const uint32_t bits = r.U32();
  float value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

// The flag byte that ends the shadow-like filters; bevels have OnTop and four pass bits.
TShadowFlags ShadowFlags(TSwfBitReader& r, bool hasOnTop) {
  const uint8_t bits = r.U8();
  TShadowFlags flags;
  flags.Inner = bits & 0x80;
  flags.Knockout = bits & 0x40;
  flags.CompositeSource = bits & 0x20;
  if (hasOnTop) flags.OnTop = bits & 0x10;
  flags.Passes = bits & (hasOnTop ? 0x0F : 0x1F);
  return flags;
}

// Blur, angle, distance and strength, in this order in drop shadows, bevels and the
// gradient filters.
template <class F>
void ReadShadowGeometry(TSwfBitReader& r, F& f) {
  f.BlurX = Fixed16(r);
  f.BlurY = Fixed16(r);
  f.Angle = Fixed16(r);
  f.Distance = Fixed16(r);
  f.Strength = Fixed8(r);
}

TGradientFilter GradientFilter(TSwfBitReader& r, bool bevel) {
  TGradientFilter filter;
  filter.Bevel = bevel;
  const uint8_t count = r.U8();
  CheckCount(r, count, 5, "gradient filter colours");
  filter.Stops.resize(count);
  for (TGradientStop& stop : filter.Stops) stop.Color = r.Rgba();
  for (TGradientStop& stop : filter.Stops) stop.Ratio = r.U8();
  ReadShadowGeometry(r, filter);
  filter.Flags = ShadowFlags(r, true);
  return filter;
}

TFilter ParseFilter(TSwfBitReader& r) {
  const uint8_t id = r.U8();
  switch (id) {
    case 0: {
      TDropShadowFilter f;
      f.Color = r.Rgba();
      ReadShadowGeometry(r, f);
      f.Flags = ShadowFlags(r, false);
      return f;
    }
    case 1: {
      TBlurFilter f;
      f.BlurX = Fixed16(r);
      f.BlurY = Fixed16(r);
      f.Passes = r.U8() >> 3;
      return f;
    }
    case 2: {
      TGlowFilter f;
      f.Color = r.Rgba();
      f.BlurX = Fixed16(r);
      f.BlurY = Fixed16(r);
      f.Strength = Fixed8(r);
      f.Flags = ShadowFlags(r, false);
      return f;
    }
    case 3: {
      TBevelFilter f;
      // Movies give the colour of the lit edges first.
      f.HighlightColor = r.Rgba();
      f.ShadowColor = r.Rgba();
      ReadShadowGeometry(r, f);
      f.Flags = ShadowFlags(r, true);
      return f;
    }
    case 4: return GradientFilter(r, false);
    case 7: return GradientFilter(r, true);
    case 5: {
      TConvolutionFilter f;
      f.Columns = r.U8();
      f.Rows = r.U8();
      f.Divisor = Float(r);
      f.Bias = Float(r);
      const size_t cells = size_t(f.Columns) * f.Rows;
      CheckCount(r, cells, 4, "convolution cells");
      f.Matrix.resize(cells);
      for (float& cell : f.Matrix) cell = Float(r);
      f.DefaultColor = r.Rgba();
      const uint8_t bits = r.U8();
      f.Clamp = bits & 0x02;
      f.PreserveAlpha = bits & 0x01;
      return f;
    }
    case 6: {
      TColorMatrixFilter f;
      for (float& cell : f.Matrix) cell = Float(r);
      return f;
    }
    default: r.Fail("Unknown filter " + std::to_string(id));
  }
}

}  // namespace

TFilterList ParseFilterList(TSwfBitReader& r) {
  const uint8_t count = r.U8();
  TFilterList filters;
  filters.reserve(count);
  for (int i = 0; i < count; ++i) filters.push_back(ParseFilter(r));
  return filters;
}

}  // namespace swf
