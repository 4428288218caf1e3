// Movies of the player's newer features (hard-edged gradients, blend modes, filters, text
// fields, buttons), each compared at one frame with a reference picture of another
// player's drawing of the same movie (tests/player/reference/peer, made by
// reference/make-peer-references.sh from the movies GREETIX_SAVE_MOVIES=DIR writes).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "TestMovie.h"

namespace playertest {

struct TReferenceCase {
  std::string Name;
  std::function<TTestMovie()> Make;
  int Frame = 0;
  int Tolerance = 8;    // per channel
  int MaxOutliers = 0;  // channel values beyond the tolerance
  bool Antialiased = true;
};

// The grid of filtered squares the filter movies use: four 80 × 80 px cells a row, a
// 40 × 40 px orange-over-navy square in each, 20 px from the cell's corner.
TTestMovie FilterGrid(const std::vector<std::vector<std::vector<uint8_t>>>& cells);

// A button (up red, over green, down blue, a yellow dot before it in every state) at
// (20, 30) px, 60 × 40 px, whose release goes to frame 1, where a black square appears at
// (140, 30) px. Frame 0 stops.
TTestMovie ButtonMovie();

// A button at (20, 30) px, 60 × 40 px, whose up and over states are sprites of three
// frames (up: red, green, blue; over: yellow, cyan, magenta), down black, with a button
// within it at (45, 45) px, 10 × 10 px, grey in its up state and white in the others.
TTestMovie ButtonSpriteMovie();

// A DefineEditText body after its id: always with text, colour and layout.
struct TEditTextSpec {
  TRect Bounds;
  uint16_t FontId = 0;  // 0: no font (a device font then)
  uint16_t Height = 240;
  uint8_t Flags1 = 0;   // word wrap 0x40, multiline 0x20, password 0x10
  uint8_t Flags2 = 0;   // border 0x08, HTML 0x02, use outlines 0x01
  TRgba Color{0, 0, 0, 255};
  uint8_t Align = 0;
  uint16_t LeftMargin = 0, RightMargin = 0, Indent = 0;
  int16_t Leading = 0;
  std::string Variable = "field";
  std::string Text;
};
std::vector<uint8_t> EditTextBody(const TEditTextSpec& spec);

std::vector<TReferenceCase> GradientCases();
std::vector<TReferenceCase> BlendCases();
std::vector<TReferenceCase> FilterCases();
std::vector<TReferenceCase> EditTextCases();
std::vector<TReferenceCase> ButtonCases();
std::vector<TReferenceCase> FidelityCases();

}  // namespace playertest
