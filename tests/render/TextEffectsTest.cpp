// The ten effects against the recorded builder calls: exact sequences and worked values.
#include <gtest/gtest.h>

#include <cmath>

#include "EffectTestSupport.h"
#include "render/effects/TextEffect.h"

namespace {

TTextSpec Text(const std::string& effect, int start, int end, int fontSize = 18, const std::string& content = "Hi")
{
  TTextSpec spec;
  spec.Effect = effect;
  spec.Start = start;
  spec.End = end;
  spec.FontSize = fontSize;
  spec.Content = content;
  return spec;
}

} // namespace

TEST(TextEffects, FadeIssuesTheWholeSequenceAndFinishRemovesAfterTheEnd)
{
  const TRecording recording = RenderText(Text("Fade", 0, 2), 10);
  const std::vector<std::string> expected = {
      "MakeTextSimple(DejaVu Sans,Hi,1000,1100,504)",
      "GotoFrame(0)", "RemoveObject()", "SetSolidFill(0,0,255,85)", "AddObject()",
      "GotoFrame(1)", "RemoveObject()", "SetSolidFill(0,0,255,170)", "AddObject()",
      "GotoFrame(2)", "RemoveObject()", "SetSolidFill(0,0,255,255)", "AddObject()",
      "GotoFrame(3)", "RemoveObject()"};
  EXPECT_EQ(recording.Lines(), expected);
}

TEST(TextEffects, NonePlacesOnceAtTheStartAndFinishAddsAgainAtTheLastFrameOfTheMovie)
{
  TTextSpec spec = Text("-- None --", 5, 9);
  spec.Colour = "$FF"; // red
  const std::vector<std::string> expected = {"MakeTextSimple(DejaVu Sans,Hi,1000,1100,504)",
                                             "SetSolidFill(255,0,0,255)", "GotoFrame(5)", "AddObject()",
                                             "GotoFrame(9)", "AddObject()"};
  // EndTime + 1 equals the preview's frame count: added once more at EndTime.
  EXPECT_EQ(RenderText(spec, 10).Lines(), expected);
}

TEST(TextEffects, ComeInStaggersLettersByAQuarterOfTheEndFrame)
{
  const TRecording recording = RenderText(Text("Come In", 0, 24, 18, "abcd"));
  // Unit 2 at i = 3: f = 2 x 24 x 0.25 + 3.
  const auto step = FrameStepAt(recording, 15.0, 2); // units 0 and 1 pass frame 15 first
  ASSERT_FALSE(step.empty());
  EXPECT_NEAR(ArgumentOf(step, "Scale"), 16852.114, 0.001);
  EXPECT_EQ(ArgumentOf(step, "Scale", 0), ArgumentOf(step, "Scale", 1));
  EXPECT_NEAR(ArgumentOf(step, "SetSolidFill", 3), 214.2, 1e-9);

  // Letter 3 of four is placed at frames 18 to 42, beyond E; fractions stay unrounded.
  const auto makes = recording.Named("MakeTextSimple");
  ASSERT_EQ(makes.size(), 4u);
  EXPECT_EQ(makes[3].Texts[1], "d");
  EXPECT_EQ(makes[3].Numbers[0], 1000 + 28 * 18 * 3);
  const auto frames = Frames(recording);
  EXPECT_EQ(frames[25], 6.0);  // unit 1 starts at 24 x 0.25
  EXPECT_EQ(frames[3 * 25], 18.0);
  EXPECT_EQ(frames[4 * 25 - 1], 42.0);
  const TRecording odd = RenderText(Text("Come In", 0, 25, 18, "ab"));
  EXPECT_EQ(Frames(odd)[26], 6.25);
  // Finish once, after the last unit.
  EXPECT_EQ(recording.Lines().back(), "RemoveObject()");
  EXPECT_EQ(Frames(recording).back(), 25.0);
}

