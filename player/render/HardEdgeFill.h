// Filling without antialiasing as a GPU does it: curves flattened into lines the way the
// peer player's tessellator flattens them, and a device pixel covered when its centre is
// inside, a centre on a left or top edge counting as inside and one on a right or bottom
// edge not (the top-left rule), with vertices snapped to 1/256 pixel. Qt's own aliased
// filling rounds to 1/64 pixel and leans the other way at ties.
#pragma once

#include <QBrush>
#include <QPainter>
#include <QPainterPath>

#include "player/render/Edges.h"

namespace player {

// A tenth of a pixel of the shape's own space (twips).
inline constexpr double DefaultFlatness = 2.0;

// Curves of path replaced by lines no further than tolerance from them (in path units).
// Quadratic curves (which Qt keeps as cubics) are split where the peer splits them.
QPainterPath FlattenedPath(const QPainterPath& path, double tolerance);

// Fills path (in the painter's current coordinates, curves flattened to within tolerance
// of the path's units) with brush, by the painter's clip, opacity and composition.
void FillHardEdged(QPainter& painter, const QPainterPath& path, const QBrush& brush,
                   double tolerance = DefaultFlatness);

// The device pixels a painter may paint: its device within its clip.
QRect PaintableArea(const QPainter& painter);

// Fills path (in the painter's current coordinates) with brush, its edges drawn as edges
// says: by Qt's antialiasing, or by one of the two fillers here.
void FillPathWithEdges(QPainter& painter, const QPainterPath& path, const QBrush& brush,
                       TEdges edges);

// Fills path as graphics hardware antialiases with four samples per pixel: each pixel gets
// the share of the samples (at the usual rotated-grid points) that the path covers.
void FillFourSampled(QPainter& painter, const QPainterPath& path, const QBrush& brush,
                     double tolerance = DefaultFlatness);

}  // namespace player
