// Reference movies: the filters, their quality and their flags.
#include "ReferenceMovies.h"

namespace playertest {

namespace {

const TRgba Black{0, 0, 0, 255}, White{255, 255, 255, 255}, Orange{255, 140, 20, 255};
const TRgba Navy{20, 40, 140, 255};

}  // namespace

// Cells of 80 × 80 px, four a row; each holds a 40 × 40 px square with its filters.
TTestMovie FilterGrid(const std::vector<std::vector<std::vector<uint8_t>>>& cells) {
  const int rows = static_cast<int>((cells.size() + 3) / 4);
  TTestMovie movie(320, rows * 80);
  movie.Background({235, 235, 235, 255});
  // Two colours, so filters that mix colours show it.
  const uint16_t square = movie.Shape({Solid(Orange), Solid(Navy)},
                                      {Rectangle(0, 0, 800, 400), [] {
                                         TOutline o = Rectangle(0, 400, 800, 400);
                                         o.Fill1 = 2;
                                         return o;
                                       }()});
  for (size_t i = 0; i < cells.size(); ++i) {
    const double x = (i % 4) * 80 + 20, y = (i / 4) * 80 + 20;
    movie.Place3(static_cast<uint16_t>(i + 1), square, Translate(x, y), cells[i]);
  }
  movie.ShowFrame();
  return movie;
}

namespace {

TTestMovie Blurs() {
  return FilterGrid({{FilterBlur(4, 4, 1)}, {FilterBlur(10, 2, 1)}, {FilterBlur(8, 8, 3)}, {FilterBlur(16, 16, 2)}});
}

TTestMovie Shadows() {
  const TRgba shadow{0, 0, 0, 200};
  return FilterGrid({{FilterDropShadow(shadow, 6, 45, 6, 1, 0x20 | 1)},
               {FilterDropShadow(shadow, 6, 45, 6, 1, 0x20 | 3)},
               {FilterDropShadow(shadow, 6, 45, 6, 1, 0xA0 | 1)},     // inner
               {FilterDropShadow(shadow, 6, 45, 6, 1, 0x60 | 1)},     // knockout
               {FilterDropShadow(shadow, 6, 45, 6, 1, 0x00 | 1)},     // hide object
               {FilterGlow({255, 0, 0, 255}, 10, 2, 0x20 | 1)},
               {FilterGlow({255, 0, 0, 255}, 10, 2, 0xA0 | 1)},        // inner glow
               {FilterGlow({255, 0, 0, 255}, 10, 2, 0x60 | 1)}});      // knocked out
}

TTestMovie Bevels() {
  return FilterGrid({{FilterBevel(White, Black, 4, 45, 4, 1, 0xA0 | 1)},         // inner
               {FilterBevel(White, Black, 4, 45, 4, 1, 0x20 | 1)},         // outer
               {FilterBevel(White, Black, 4, 45, 4, 1, 0x30 | 1)},         // full
               {FilterBevel(White, Black, 4, 45, 4, 1, 0xE0 | 1)}});       // inner knockout
}

TTestMovie ColourFilters() {
  // Grey by luminance; red and blue swapped with alpha halved.
  const std::vector<float> grey = {0.3f, 0.59f, 0.11f, 0, 0, 0.3f, 0.59f, 0.11f, 0, 0,
                                   0.3f, 0.59f, 0.11f, 0, 0, 0, 0, 0, 1, 0};
  const std::vector<float> swap = {0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0.5f, 0};
  return FilterGrid({{FilterColorMatrix(grey)}, {FilterColorMatrix(swap)}});
}

}  // namespace

std::vector<TReferenceCase> FilterCases() {
  // Gradient glows and bevels and convolutions are not drawn by the peer: FilterTest.cpp.
  return {{"filter-blur", Blurs, 0, 12, 800},
          {"filter-shadow-glow", Shadows, 0, 12, 2500},
          {"filter-bevel", Bevels, 0, 12, 2500},
          {"filter-colour", ColourFilters, 0, 8, 400}};
}

}  // namespace playertest
