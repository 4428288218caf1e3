// Turns the plain SVG that cairo writes (paths, gradients, groups with clips and masks) into
// shapes. Strokes become the outlines of their strokes; group opacity is multiplied into the
// colours where the group's parts do not overlap. Anything shapes cannot show exactly
// (embedded pictures, patterns, masks other than opacity, filters, clips that cut a part)
// gives nothing, and the picture is then shown as pixels.
#pragma once

#include <optional>
#include <string>

#include "media/VectorPicture.h"

namespace media {

// Limits that keep a hostile drawing bounded: beyond them it gives nothing.
constexpr std::size_t MaxDrawingShapes = 20000;
constexpr std::size_t MaxDrawingPoints = 1000000;

std::optional<TVectorPicture> ShapesOfPlainSvg(const std::string& svg, double width, double height);

}  // namespace media
