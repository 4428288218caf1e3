// Reference movies: buttons in their up state, with records in depth order and the
// colour transforms of DefineButton2 records; sprites and buttons inside button states.
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

namespace {

// A sprite of three frames, each showing the face in one colour.
uint16_t CyclingSprite(TTestMovie& movie, const std::vector<TRgba>& colors) {
  TTimelineWriter timeline;
  for (size_t i = 0; i < colors.size(); ++i) {
    if (i > 0) timeline.Remove(1);
    timeline.Place(1, movie.RectShape(0, 0, 60 * 20, 40 * 20, Solid(colors[i])));
    timeline.ShowFrame();
  }
  return movie.Sprite(timeline);
}

}  // namespace

TTestMovie ButtonSpriteMovie() {
  TTestMovie movie(200, 100);
  movie.Background({255, 255, 255, 255});
  const uint16_t up = CyclingSprite(movie, {{220, 0, 0, 255}, {0, 180, 0, 255}, {0, 0, 220, 255}});
  const uint16_t over =
      CyclingSprite(movie, {{255, 220, 0, 255}, {0, 200, 200, 255}, {200, 0, 200, 255}});
  const uint16_t down = movie.RectShape(0, 0, 60 * 20, 40 * 20, Solid({0, 0, 0, 255}));
  const uint16_t grey = movie.RectShape(0, 0, 10 * 20, 10 * 20, Solid({90, 90, 90, 255}));
  const uint16_t white = movie.RectShape(0, 0, 10 * 20, 10 * 20, Solid({255, 255, 255, 255}));
  const uint16_t inner = movie.Button({{0x09, grey, 1, {}}, {0x06, white, 1, {}}}, {});
  const uint16_t button = movie.Button({{0x01, up, 1, {}},
                                        {0x02, over, 1, {}},
                                        {0x04, down, 1, {}},
                                        {0x08, down, 1, {}},
                                        {0x0F, inner, 2, Translate(25, 15)}},
                                       {});
  movie.Place(1, button, Translate(20, 30));
  movie.ShowFrame();
  return movie;
}

std::vector<TReferenceCase> ButtonCases() {
  return {{"button-up", ButtonMovie, 0, 8, 40},
          {"button-sprite", ButtonSpriteMovie, 2, 8, 40},
          {"button-sprite-looped", ButtonSpriteMovie, 4, 8, 40}};
}

}  // namespace playertest
