// The colours of a gradient fill as a table of 256 texels, one per ratio, and where a
// point of the gradient square falls on it: what the movie's players draw, including
// the thin bands of several stops written at one ratio and the three spread modes.
#pragma once

#include <array>

#include "swf/reader/ShapeTypes.h"

namespace player {

// How a position between two texel centres is coloured: by the nearer texel, or by a
// blend of both.
enum class TRampSampling { Nearest, Linear };

using TTexels = std::array<std::array<float, 4>, 256>;

// The colour at t (0..1 across the ratios, spread already applied) from the two texels
// whose centres are nearest; beyond the outer centres the edge texel holds.
std::array<float, 4> SampleTexels(const TTexels& texels, double t, TRampSampling sampling);

struct TGradientRamp {
  // Straight (not premultiplied) RGBA in 0..1; in linear light when LinearRgb.
  TTexels Texels{};
  bool LinearRgb = false;

  // A gradient needs at least one stop.
  static TGradientRamp From(const swf::TGradient& gradient);

  // The colour at t (0..1 across the ratios, spread already applied), sampled from the
  // two nearest texel centres; back in sRGB, straight RGBA 0..1.
  std::array<float, 4> At(double t, TRampSampling sampling = TRampSampling::Linear) const;
};

// Position along the ramp (before spreading) of a point of the gradient square
// (−16384..16384 twips on each axis) for a linear, radial or focal fill.
double GradientPosition(swf::TFillType type, double focalPoint, double x, double y);

// Pad, reflect or repeat (0, 1, 2) a position into 0..1.
double SpreadPosition(double t, uint8_t spread);

}  // namespace player
