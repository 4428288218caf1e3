// The gradient ramp: texels per ratio, bands of stops sharing a ratio, sampling between
// texel centres, spread modes and where points of the square fall for each kind of fill.
#include <gtest/gtest.h>

#include <cmath>

#include "player/render/GradientRamp.h"

namespace {

using player::GradientPosition;
using player::SpreadPosition;
using player::TGradientRamp;

swf::TGradient Stops(std::vector<swf::TGradientStop> stops, uint8_t interpolation = 0) {
  swf::TGradient gradient;
  gradient.Stops = std::move(stops);
  gradient.Interpolation = interpolation;
  return gradient;
}

const swf::TRgba Red{255, 0, 0, 255}, Green{0, 255, 0, 255}, Blue{0, 0, 255, 255},
    Black{0, 0, 0, 255}, White{255, 255, 255, 255};

int Red255(const std::array<float, 4>& c) { return static_cast<int>(std::lround(c[0] * 255)); }

TEST(GradientRamp, StopsSharingARatioEachKeepABandOfOneTexel) {
  // Three stops at 100: red, green, blue, then white at 200. Red and green show as one
  // texel each; the ramp from blue to white follows the written ratios.
  const TGradientRamp ramp =
      TGradientRamp::From(Stops({{100, Red}, {100, Green}, {100, Blue}, {200, White}}));
  EXPECT_EQ(ramp.Texels[99], ramp.Texels[100]);  // before the first stop: its colour
  EXPECT_FLOAT_EQ(ramp.Texels[100][0], 1.0f);    // red
  EXPECT_FLOAT_EQ(ramp.Texels[101][1], 1.0f);    // green
  EXPECT_FLOAT_EQ(ramp.Texels[101][0], 0.0f);
  EXPECT_FLOAT_EQ(ramp.Texels[102][0], 2 / 100.0f);  // blue to white, two ratios along
  EXPECT_FLOAT_EQ(ramp.Texels[150][0], 0.5f);
  EXPECT_EQ(ramp.Texels[200], ramp.Texels[255]);  // after the last stop: its colour
}

TEST(GradientRamp, AHardStopAfterARampTurnsOneTexelLater) {
  // Black to red up to 50, then white from 50 and blue at 60 and again from 60: the colour
  // before each hard stop holds through the texel after its ratio, then each stop of the
  // tie keeps its band.
  const TGradientRamp ramp = TGradientRamp::From(
      Stops({{0, Black}, {50, Red}, {50, White}, {60, Blue}, {60, Green}, {60, Red}, {255, Black}}));
  EXPECT_FLOAT_EQ(ramp.Texels[25][0], 0.5f);
  EXPECT_EQ(ramp.Texels[51], ramp.Texels[50]);  // red
  EXPECT_EQ(Red255(ramp.Texels[52]), 204);      // white toward blue, two ratios along
  EXPECT_FLOAT_EQ(ramp.Texels[52][2], 1.0f);
  EXPECT_EQ(ramp.Texels[61], ramp.Texels[60]);  // blue
  EXPECT_FLOAT_EQ(ramp.Texels[62][1], 1.0f);    // green for one texel
  EXPECT_NEAR(ramp.Texels[63][0], 1 - 3 / 195.0f, 1e-6);  // red toward black
}

TEST(GradientRamp, StopsAtTheEndAndOutOfOrderStayDefined) {
  // Bands past the last texel are dropped; a stop written before a lower ratio keeps
  // its colour up to the next band.
  const TGradientRamp end = TGradientRamp::From(Stops({{0, Black}, {255, Red}, {255, Green}, {255, Blue}}));
  EXPECT_FLOAT_EQ(end.Texels[255][0], 1.0f);
  const TGradientRamp backwards = TGradientRamp::From(Stops({{200, Red}, {50, Blue}, {255, Green}}));
  EXPECT_FLOAT_EQ(backwards.Texels[10][0], 1.0f);
  EXPECT_FLOAT_EQ(backwards.Texels[200][0], 1.0f);
  EXPECT_FLOAT_EQ(backwards.Texels[201][2], 1 - 151 / 205.0f);
}

TEST(GradientRamp, SamplesBetweenTexelCentresAndHoldsTheEdges) {
  const TGradientRamp ramp = TGradientRamp::From(Stops({{0, Black}, {255, White}}));
  EXPECT_EQ(Red255(ramp.At(0.0)), 0);
  EXPECT_EQ(Red255(ramp.At(0.5 / 256)), 0);
  EXPECT_EQ(Red255(ramp.At(10.5 / 256)), 10);
  EXPECT_EQ(Red255(ramp.At(11.0 / 256)), 11);  // halfway: 10.5 rounds up
  EXPECT_EQ(Red255(ramp.At(1.0)), 255);
}

TEST(GradientRamp, LinearLightRampsComeBackInSrgb) {
  const TGradientRamp ramp = TGradientRamp::From(Stops({{0, Black}, {255, White}}, 1));
  EXPECT_EQ(Red255(ramp.At(0.0)), 0);
  EXPECT_EQ(Red255(ramp.At(1.0)), 255);
  // Halfway in light is brighter than halfway in sRGB values.
  EXPECT_GT(Red255(ramp.At(0.5)), 180);
}

TEST(GradientRamp, SpreadsPadReflectAndRepeat) {
  EXPECT_DOUBLE_EQ(SpreadPosition(-0.25, 0), 0.0);
  EXPECT_DOUBLE_EQ(SpreadPosition(1.25, 0), 1.0);
  EXPECT_DOUBLE_EQ(SpreadPosition(1.25, 1), 0.75);
  EXPECT_DOUBLE_EQ(SpreadPosition(-0.25, 1), 0.25);
  EXPECT_DOUBLE_EQ(SpreadPosition(2.25, 1), 0.25);
  EXPECT_DOUBLE_EQ(SpreadPosition(1.25, 2), 0.25);
  EXPECT_DOUBLE_EQ(SpreadPosition(-0.25, 2), 0.75);
  EXPECT_DOUBLE_EQ(SpreadPosition(std::nan(""), 2), 0.0);
}

TEST(GradientRamp, PositionsOfLinearRadialAndFocalFills) {
  using swf::TFillType;
  EXPECT_DOUBLE_EQ(GradientPosition(TFillType::LinearGradient, 0, -16384, 500), 0.0);
  EXPECT_DOUBLE_EQ(GradientPosition(TFillType::LinearGradient, 0, 8192, 500), 0.75);
  EXPECT_DOUBLE_EQ(GradientPosition(TFillType::RadialGradient, 0, 0, -16384), 1.0);
  // A focal fill starts at its focus and still ends on the circle, in every direction.
  EXPECT_NEAR(GradientPosition(TFillType::FocalGradient, 0.5, 8192, 0), 0.0, 1e-9);
  EXPECT_NEAR(GradientPosition(TFillType::FocalGradient, 0.5, 16384, 0), 1.0, 1e-9);
  EXPECT_NEAR(GradientPosition(TFillType::FocalGradient, 0.5, -16384, 0), 1.0, 1e-9);
  EXPECT_NEAR(GradientPosition(TFillType::FocalGradient, 0.5, 0, 16384), 1.0, 1e-9);
  EXPECT_NEAR(GradientPosition(TFillType::FocalGradient, 0.5, 0, 0), 8192.0 / 24576, 1e-9);
}

}  // namespace
