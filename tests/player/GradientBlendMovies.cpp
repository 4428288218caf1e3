// Reference movies: gradients with hard edges, and the blend modes.
#include "ReferenceMovies.h"

namespace playertest {

namespace {

const TRgba Red{255, 0, 0, 255}, Blue{0, 0, 255, 255}, Yellow{255, 220, 0, 255};
const TRgba Green{0, 160, 0, 255}, White{255, 255, 255, 255};

// A gradient square of 32768 twips scaled to size pixels, centred at (x, y) pixels.
TMatrix GradientBox(double size, double x, double y) {
  TMatrix m = Translate(x, y);
  m.A = m.D = static_cast<int32_t>(size * 20 / 32768 * 65536);
  return m;
}

TFill Gradient(uint8_t type, uint8_t spread, double size, double x, double y, double focal = 0) {
  TFill fill;
  fill.Type = type;
  fill.Spread = spread;
  fill.Focal = focal;
  fill.Matrix = GradientBox(size, x, y);
  // Two hard edges: red to yellow at 25 %, yellow to blue at 50 %.
  fill.Stops = {{0, Red}, {64, Red}, {64, Yellow}, {128, Yellow}, {128, Blue}, {255, Green}};
  return fill;
}

TTestMovie HardGradients() {
  TTestMovie movie(240, 160);
  movie.Background(White);
  // Row one: linear pad, reflect, repeat; row two: radial pad, radial repeat, focal reflect.
  const struct { uint8_t type, spread; double size, focal; } cells[] = {
      {0x10, 0, 60, 0}, {0x10, 1, 30, 0}, {0x10, 2, 30, 0},
      {0x12, 0, 140, 0}, {0x12, 2, 60, 0}, {0x13, 1, 60, 0.6}};
  for (int i = 0; i < 6; ++i) {
    const int x = (i % 3) * 80, y = (i / 3) * 80;
    const uint16_t id = movie.Shape({Gradient(cells[i].type, cells[i].spread, cells[i].size,
                                              x + 40, y + 40, cells[i].focal)},
                                    {Rectangle((x + 4) * 20, (y + 4) * 20, 72 * 20, 72 * 20)});
    movie.Place(static_cast<uint16_t>(i + 1), id);
  }
  movie.ShowFrame();
  return movie;
}

// Stripes to blend onto: light and dark, saturated and grey.
void Backdrop(TTestMovie& movie, int width, int height) {
  const TRgba stripes[] = {{250, 240, 200, 255}, {40, 60, 90, 255}, {200, 30, 120, 255}, {128, 128, 128, 255}};
  for (int i = 0; i < 4; ++i) {
    const uint16_t id = movie.RectShape(0, i * height * 5, width * 20, height * 5, Solid(stripes[i]));
    movie.Place(static_cast<uint16_t>(i + 1), id);
  }
}

TTestMovie BlendModes() {
  TTestMovie movie(280, 160);
  movie.Background(White);
  Backdrop(movie, 280, 160);
  // Modes 1..14 in a grid of 7 × 2 squares crossing the stripes; semi-transparent orange.
  const uint16_t square = movie.RectShape(0, 0, 34 * 20, 70 * 20, Solid({255, 140, 20, 200}));
  for (int mode = 1; mode <= 14; ++mode) {
    const int x = ((mode - 1) % 7) * 40 + 3, y = ((mode - 1) / 7) * 80 + 5;
    movie.Place3(static_cast<uint16_t>(10 + mode), square, Translate(x, y), {},
                 static_cast<uint8_t>(mode));
  }
  movie.ShowFrame();
  return movie;
}

// Erase acts on the layer of its parent: a sprite with blend mode layer holding a blue
// square cut by a half-transparent one.
TTestMovie Erase() {
  TTestMovie movie(200, 100);
  movie.Background(White);
  Backdrop(movie, 200, 100);
  const uint16_t blue = movie.RectShape(0, 0, 80 * 20, 80 * 20, Solid(Blue));
  const uint16_t cut = movie.RectShape(0, 0, 40 * 20, 40 * 20, Solid({0, 0, 0, 128}));
  TTimelineWriter group;
  group.Place(1, blue);
  group.Place3(2, cut, Translate(20, 20), {}, 12);
  group.ShowFrame();
  movie.Place3(10, movie.Sprite(group), Translate(60, 10), {}, 2);
  movie.ShowFrame();
  return movie;
}

}  // namespace

std::vector<TReferenceCase> GradientCases() {
  return {{"gradient-hard-edges", HardGradients, 0, 8, 1200}};
}

std::vector<TReferenceCase> BlendCases() {
  // Alpha and the layer's group alpha differ in the peer's drawing: BlendTest.cpp.
  return {{"blend-modes", BlendModes, 0, 8, 600}, {"blend-erase", Erase, 0, 8, 300}};
}

}  // namespace playertest
