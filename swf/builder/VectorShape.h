// Turns a drawing (TVectorArt) into the body of one DefineShape4: each outline a layer of its
// own, painted in order and filled by the non-zero rule, scaled to a rectangle.
#pragma once

#include <cstdint>
#include <vector>

#include "swf/builder/VectorArt.h"

namespace swf {

// The body after the character id, the drawing stretched over (0,0)-(width,height) twips.
std::vector<uint8_t> VectorShapeBody(const TVectorArt& art, int32_t width, int32_t height);

}  // namespace swf
