// Fills a path with a gradient computed for every device pixel it may cover, so the
// colours are the movie's own to the unit (its 256-texel ramp, spread and colour
// transform) rather than an approximation by Qt's gradient brushes.
#pragma once

#include <QPainter>
#include <QPainterPath>

#include "player/render/ColorTransform.h"
#include "player/render/Edges.h"
#include "swf/reader/ShapeTypes.h"

namespace player {

// path is in the painter's current coordinates (shape twips); style is a gradient fill
// with at least one stop. Colours are taken at the centres of the device pixels; edges
// are drawn as edges says.
void FillGradientPath(QPainter& painter, const QPainterPath& path, const swf::TFillStyle& style,
                      const TColorTransform& cx, TEdges edges);

}  // namespace player
