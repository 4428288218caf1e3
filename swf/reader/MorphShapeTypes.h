// Parsed morph shapes (DefineMorphShape, DefineMorphShape2): a start and an end state with
// the same records; a placement's Ratio (0..65535) says how far between them it is drawn.
#pragma once

#include <cstdint>
#include <vector>

#include "swf/reader/ShapeTypes.h"

namespace swf {

// Start and End share type, bitmap id, spread and stop count; the rest is interpolated.
struct TMorphFillStyle {
  TFillStyle Start, End;
  bool operator==(const TMorphFillStyle&) const = default;
};

struct TMorphLineStyle {
  TLineStyle Start, End;
  bool operator==(const TMorphLineStyle&) const = default;
};

struct TMorphShape {
  uint16_t Id = 0;
  uint8_t Version = 1;  // 1 or 2
  TRect StartBounds, EndBounds;
  TRect StartEdgeBounds, EndEdgeBounds;  // version 2 (else equal to the bounds)
  bool UsesNonScalingStrokes = false, UsesScalingStrokes = false;
  std::vector<TMorphFillStyle> Fills;
  std::vector<TMorphLineStyle> Lines;
  // Style changes and edges of the start state; the end state has the same sequence of
  // edges with its own coordinates (style changes there carry only MoveTo).
  std::vector<TShapeRecord> StartRecords;
  std::vector<TShapeRecord> EndRecords;
  bool operator==(const TMorphShape&) const = default;
};

}  // namespace swf
