// A drawing made of filled outlines painted one over the other, as an SVG picture reaches
// the builder, and the work file that carries it to MakePicture. Coordinates are the
// drawing's own pixels, y pointing down; each outline is filled by the non-zero rule.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "swf/format/SwfTypes.h"

namespace swf {

enum class TVectorVerb : uint8_t { Move, Line, Quad, Cubic, Close };

struct TVectorPoint {
  double X = 0, Y = 0;
};

struct TArtStop {
  double Offset = 0;  // 0..1, rising from stop to stop
  TRgba Colour;
};

enum class TArtPaintKind : uint8_t { Solid, Linear, Radial };
enum class TArtSpread : uint8_t { Pad, Reflect, Repeat };

struct TVectorPaint {
  TArtPaintKind Kind = TArtPaintKind::Solid;
  TRgba Colour;                       // a solid paint
  std::vector<TArtStop> Stops;   // a gradient: 1 to MaxGradientStops
  // Maps the gradient's own space into the drawing (m11 m12 m21 m22 dx dy, x' = m11 x +
  // m21 y + dx): a linear gradient runs from x = -1 to x = 1, a radial one is the unit circle.
  double Matrix[6] = {1, 0, 0, 1, 0, 0};
  TArtSpread Spread = TArtSpread::Pad;
  double Focal = 0;  // a radial gradient's focal point on its x axis, -1..1
};

struct TVectorItem {
  std::vector<TVectorVerb> Verbs;
  std::vector<TVectorPoint> Points;  // 1 for Move and Line, 2 for Quad, 3 for Cubic, 0 for Close
  TVectorPaint Paint;
};

struct TVectorArt {
  double Width = 0, Height = 0;  // the size the drawing shows at, in pixels
  std::vector<TVectorItem> Items;
};

// What one movie shape can hold: a drawing beyond these is shown as a picture instead.
constexpr std::size_t MaxGradientStops = 15;
constexpr std::size_t MaxVectorItems = 20000;
constexpr std::size_t MaxVectorPoints = 2000000;

// The work file's bytes, and back. Reading throws TSwfError naming `path` for data that is
// damaged or beyond the limits above.
std::vector<uint8_t> EncodeVectorArt(const TVectorArt& art);
bool IsVectorArtData(const std::vector<uint8_t>& bytes);
TVectorArt DecodeVectorArt(const std::vector<uint8_t>& bytes, const std::string& path);

}  // namespace swf
