// Reference movies: buttons in their up state, with records in depth order and the
// colour transforms of DefineButton2 records.
#include "ReferenceMovies.h"

namespace playertest {

TTestMovie ButtonMovie() {
  TTestMovie movie(200, 100);
  movie.Background({255, 255, 255, 255});
  const uint16_t red = movie.RectShape(0, 0, 60 * 20, 40 * 20, Solid({220, 0, 0, 255}));
  const uint16_t green = movie.RectShape(0, 0, 60 * 20, 40 * 20, Solid({0, 180, 0, 255}));
  const uint16_t blue = movie.RectShape(0, 0, 60 * 20, 40 * 20, Solid({0, 0, 220, 255}));
  const uint16_t dot = movie.RectShape(0, 0, 10 * 20, 10 * 20, Solid({255, 220, 0, 255}));
  // The dot lies in front of the face in every state (depth 2 over depth 1, written first).
  const uint16_t button = movie.Button(
      {{0x0F, dot, 2, Translate(25, 15)},
       {0x01, red, 1, {}},
       {0x02, green, 1, {}},
       {0x04, blue, 1, {}},
       {0x08, red, 1, {}}},
      {{0x0800, ActionGotoFrame(1)}});
  movie.Place(1, button, Translate(20, 30));
  movie.Action(ActionStop());
  movie.ShowFrame();
  // Frame 1: a mark that says the click arrived.
  movie.Place(2, movie.RectShape(0, 0, 40 * 20, 40 * 20, Solid({0, 0, 0, 255})), Translate(140, 30));
  movie.ShowFrame();
  return movie;
}

std::vector<TReferenceCase> ButtonCases() { return {{"button-up", ButtonMovie, 0, 8, 40}}; }

}  // namespace playertest