TEST(TextEffects, HeartBeatRisesToMThenFalls)
{
  const TRecording recording = RenderText(Text("Heart Beat", 0, 24, 28, "H"));
  EXPECT_EQ(ArgumentOf(FrameStepAt(recording, 6), "Scale"), 81920.0);
  EXPECT_EQ(ArgumentOf(FrameStepAt(recording, 12, 0), "Scale"), 163840.0);
  EXPECT_NEAR(ArgumentOf(FrameStepAt(recording, 12, 1), "Scale"), 101944.89, 0.01);
  EXPECT_NEAR(ArgumentOf(FrameStepAt(recording, 24), "Scale"), 50972.44, 0.01);
  // Full colour once per unit, before its frames.
  EXPECT_EQ(recording.Lines()[1], "SetSolidFill(0,0,255,255)");
  EXPECT_EQ(Frames(recording).size(), 13u + 13u + 1u);

  // M = E / 2 rounded half to even: E = 5 gives 2; E = 3 gives 2.
  EXPECT_EQ(Frames(RenderText(Text("Heart Beat", 0, 5, 28, "H"))),
            (std::vector<double>{0, 1, 2, 2, 3, 4, 5, 6}));
  EXPECT_EQ(Frames(RenderText(Text("Heart Beat", 0, 3, 28, "H"))),
            (std::vector<double>{0, 1, 2, 2, 3, 4}));

  // S = 0, E = 2: M = 1; frames 0 and 1 rise (0 and 2.5 F / 28), frames 1 and 2 fall.
  const TRecording short_ = RenderText(Text("Heart Beat", 0, 2, 28, "H"));
  EXPECT_EQ(Frames(short_), (std::vector<double>{0, 1, 1, 2, 3}));
  EXPECT_EQ(ArgumentOf(FrameStepAt(short_, 0), "Scale"), 0.0);
  EXPECT_EQ(ArgumentOf(FrameStepAt(short_, 1), "Scale"), 163840.0);

  // The split lies in the middle of S..E: with S = 20, E = 30 it rises over 20..25 and
  // falls over 25..30, never showing before S.
  const TRecording late = RenderText(Text("Heart Beat", 20, 30, 28, "H"));
  std::vector<double> expected;
  for (int i = 20; i <= 25; ++i) expected.push_back(i);
  for (int j = 25; j <= 30; ++j) expected.push_back(j);
  expected.push_back(31);
  EXPECT_EQ(Frames(late), expected);
}

// The scale of a text at its own size: factors are measured against a 36-point text.
double StillScale(int fontSize) { return fontSize / 36.0 * 65536; }

TEST(TextEffects, HeartBeatDivisionsByZeroShowThePlainSize)
{
  // E = 0: both halves divide by E / 2; E = 1: the falling half starts at j = 0. Those
  // frames show the text at its still size, whatever its font size.
  const TRecording zero = RenderText(Text("Heart Beat", 0, 0, 28, "H"));
  EXPECT_EQ(Frames(zero), (std::vector<double>{0, 0, 1}));
  for (const auto& scale : zero.Named("Scale")) EXPECT_EQ(scale.Numbers[0], StillScale(28));

  const TRecording one = RenderText(Text("Heart Beat", 0, 1, 18, "H"));
  EXPECT_EQ(Frames(one), (std::vector<double>{0, 0, 1, 2}));
  EXPECT_EQ(ArgumentOf(FrameStepAt(one, 0, 0), "Scale"), 0.0);            // rising, i = 0
  EXPECT_EQ(ArgumentOf(FrameStepAt(one, 0, 1), "Scale"), StillScale(18)); // falling, j = 0
  EXPECT_EQ(ArgumentOf(FrameStepAt(one, 1), "Scale"), StillScale(18));    // F / 36 x E / j
}

TEST(TextEffects, KerningShrinksWhileFadingIn)
{
  const TRecording recording = RenderText(Text("Kerning", 0, 24, 28));
  const auto first = FrameStepAt(recording, 0);
  EXPECT_NEAR(ArgumentOf(first, "Scale"), 1258291.2, 1e-6);
  EXPECT_NEAR(ArgumentOf(first, "SetSolidFill", 3), 10.2, 1e-9);
  EXPECT_NEAR(ArgumentOf(FrameStepAt(recording, 23), "Scale"), 52428.8, 1e-6);
  // Scale comes before the fill in each step.
  EXPECT_EQ(first[2].Name, "Scale");
  EXPECT_EQ(first[3].Name, "SetSolidFill");

  // S = E = 0 divides by zero: one frame at the still size, opaque.
  const auto single = FrameStepAt(RenderText(Text("Kerning", 0, 0, 28)), 0);
  EXPECT_EQ(ArgumentOf(single, "Scale"), StillScale(28));
  EXPECT_EQ(ArgumentOf(single, "SetSolidFill", 3), 255.0);
}

