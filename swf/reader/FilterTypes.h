// Parsed bitmap filters of PlaceObject3 and button records. Blur sizes and distances are
// in pixels (16.16 read as double), angles in radians, strengths 8.8 read as double.
#pragma once

#include <cstdint>
#include <variant>
#include <vector>

#include "swf/format/SwfTypes.h"
#include "swf/reader/ShapeTypes.h"

namespace swf {

// What the shadow-like filters (drop shadow, glow, bevel and their gradient forms) share.
struct TShadowFlags {
  bool Inner = false;     // drawn inside the object's shape instead of outside
  bool Knockout = false;  // the object itself is cut out, only the effect stays
  bool CompositeSource = true;  // false: the object is hidden (drop shadow "hide object")
  bool OnTop = false;     // bevels: drawn over the object
  uint8_t Passes = 1;     // blur passes (the quality)
  bool operator==(const TShadowFlags&) const = default;
};

struct TBlurFilter {
  double BlurX = 4, BlurY = 4;
  uint8_t Passes = 1;
  bool operator==(const TBlurFilter&) const = default;
};

struct TDropShadowFilter {
  TRgba Color;
  double BlurX = 4, BlurY = 4, Angle = 0, Distance = 0, Strength = 1;
  TShadowFlags Flags;
  bool operator==(const TDropShadowFilter&) const = default;
};

struct TGlowFilter {
  TRgba Color;
  double BlurX = 4, BlurY = 4, Strength = 1;
  TShadowFlags Flags;
  bool operator==(const TGlowFilter&) const = default;
};

struct TBevelFilter {
  TRgba ShadowColor, HighlightColor;
  double BlurX = 4, BlurY = 4, Angle = 0, Distance = 0, Strength = 1;
  TShadowFlags Flags;
  bool operator==(const TBevelFilter&) const = default;
};

// Gradient glow (Bevel = false) and gradient bevel (Bevel = true): the effect's strength
// picks its colour from the gradient.
struct TGradientFilter {
  bool Bevel = false;
  std::vector<TGradientStop> Stops;
  double BlurX = 4, BlurY = 4, Angle = 0, Distance = 0, Strength = 1;
  TShadowFlags Flags;
  bool operator==(const TGradientFilter&) const = default;
};

struct TConvolutionFilter {
  uint8_t Columns = 0, Rows = 0;
  float Divisor = 1, Bias = 0;
  std::vector<float> Matrix;  // Rows × Columns, row by row
  TRgba DefaultColor;
  bool Clamp = true, PreserveAlpha = true;
  bool operator==(const TConvolutionFilter&) const = default;
};

// A 4 × 5 matrix over straight (not premultiplied) R, G, B, A in 0..255, row by row; the
// fifth column is added.
struct TColorMatrixFilter {
  float Matrix[20] = {1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 1, 0};
  bool operator==(const TColorMatrixFilter&) const = default;
};

using TFilter = std::variant<TDropShadowFilter, TBlurFilter, TGlowFilter, TBevelFilter,
                             TGradientFilter, TConvolutionFilter, TColorMatrixFilter>;
using TFilterList = std::vector<TFilter>;

}  // namespace swf
