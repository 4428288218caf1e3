// Filter lists and buttons: every filter's layout and flags, button records, conditional
// actions and the tags that add colour and sound to a defined button.
#include <gtest/gtest.h>

#include <cstring>

#include "swf/format/SwfBitWriter.h"
#include "swf/format/SwfError.h"
#include "swf/reader/MovieParser.h"
#include "swf/reader/TagParsers.h"

namespace swf::test {
namespace {

TSwfBitReader Over(const std::vector<uint8_t>& body, uint16_t code = 70) {
  return TSwfBitReader(body.data(), body.size(), 0, code);
}

void Float(TSwfBitWriter& w, float v) {
  uint32_t bits;
  std::memcpy(&bits, &v, 4);
  w.U32(bits);
}

TEST(FilterParser, EveryFilterWithItsFields) {
  TSwfBitWriter w;
  w.U8(8);
  // Drop shadow: colour, blur 2.5 × 4, angle 0.5, distance 3, strength 1.5, inner +
  // knockout, 3 passes.
  w.U8(0), w.Rgba({1, 2, 3, 4}), w.I32(0x28000), w.I32(0x40000), w.I32(0x8000), w.I32(0x30000);
  w.U16(0x180), w.U8(0xC0 | 3);
  w.U8(1), w.I32(0x10000), w.I32(0x20000), w.U8(2 << 3);  // blur, 2 passes
  w.U8(2), w.Rgba({9, 9, 9, 9}), w.I32(0), w.I32(0), w.U16(0x100), w.U8(0x20 | 1);  // glow
  // Bevel: the lit colour first; on top, 15 passes.
  w.U8(3), w.Rgba({255, 255, 255, 255}), w.Rgba({0, 0, 0, 255});
  w.I32(0), w.I32(0), w.I32(0), w.I32(0), w.U16(0x100), w.U8(0x10 | 15);
  w.U8(4), w.U8(2), w.Rgba({1, 1, 1, 1}), w.Rgba({2, 2, 2, 2}), w.U8(0), w.U8(255);
  w.I32(0), w.I32(0), w.I32(0), w.I32(0), w.U16(0x100), w.U8(1);  // gradient glow
  w.U8(5), w.U8(3), w.U8(1), Float(w, 2), Float(w, 0.5f);       // convolution 3 × 1
  Float(w, 1), Float(w, -2), Float(w, 1), w.Rgba({0, 255, 0, 255}), w.U8(0x02);
  w.U8(6);
  for (int i = 0; i < 20; ++i) Float(w, static_cast<float>(i));  // colour matrix
  w.U8(7), w.U8(1), w.Rgba({3, 3, 3, 3}), w.U8(128);             // gradient bevel
  w.I32(0), w.I32(0), w.I32(0), w.I32(0), w.U16(0x100), w.U8(0x80 | 1);
  const std::vector<uint8_t> body = w.Take();
  TSwfBitReader r = Over(body);
  const TFilterList filters = ParseFilterList(r);
  EXPECT_TRUE(r.AtEnd());
  ASSERT_EQ(filters.size(), 8u);

  const auto& shadow = std::get<TDropShadowFilter>(filters[0]);
  EXPECT_EQ(shadow.Color, (TRgba{1, 2, 3, 4}));
  EXPECT_DOUBLE_EQ(shadow.BlurX, 2.5);
  EXPECT_DOUBLE_EQ(shadow.BlurY, 4);
  EXPECT_DOUBLE_EQ(shadow.Angle, 0.5);
  EXPECT_DOUBLE_EQ(shadow.Distance, 3);
  EXPECT_DOUBLE_EQ(shadow.Strength, 1.5);
  EXPECT_TRUE(shadow.Flags.Inner);
  EXPECT_TRUE(shadow.Flags.Knockout);
  EXPECT_FALSE(shadow.Flags.CompositeSource);
  EXPECT_EQ(shadow.Flags.Passes, 3);
  EXPECT_EQ(std::get<TBlurFilter>(filters[1]).Passes, 2);
  EXPECT_DOUBLE_EQ(std::get<TBlurFilter>(filters[1]).BlurY, 2);
  EXPECT_TRUE(std::get<TGlowFilter>(filters[2]).Flags.CompositeSource);
  const auto& bevel = std::get<TBevelFilter>(filters[3]);
  EXPECT_EQ(bevel.HighlightColor, (TRgba{255, 255, 255, 255}));
  EXPECT_EQ(bevel.ShadowColor, (TRgba{0, 0, 0, 255}));
  EXPECT_TRUE(bevel.Flags.OnTop);
  EXPECT_EQ(bevel.Flags.Passes, 15);
  const auto& glow = std::get<TGradientFilter>(filters[4]);
  EXPECT_FALSE(glow.Bevel);
  ASSERT_EQ(glow.Stops.size(), 2u);
  EXPECT_EQ(glow.Stops[1].Ratio, 255);
  EXPECT_EQ(glow.Stops[1].Color, (TRgba{2, 2, 2, 2}));
  const auto& convolution = std::get<TConvolutionFilter>(filters[5]);
  EXPECT_EQ(convolution.Columns, 3);
  EXPECT_EQ(convolution.Rows, 1);
  EXPECT_EQ(convolution.Matrix, (std::vector<float>{1, -2, 1}));
  EXPECT_FLOAT_EQ(convolution.Bias, 0.5f);
  EXPECT_TRUE(convolution.Clamp);
  EXPECT_FALSE(convolution.PreserveAlpha);
  EXPECT_FLOAT_EQ(std::get<TColorMatrixFilter>(filters[6]).Matrix[19], 19);
  EXPECT_TRUE(std::get<TGradientFilter>(filters[7]).Bevel);
  EXPECT_TRUE(std::get<TGradientFilter>(filters[7]).Flags.Inner);
}

TEST(FilterParser, UnknownFilterAndShortDataFail) {
  for (const std::vector<uint8_t>& body : {std::vector<uint8_t>{1, 9},            // id 9
                                           std::vector<uint8_t>{1, 0, 1, 2, 3},   // cut short
                                           std::vector<uint8_t>{1, 4, 200, 0}}) { // 200 colours
    TSwfBitReader r = Over(body);
    EXPECT_THROW(ParseFilterList(r), TSwfError);
  }
}

// A DefineButton2 body: an up/over record and a hit record, then two conditional actions.
std::vector<uint8_t> Button2Body() {
  TSwfBitWriter records;
  records.U8(0x20 | 0x10 | 0x03);  // blend mode, filters, over + up
  records.U16(5), records.U16(2), records.Matrix({});
  records.CxForm({256, 256, 256, 128, 0, 0, 0, 0}, true);
  records.U8(1), records.U8(1), records.I32(0x10000), records.I32(0x10000), records.U8(1 << 3);
  records.U8(3);  // multiply
  records.U8(0x08), records.U16(6), records.U16(1), records.Matrix({}), records.CxForm({}, true);
  records.U8(0);
  TSwfBitWriter w;
  w.U16(9);
  w.U8(1);  // track as menu
  w.U16(static_cast<uint16_t>(2 + records.Size()));
  w.Bytes(records.Data());
  w.U16(6), w.U8(0x08), w.U8(0x00), w.U8(0x06), w.U8(0x00);   // release: play
  w.U16(0), w.U8(0x01), w.U8(0x41), w.U8(0x07), w.U8(0x00);   // roll over, key 32: stop
  return w.Take();
}

TEST(ButtonParser, Button2RecordsAndConditionalActions) {
  const std::vector<uint8_t> body = Button2Body();
  TSwfBitReader r = Over(body, 34);
  const TButton button = ParseDefineButton(r, 2);
  EXPECT_EQ(button.Id, 9);
  EXPECT_TRUE(button.TrackAsMenu);
  ASSERT_EQ(button.Records.size(), 2u);
  EXPECT_EQ(button.Records[0].States, ButtonUp | ButtonOver);
  EXPECT_EQ(button.Records[0].CharacterId, 5);
  EXPECT_EQ(button.Records[0].CxForm.AMult, 128);
  EXPECT_EQ(button.Records[0].Filters.size(), 1u);
  EXPECT_EQ(button.Records[0].BlendMode, 3);
  EXPECT_EQ(button.Records[1].States, ButtonHitTest);
  ASSERT_EQ(button.Actions.size(), 2u);
  EXPECT_EQ(button.Actions[0].Conditions, CondOverDownToOverUp);
  ASSERT_EQ(button.Actions[0].Actions.Actions.size(), 1u);
  EXPECT_TRUE(button.Actions[0].Actions.Actions[0].Is(TActionCode::Play));
  EXPECT_EQ(button.Actions[1].Conditions, CondIdleToOverUp | CondOverDownToIdle);
  EXPECT_EQ(button.Actions[1].KeyCode, 32);
}

TEST(ButtonParser, ActionSizeBeyondTheTagFails) {
  std::vector<uint8_t> body = Button2Body();
  const size_t firstAction = body.size() - 12;
  body[firstAction] = 200;  // the first condition claims 200 bytes
  TSwfBitReader r = Over(body, 34);
  EXPECT_THROW(ParseDefineButton(r, 2), TSwfError);
}

TEST(ButtonParser, ButtonOneWithCxformAndSoundsInAMovie) {
  // DefineButton: one record (up, hit), release actions: stop. Then a colour transform
  // (half red) and sounds for idle → over and over → down only.
  TSwfBitWriter button;
  button.U16(3);
  button.U8(0x09), button.U16(1), button.U16(1), button.Matrix({});
  button.U8(0);
  button.U8(0x07), button.U8(0);
  TSwfBitWriter cxform;
  cxform.U16(3), cxform.CxForm({128, 256, 256, 256, 0, 0, 0, 0}, false);
  TSwfBitWriter sound;
  sound.U16(3), sound.U16(0), sound.U16(4), sound.U8(0), sound.U16(5), sound.U8(0x20), sound.U16(0);
  TSwfBitWriter tags;
  tags.Tag(7, button.Take());
  tags.Tag(23, cxform.Take());
  tags.Tag(17, sound.Take());
  tags.Tag(17, {99, 0, 0, 0});  // sounds of a button that does not exist
  TSwfBitWriter body;
  body.Rect({0, 2000, 0, 2000});
  body.U16(12 << 8), body.U16(1);
  body.Bytes(tags.Data());
  body.U16(0);
  TSwfBitWriter file;
  file.Bytes(reinterpret_cast<const uint8_t*>("FWS"), 3);
  file.U8(8), file.U32(static_cast<uint32_t>(body.Size() + 8));
  file.Bytes(body.Data());
  const std::vector<uint8_t> bytes = file.Take();
  const TMovie movie = LoadMovie(bytes);
  const TButton* parsed = movie.Find<TButton>(3);
  ASSERT_NE(parsed, nullptr);
  EXPECT_EQ(parsed->Version, 1);
  ASSERT_EQ(parsed->Actions.size(), 1u);
  EXPECT_EQ(parsed->Actions[0].Conditions, CondOverDownToOverUp);
  ASSERT_TRUE(parsed->CxForm);
  EXPECT_EQ(parsed->CxForm->RMult, 128);
  EXPECT_FALSE(parsed->Sounds[0]);
  ASSERT_TRUE(parsed->Sounds[1]);
  EXPECT_EQ(parsed->Sounds[1]->SoundId, 4);
  ASSERT_TRUE(parsed->Sounds[2]);
  EXPECT_TRUE(parsed->Sounds[2]->Info.SyncStop);
  EXPECT_FALSE(parsed->Sounds[3]);
  ASSERT_EQ(movie.Warnings.size(), 1u);
  EXPECT_NE(movie.Warnings[0].find("button 99"), std::string::npos);
}

}  // namespace
}  // namespace swf::test