TEST(TextEffects, RadiationGrowsWhileFadingOut)
{
  const TRecording recording = RenderText(Text("Radiation", 0, 24, 28));
  const auto first = FrameStepAt(recording, 0);
  EXPECT_NEAR(ArgumentOf(first, "Scale"), 30037.33, 0.01);
  EXPECT_NEAR(ArgumentOf(first, "SetSolidFill", 3), 244.8, 1e-9);
  const auto last = FrameStepAt(recording, 24);
  EXPECT_NEAR(ArgumentOf(last, "Scale"), 102126.93, 0.01);
  EXPECT_NEAR(ArgumentOf(last, "SetSolidFill", 3), 0.0, 1e-9);
  // Only one shape: no unused copy.
  EXPECT_EQ(recording.Named("MakeTextSimple").size(), 1u);

  const auto single = FrameStepAt(RenderText(Text("Radiation", 0, 0, 28)), 0);
  EXPECT_EQ(ArgumentOf(single, "Scale"), StillScale(28));
  EXPECT_NEAR(ArgumentOf(single, "SetSolidFill", 3), 0.0, 1e-9);
}

TEST(TextEffects, RotateCarriesZFromFrameToFrame)
{
  const TRecording recording = RenderText(Text("Rotate", 0, 49, 36));
  const auto at0 = FrameStepAt(recording, 0);
  EXPECT_EQ(ArgumentOf(at0, "Rotate"), 28901376.0);
  EXPECT_NEAR(ArgumentOf(at0, "Scale"), 258211.84, 1e-6); // z = 3.94
  EXPECT_EQ(ArgumentOf(at0, "SetSolidFill", 3), 0.0);
  const auto at1 = FrameStepAt(recording, 1);
  EXPECT_EQ(ArgumentOf(at1, "Rotate"), 28311552.0);
  EXPECT_NEAR(ArgumentOf(at1, "Scale"), 250504.8064, 1e-6); // z = 3.8224
  EXPECT_EQ(ArgumentOf(at1, "SetSolidFill", 3), 5.0);
  EXPECT_NEAR(ArgumentOf(FrameStepAt(recording, 2), "Scale") / 65536, 3.653056, 1e-12);
  const auto atEnd = FrameStepAt(recording, 49);
  EXPECT_EQ(ArgumentOf(atEnd, "Rotate"), 0.0);
  EXPECT_NEAR(ArgumentOf(atEnd, "Scale"), 65536.0, 1e-6); // z reaches 1 at E
  EXPECT_EQ(at0[2].Name, "Rotate");
  EXPECT_EQ(at0[3].Name, "Scale");

  // Over 60 frames the alphas run 0, 5, ..., 295: not limited to 255.
  const TRecording long_ = RenderText(Text("Rotate", 0, 59, 36));
  const auto fills = long_.Named("SetSolidFill");
  ASSERT_EQ(fills.size(), 60u);
  for (int i = 0; i < 60; ++i) EXPECT_EQ(fills[i].Numbers[3], 5.0 * i);
}

TEST(TextEffects, MoveSlidesFromTheRightAndStandsOnItsOwnPlaceAtFrame80)
{
  const TRecording recording = RenderText(Text("Move", 0, 100, 18));
  const double placeX = 20 * 50, placeY = 20 * 50 + 100;
  EXPECT_EQ(ArgumentOf(FrameStepAt(recording, 0), "Translate", 0), 5000.0);
  EXPECT_EQ(ArgumentOf(FrameStepAt(recording, 80), "Translate", 0), placeX);
  EXPECT_EQ(ArgumentOf(FrameStepAt(recording, 100), "Translate", 0), 0.0);
  // It slides along the line where the text stands without an effect.
  for (const auto& translate : recording.Named("Translate")) EXPECT_EQ(translate.Numbers[1], placeY);
  const auto lines = recording.Lines();
  EXPECT_EQ(lines[0], "MakeTextSimple(DejaVu Sans,Hi,1000,1100,504)");
  EXPECT_EQ(lines[1], "SetSolidFill(0,0,255,255)");
}

