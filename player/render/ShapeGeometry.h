// Builds paintable paths from shape records: every edge goes to the fill on its right
// (fill1) as drawn and to the fill on its left (fill0) reversed; each fill's edges are then
// joined into closed contours. Strokes follow the pen. Coordinates stay in twips.
#pragma once

#include <QPainterPath>
#include <QRectF>

#include <vector>

#include "swf/reader/ShapeTypes.h"

namespace player {

// The paths of one style layer (a NewStyles record starts the next layer). Fills are
// painted first in style order, then strokes in style order.
struct TShapeLayer {
  std::vector<swf::TFillStyle> Fills;
  std::vector<swf::TLineStyle> Lines;
  struct TStyledPath {
    size_t Style = 0;  // 0-based index into Fills or Lines
    QPainterPath Path;
  };
  std::vector<TStyledPath> FillPaths;
  std::vector<TStyledPath> StrokePaths;
};

struct TShapeGeometry {
  std::vector<TShapeLayer> Layers;
  QRectF Bounds;  // of all fills and strokes, twips

  // All filled areas in one path (masks use the outline only).
  QPainterPath Outline() const;
};

// windingRule: DefineShape4's non-zero flag; otherwise contours fill even-odd.
TShapeGeometry BuildShapeGeometry(const swf::TShapeStyles& styles,
                                  const std::vector<swf::TShapeRecord>& records,
                                  bool windingRule = false);

// A font glyph: every contour whatever its fill index, in EM units.
QPainterPath BuildGlyphPath(const std::vector<swf::TShapeRecord>& records);

}  // namespace player
