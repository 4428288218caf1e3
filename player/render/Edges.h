#pragma once

namespace player {

// How edges are drawn:
// - Hard: a device pixel is in or out by its centre, as movies look at low quality;
// - FourSamples: a pixel gets the share of four sample points that is covered, as
//   GPU-drawing players antialias;
// - Exact: the exact share of the pixel that is covered (the default, the smoothest).
// Hard and FourSamples also build curves and strokes as a GPU tessellator does.
enum class TEdges { Hard, FourSamples, Exact };

}  // namespace player
