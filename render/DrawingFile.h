// The work file of a drawing that goes into the movie as shapes (an SVG picture): the
// decoder's outlines and fills in the form MakePicture reads.
#pragma once

#include <cstdint>
#include <vector>

#include "media/VectorPicture.h"

// The work file's bytes (the decoder keeps a drawing within what a movie shape holds).
std::vector<std::uint8_t> DrawingFileBytes(const media::TVectorPicture& drawing);
