// Reference movies of what movies made by other tools often hold: radial gradients with
// hard stops, drop shadows at any angle, several filters on one object, objects removed
// and placed again at the same depths, a blended group's alpha.
#include "ReferenceMovies.h"

namespace playertest {

namespace {

const TRgba Red{255, 0, 0, 255}, Blue{0, 0, 255, 255}, Yellow{255, 220, 0, 255};
const TRgba Green{0, 160, 0, 255}, White{255, 255, 255, 255}, Black{0, 0, 0, 255};

// A gradient square of 32768 twips scaled to size pixels, centred at (x, y) pixels.
TFill Rings(uint8_t type, uint8_t spread, double size, double x, double y, double focal,
            std::vector<std::pair<uint8_t, TRgba>> stops) {
  TFill fill;
  fill.Type = type;
  fill.Spread = spread;
  fill.Focal = focal;
  fill.Matrix = Translate(x, y);
  fill.Matrix.A = fill.Matrix.D = static_cast<int32_t>(size * 20 / 32768 * 65536);
  fill.Stops = std::move(stops);
  return fill;
}

TTestMovie RadialHardStops() {
  TTestMovie movie(300, 100);
  movie.Background(White);
  // A target of rings, a focal gradient of hard bands, three stops at one ratio, and a
  // radial gradient squeezed into an ellipse.
  const std::vector<std::pair<uint8_t, TRgba>> target = {
      {0, Red}, {50, Red}, {50, White}, {100, White}, {100, Red}, {150, Red},
      {150, White}, {200, White}, {200, Blue}, {255, Blue}};
  const std::vector<std::pair<uint8_t, TRgba>> bands = {
      {0, Yellow}, {85, Yellow}, {85, Green}, {170, Green}, {170, Blue}, {255, Blue}};
  const std::vector<std::pair<uint8_t, TRgba>> triple = {
      {0, White}, {120, Red}, {120, Green}, {120, Blue}, {255, Yellow}};
  const TFill fills[] = {Rings(0x12, 0, 90, 40, 50, 0, target),
                         Rings(0x13, 0, 90, 115, 50, -0.6, bands),
                         Rings(0x12, 2, 60, 190, 50, 0, triple),
                         Rings(0x13, 1, 50, 265, 50, 0.8, target)};
  for (int i = 0; i < 4; ++i) {
    TFill fill = fills[i];
    if (i == 3) fill.Matrix.D /= 2;  // an ellipse
    const uint16_t id = movie.Shape({fill}, {Rectangle((i * 75 + 2) * 20, 5 * 20, 71 * 20, 90 * 20)});
    movie.Place(static_cast<uint16_t>(i + 1), id);
  }
  movie.ShowFrame();
  return movie;
}

TTestMovie ShadowAngles() {
  // Sharp shadows show where the offset lands; soft ones how it mixes with the blur.
  const TRgba shadow{0, 0, 0, 255};
  return FilterGrid({{FilterDropShadow(shadow, 0, 30, 5, 1, 0x20 | 1)},
                     {FilterDropShadow(shadow, 0, 135, 7.5, 1, 0x20 | 1)},
                     {FilterDropShadow(shadow, 0, 200, 3.3, 1, 0x20 | 1)},
                     {FilterDropShadow(shadow, 0, 290, 10, 1, 0x20 | 1)},
                     {FilterDropShadow(shadow, 4, 10, 8.7, 1, 0x20 | 1)},
                     {FilterDropShadow(shadow, 4, 75, 4.4, 1, 0x20 | 2)},
                     {FilterDropShadow(shadow, 3, 250, 6.2, 1, 0x20 | 3)},
                     {FilterDropShadow(shadow, 6, 333, 12, 1, 0x20 | 1)}});
}

TTestMovie StackedFilters() {
  const TRgba shadow{0, 0, 0, 180}, red{255, 0, 0, 255}, white{255, 255, 255, 255};
  return FilterGrid(
      {{FilterBlur(4, 4, 1), FilterDropShadow(shadow, 4, 45, 5, 1, 0x20 | 3)},
       {FilterGlow(red, 6, 2, 0x20 | 1), FilterDropShadow(shadow, 8, 45, 6, 0.5, 0x20 | 2)},
       {FilterDropShadow(shadow, 2, 90, 4, 1, 0x20 | 1), FilterGlow(red, 8, 1, 0x20 | 3),
        FilterBlur(2, 2, 2)},
       {FilterGlow(white, 4, 2, 0xA0 | 1), FilterGlow(red, 10, 0.7, 0x20 | 3)},
       {FilterBevel(white, Black, 4, 45, 4, 1.5, 0xA0 | 2), FilterDropShadow(shadow, 6, 45, 6, 1, 0x20 | 1)},
       {FilterBlur(8, 1, 3), FilterBlur(1, 8, 1)},
       {FilterDropShadow(shadow, 5, 30, 6, 2, 0x20 | 1), FilterDropShadow({0, 0, 255, 255}, 5, 210, 6, 0.6, 0x20 | 2)},
       {FilterGlow(red, 4, 2, 0x20 | 2), FilterGlow({0, 0, 255, 255}, 12, 1, 0x20 | 3)}});
}

// Over ten frames the same depths get other characters: removed and placed again, placed
// over without a removal, a sprite that starts again from its first frame, and objects
// whose transform, filters and blend mode must not pass to what replaces them.
TTestMovie PlacedAgain() {
  TTestMovie movie(240, 100);
  movie.Background({235, 235, 235, 255});
  const uint16_t red = movie.RectShape(0, 0, 30 * 20, 30 * 20, Solid(Red));
  const uint16_t blue = movie.RectShape(0, 0, 30 * 20, 30 * 20, Solid(Blue));
  const uint16_t green = movie.RectShape(0, 0, 20 * 20, 40 * 20, Solid(Green));
  // A sprite counting its frames by a bar that grows from the left.
  TTimelineWriter counter;
  for (int i = 0; i < 8; ++i) {
    const uint16_t bar = movie.RectShape(0, 0, (i + 1) * 5 * 20, 10 * 20, Solid(Black));
    if (i > 0) counter.Remove(1);
    counter.Place(1, bar);
    counter.ShowFrame();
  }
  const uint16_t sprite = movie.Sprite(counter);
  const TRgba shadow{0, 0, 0, 255};
  for (int frame = 0; frame < 10; ++frame) {
    const bool even = frame % 2 == 0;
    if (frame > 0) {
      movie.Remove(1);
      movie.Remove(3);
      if (frame % 3 == 0) movie.Remove(4);
    }
    // Depth 1: red and blue in turn, one with a colour transform and a shadow.
    if (even) {
      movie.Place(1, red, Translate(10 + frame * 2, 10));
    } else {
      movie.Place3(1, blue, Translate(10, 10 + frame), {FilterDropShadow(shadow, 0, 45, 4, 1, 0x20 | 1)},
                   0, false, AlphaMult(0.5));
    }
    // Depth 2: placed once, then a new character placed over it without a removal.
    if (frame == 0) movie.Place(2, green, Translate(60, 10));
    if (frame == 4) {
      TTimelineWriter& w = movie;
      // PlaceObject2 with a character and the move flag: the character is replaced.
      swf::TSwfBitWriter tag;
      tag.U8(0x03);  // move, has character
      tag.U16(2);
      tag.U16(red);
      w.Tag(swf::TTagCode::PlaceObject2, tag.Take());
    }
    // Depth 3: the green bar with a multiply blend, then plain, in turn.
    if (even) {
      movie.Place3(3, green, Translate(110, 10 + frame * 3), {}, 3);
    } else {
      movie.Place(3, blue, Translate(110, 40));
    }
    // Depth 4: the counting sprite, placed again every third frame.
    if (frame % 3 == 0) movie.Place(4, sprite, Translate(150, 20 + frame * 5));
    movie.ShowFrame();
  }
  return movie;
}

// Groups of two squares side by side placed at half alpha with blend modes over stripes:
// none, layer, multiply, screen, add, difference, overlay, hard light; below, the same
// modes on one shape at half alpha. The squares do not overlap: the peer fades each part
// of a blended group by itself, not the group as a whole (BlendTest.cpp checks that).
TTestMovie BlendedGroupAlpha() {
  TTestMovie movie(320, 160);
  movie.Background(White);
  const TRgba stripes[] = {{250, 240, 200, 255}, {40, 60, 90, 255}, {200, 30, 120, 255}, {128, 128, 128, 255}};
  for (int i = 0; i < 4; ++i) {
    const uint16_t id = movie.RectShape(0, i * 40 * 20, 320 * 20, 40 * 20, Solid(stripes[i]));
    movie.Place(static_cast<uint16_t>(i + 1), id);
  }
  const uint16_t red = movie.RectShape(0, 0, 14 * 20, 24 * 20, Solid({230, 40, 30, 255}));
  const uint16_t blue = movie.RectShape(0, 0, 14 * 20, 24 * 20, Solid({30, 90, 230, 255}));
  TTimelineWriter pair;
  pair.Place(1, red);
  pair.Place(2, blue, Translate(24, 10));
  pair.ShowFrame();
  const uint16_t group = movie.Sprite(pair);
  const uint8_t modes[] = {0, 2, 3, 4, 8, 7, 13, 14};
  for (int i = 0; i < 8; ++i) {
    movie.Place3(static_cast<uint16_t>(10 + i), group, Translate(i * 40 + 3, 10), {}, modes[i], false,
                 AlphaMult(0.5));
    movie.Place3(static_cast<uint16_t>(30 + i), blue, Translate(i * 40 + 8, 100), {}, modes[i], false,
                 AlphaMult(0.5));
  }
  movie.ShowFrame();
  return movie;
}

// Shadows of squares turned and scaled: the shadow's angle and distance stay the stage's.
TTestMovie ShadowsTurned() {
  TTestMovie movie(320, 100);
  movie.Background({235, 235, 235, 255});
  const uint16_t square = movie.RectShape(-400, -400, 800, 800, Solid({255, 140, 20, 255}));
  const TRgba shadow{0, 0, 0, 255};
  const struct { double sx, sy, degrees, blur, angle, distance; } cells[] = {
      {1, 1, 30, 0, 45, 6}, {1.5, 0.8, -20, 2, 120, 5}, {0.7, 0.7, 60, 0, 300, 7.5}, {1.2, 1.2, 10, 4, 200, 9}};
  for (int i = 0; i < 4; ++i) {
    movie.Place3(static_cast<uint16_t>(i + 1), square,
                 ScaleRotate(cells[i].sx, cells[i].sy, cells[i].degrees, i * 80 + 40, 50),
                 {FilterDropShadow(shadow, cells[i].blur, cells[i].angle, cells[i].distance, 1, 0x20 | 1)});
  }
  movie.ShowFrame();
  return movie;
}

}  // namespace

// Their pictures: make-peer-references.sh BUILD placed-again:5 placed-again-later:9
// placed-again-looped:13 shadow-angles-scaled:0:1.5
std::vector<TReferenceCase> FidelityCases() {
  // The peer's blur loses about 2/255 of an opaque area per pass, which an inner glow of
  // high strength and quality shows over the whole object: that is left out. The peer
  // antialiases the edges of turned shapes otherwise, by up to a hundred units; the shadows
  // sit where its shadows sit (their centres within a tenth of a pixel).
  return {{"radial-hard-stops", RadialHardStops, 0, 8, 20},
          {"shadow-angles", ShadowAngles, 0, 8, 20},
          {"shadow-angles-scaled", ShadowAngles, 0, 12, 20},
          {"shadows-turned", ShadowsTurned, 0, 16, 2000},
          {"filters-stacked", StackedFilters, 0, 12, 50},
          {"placed-again", PlacedAgain, 5, 8, 20},
          {"placed-again-later", PlacedAgain, 9, 8, 20},
          {"placed-again-looped", PlacedAgain, 13, 8, 20},
          {"blend-group-alpha", BlendedGroupAlpha, 0, 8, 20}};
}

}  // namespace playertest
