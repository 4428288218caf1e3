// Morph shapes between their start and end states: edges, moves and styles interpolated,
// a straight edge meeting a curve bending half way.
#include <gtest/gtest.h>

#include "player/render/MorphGeometry.h"

using namespace player;

namespace {

swf::TMorphShape SquareToBend() {
  swf::TMorphShape morph;
  swf::TMorphFillStyle fill;
  fill.Start.Color = {255, 0, 0, 255};
  fill.End.Color = {0, 0, 255, 55};
  morph.Fills.push_back(fill);
  swf::TMorphLineStyle line;
  line.Start.Width = 20;
  line.End.Width = 120;
  morph.Lines.push_back(line);
  swf::TStyleChange startMove;
  startMove.MoveToX = 0;
  startMove.MoveToY = 0;
  startMove.FillStyle1 = 1;
  startMove.LineStyle = 1;
  swf::TStyleChange endMove;
  endMove.MoveToX = 1000;
  endMove.MoveToY = 2000;
  morph.StartRecords = {startMove, swf::TStraightEdge{1000, 0}, swf::TStraightEdge{0, 1000}};
  morph.EndRecords = {endMove, swf::TCurvedEdge{500, 500, 500, -500}, swf::TStraightEdge{0, 3000}};
  return morph;
}

}  // namespace

TEST(MorphShape, EdgesAndMovesGoFromStartToEnd) {
  const swf::TMorphShape morph = SquareToBend();
  const auto start = InterpolateMorphRecords(morph, 0);
  ASSERT_EQ(start.size(), 3u);
  EXPECT_EQ(std::get<swf::TStyleChange>(start[0]).MoveToX, 0);
  EXPECT_EQ(std::get<swf::TCurvedEdge>(start[1]), (swf::TCurvedEdge{500, 0, 500, 0}));
  EXPECT_EQ(std::get<swf::TStraightEdge>(start[2]), (swf::TStraightEdge{0, 1000}));

  const auto half = InterpolateMorphRecords(morph, 32768);
  EXPECT_EQ(std::get<swf::TStyleChange>(half[0]).MoveToX, 500);
  EXPECT_EQ(std::get<swf::TStyleChange>(half[0]).MoveToY, 1000);
  EXPECT_EQ(std::get<swf::TStyleChange>(half[0]).FillStyle1, 1u);
  EXPECT_EQ(std::get<swf::TCurvedEdge>(half[1]), (swf::TCurvedEdge{500, 250, 500, -250}));
  EXPECT_EQ(std::get<swf::TStraightEdge>(half[2]), (swf::TStraightEdge{0, 2000}));

  const auto end = InterpolateMorphRecords(morph, 65535);
  EXPECT_EQ(std::get<swf::TCurvedEdge>(end[1]), (swf::TCurvedEdge{500, 500, 500, -500}));
  EXPECT_EQ(std::get<swf::TStraightEdge>(end[2]), (swf::TStraightEdge{0, 3000}));
}

TEST(MorphShape, StylesMixColoursAndWidths) {
  const swf::TMorphShape morph = SquareToBend();
  const swf::TShapeStyles half = InterpolateMorphStyles(morph, 32768);
  EXPECT_EQ(half.Fills[0].Color, (swf::TRgba{127, 0, 127, 154}));  // fractions dropped
  EXPECT_EQ(half.Lines[0].Width, 70);
  const TShapeGeometry geometry = BuildMorphGeometry(morph, 65535);
  ASSERT_EQ(geometry.Layers.size(), 1u);
  EXPECT_EQ(geometry.Layers[0].Fills[0].Color, (swf::TRgba{0, 0, 255, 55}));
}