TEST(TextEffects, RollInStaggersLettersThatAllSetOutFromTheSamePlace)
{
  const TRecording recording = RenderText(Text("Roll In", 0, 239, 18, "abc"));
  const auto frames = Frames(recording);
  EXPECT_EQ(frames[240 + 5], 17.75); // unit 1 at i = 5
  EXPECT_EQ(frames[2 * 240], 25.5);  // unit 2 at i = 0
  const auto makes = recording.Named("MakeTextSimple");
  ASSERT_EQ(makes.size(), 3u);
  // Every letter's translation is the text's place at its step i = 80: the letters are
  // spread by their stagger alone, not by their place in the text.
  for (int k = 0; k < 3; ++k) {
    const double stagger = 15 * k * 0.85;
    const auto step = FrameStepAt(recording, stagger + 80);
    EXPECT_EQ(ArgumentOf(step, "Translate", 0), makes[0].Numbers[0]) << "unit " << k;
    EXPECT_EQ(ArgumentOf(step, "Translate", 1), makes[0].Numbers[1]) << "unit " << k;
  }
  EXPECT_EQ(ArgumentOf(FrameStepAt(recording, 25.5), "Translate", 0), 1000 + 4000.0); // unit 2 at i = 0
  EXPECT_EQ(recording.Named("SetSolidFill").size(), 3u);
}

TEST(TextEffects, RainbowDrawsAlphaBlueGreenRedBelow255)
{
  const TRecording recording = RenderText(Text("Rainbow", 0, 199, 18, "ab"));
  const auto fills = recording.Named("SetSolidFill");
  ASSERT_EQ(fills.size(), 400u);
  TRandomSource same(7);
  same.BeginRun();
  bool varied = false;
  for (const auto& fill : fills) {
    const int alpha = same.Below(255), blue = same.Below(255), green = same.Below(255), red = same.Below(255);
    EXPECT_EQ(fill.Numbers, (std::vector<double>{double(red), double(green), double(blue), double(alpha)}));
    for (double value : fill.Numbers) {
      EXPECT_GE(value, 0);
      EXPECT_LE(value, 254);
    }
    varied = varied || fill.Numbers != fills[0].Numbers;
  }
  EXPECT_TRUE(varied);
}

TEST(TextEffects, EndBeforeStart)
{
  // "-- None --" still places the text at S.
  EXPECT_EQ(Frames(RenderText(Text("-- None --", 10, 5), 100)), (std::vector<double>{10, 6}));
  // Every other effect makes its shapes, places nothing and finishes: Heart Beat's middle
  // lies between E and S, so neither of its halves has a frame.
  for (const char* effect :
       {"Come In", "Fade", "Heart Beat", "Kerning", "Move", "Radiation", "Rainbow", "Roll In", "Rotate"}) {
    const TRecording recording = RenderText(Text(effect, 10, 5, 18, "Hi"), 100);
    EXPECT_EQ(Frames(recording), (std::vector<double>{6})) << effect;
    EXPECT_EQ(recording.Named("AddObject").size(), 0u) << effect;
    EXPECT_EQ(recording.Lines().back(), "RemoveObject()") << effect;
    EXPECT_GE(recording.Named("MakeTextSimple").size(), 1u) << effect;
  }
}

TEST(TextEffects, EmptyText)
{
  // Per-letter effects make no shape; Finish only moves to its frame, since the shape
  // object holds nothing of this text.
  for (const char* effect : {"Come In", "Heart Beat", "Rainbow", "Roll In"}) {
    const TRecording recording = RenderText(Text(effect, 0, 24, 18, ""), 100);
    EXPECT_EQ(recording.Lines(), (std::vector<std::string>{"GotoFrame(25)"})) << effect;
  }
  // Whole-text effects hand the empty text to the builder.
  const TRecording fade = RenderText(Text("Fade", 0, 0, 18, ""), 100);
  EXPECT_EQ(fade.Lines()[0], "MakeTextSimple(DejaVu Sans,,1000,1100,504)");
}

