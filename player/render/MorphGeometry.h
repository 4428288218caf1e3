// A morph shape drawn at one point between its start and end state: styles and edges
// interpolated, then built into paths like any shape.
#pragma once

#include <cstdint>

#include "player/render/ShapeGeometry.h"
#include "swf/reader/MorphShapeTypes.h"

namespace player {

// ratio: 0 = the start state, 65535 = the end state.
swf::TShapeStyles InterpolateMorphStyles(const swf::TMorphShape& morph, uint16_t ratio);
std::vector<swf::TShapeRecord> InterpolateMorphRecords(const swf::TMorphShape& morph,
                                                       uint16_t ratio);
TShapeGeometry BuildMorphGeometry(const swf::TMorphShape& morph, uint16_t ratio);

}  // namespace player
