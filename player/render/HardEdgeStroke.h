// The area a stroke covers when drawn without antialiasing, built the way a GPU player's
// stroke tessellator builds it, so that hard-edged pixels fall where that player's do:
// - curves are flattened with the fills' flattening, and the points inside a curve get
//   mitred corners (the offset lines meet), not the stroke's join;
// - joins at the path's own corners: round ones are arcs split into 2^k equal steps, mitres
//   past twice their limit are clipped there, bevels are triangles;
// - caps: round ones are two quarter arcs split alike, square ones reach half the width.
// The result is a set of polygons whose union (nonzero winding) is the stroke.
#pragma once

#include <QPainterPath>

#include "player/render/HardEdgeFill.h"

namespace player {

struct TStrokeStyle {
  double Width = 20;  // in the path's units
  Qt::PenJoinStyle Join = Qt::RoundJoin;
  double MiterLimit = 3;  // only for Qt::MiterJoin
  Qt::PenCapStyle StartCap = Qt::RoundCap, EndCap = Qt::RoundCap;
};

QPainterPath HardEdgeStrokeOutline(const QPainterPath& centre, const TStrokeStyle& style,
                                   double tolerance = DefaultFlatness);

}  // namespace player