TEST(TextEffects, AnUnknownOrMiscasedEffectRendersNothing)
{
  EXPECT_TRUE(RenderText(Text("fade", 0, 24)).Calls.empty());
  EXPECT_TRUE(RenderText(Text("Sparkle", 0, 24)).Calls.empty());
}

TEST(TextEffects, NegativeFramesRunOnTheirOwnClockToo)
{
  // S = -2, E = -1: a span of one frame, as from frame 0 to 1.
  const auto fade = RenderText(Text("Fade", -2, -1), 100).Named("SetSolidFill");
  ASSERT_EQ(fade.size(), 2u);
  EXPECT_EQ(fade[0].Numbers[3], 127.5);
  EXPECT_EQ(fade[1].Numbers[3], 255.0);
  for (const char* effect : {"Come In", "Heart Beat", "Kerning", "Radiation"})
    for (const auto& call : RenderText(Text(effect, -2, -1), 100).Calls)
      for (double value : call.Numbers) EXPECT_TRUE(std::isfinite(value)) << effect << ": " << call.Line;
}

TEST(TextEffects, LetterEffectsRefuseTextsTooLongToAnimate)
{
  // 5000 letters over 240 frames would be 1.2 million frame steps.
  const TTextSpec spec = Text("Roll In", 0, 239, 18, std::string(5000, 'a'));
  EXPECT_THROW(RenderText(spec), std::runtime_error);
  // The same text as a whole is one shape.
  TTextSpec whole = spec;
  whole.Effect = "Move";
  EXPECT_EQ(RenderText(whole).Named("MakeTextSimple").size(), 1u);
}

// Every effect measures its progress over its own span: a text starting at frame 30 makes
// the same calls as one starting at frame 0, each frame 30 later.
TEST(TextEffects, EveryEffectRunsOnItsOwnClock)
{
  for (const std::string& effect : TTextEffectRegistry::Names()) {
    const int length = *TTextEffectRegistry::DefaultLength(effect);
    const TRecording early = RenderText(Text(effect, 0, length, 18, "Hi!"), 1000);
    const TRecording late = RenderText(Text(effect, 30, 30 + length, 18, "Hi!"), 1000);
    ASSERT_EQ(late.Calls.size(), early.Calls.size()) << effect;
    for (std::size_t c = 0; c < late.Calls.size(); ++c) {
      std::vector<double> expected = early.Calls[c].Numbers;
      if (early.Calls[c].Name == "GotoFrame") expected[0] += 30;
      EXPECT_EQ(late.Calls[c].Numbers, expected) << effect << ", call " << c << ": " << late.Calls[c].Line;
    }
    // Nothing shows before the text's first frame.
    for (double frame : Frames(late)) EXPECT_GE(frame, 30) << effect;
  }
}

TEST(TextEffects, LateTextsReachTheirEndValues)
{
  // A Fade from frame 30 ends fully opaque at E.
  const TRecording fade = RenderText(Text("Fade", 30, 54), 100);
  EXPECT_EQ(ArgumentOf(FrameStepAt(fade, 30), "SetSolidFill", 3), 255.0 / 25);
  EXPECT_DOUBLE_EQ(ArgumentOf(FrameStepAt(fade, 54), "SetSolidFill", 3), 255.0);
  // Come In and Radiation fade out to nothing at E.
  EXPECT_NEAR(ArgumentOf(FrameStepAt(RenderText(Text("Radiation", 30, 54), 100), 54), "SetSolidFill", 3), 0.0, 1e-9);
  const TRecording comeIn = RenderText(Text("Come In", 30, 54, 18, "ab"), 100);
  EXPECT_NEAR(ArgumentOf(FrameStepAt(comeIn, 54), "SetSolidFill", 3), 0.0, 1e-9);
  // Letter 1 of Come In starts a quarter of its span (24 / 4 frames) after letter 0.
  EXPECT_EQ(Frames(comeIn)[25], 36.0);
  // Move enters 200 pixels right of its place at its first frame.
  EXPECT_EQ(ArgumentOf(FrameStepAt(RenderText(Text("Move", 30, 269), 300), 30), "Translate"), 1000 + 4000.0);
}
