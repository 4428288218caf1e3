// The effects described as data: every entrance, exit and emphasis on its own clock, where
// its units stand on the first and last frames, the units' layout, and a text's own
// entrance and exit around its effect.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <map>

#include "EffectTestSupport.h"
#include "render/TextUnitLayout.h"
#include "render/effects/TextEffect.h"
#include "render/effects/anim/AnimatedEffect.h"
#include "render/effects/anim/Easing.h"

namespace {

// One placement of one unit, as the builder was told.
struct TPlaced {
  double Frame = 0, ScaleX = 0, ScaleY = 0, Angle = 0, X = 0, Y = 0, Alpha = 0;
  int Red = 0, Green = 0, Blue = 0;
};

struct TUnitTrack {
  std::string Text;
  double RestX = 0, RestY = 0; // where MakeTextSimple put it
  std::vector<TPlaced> Steps;
};

// The units and their frame steps, read back from the recorded calls.
std::vector<TUnitTrack> Tracks(const TRecording& recording)
{
  std::vector<TUnitTrack> tracks;
  TPlaced step;
  for (const auto& call : recording.Calls) {
    if (call.Name == "MakeTextSimple") tracks.push_back({call.Texts[1], call.Numbers[0], call.Numbers[1], {}});
    else if (call.Name == "GotoFrame") step = {call.Numbers[0]};
    else if (call.Name == "Scale") step.ScaleX = call.Numbers[0], step.ScaleY = call.Numbers[1];
    else if (call.Name == "Rotate") step.Angle = call.Numbers[0];
    else if (call.Name == "Translate") step.X = call.Numbers[0], step.Y = call.Numbers[1];
    else if (call.Name == "SetSolidFill") {
      step.Red = int(call.Numbers[0]), step.Green = int(call.Numbers[1]), step.Blue = int(call.Numbers[2]);
      step.Alpha = call.Numbers[3];
    } else if (call.Name == "AddObject" && !tracks.empty()) tracks.back().Steps.push_back(step);
  }
  return tracks;
}

const TPlaced& At(const TUnitTrack& track, double frame)
{
  for (const TPlaced& step : track.Steps)
    if (step.Frame == frame) return step;
  throw std::runtime_error(track.Text + " is not placed at frame " + std::to_string(frame));
}

constexpr double PlainScale18 = 18 / 36.0 * 65536;
constexpr double StageWidth = 420 * 20, StageHeight = 180 * 20; // the fixture's stage

bool AtRest(const TUnitTrack& track, const TPlaced& step)
{
  return std::fabs(step.ScaleX - PlainScale18) < 1e-6 && std::fabs(step.ScaleY - PlainScale18) < 1e-6 &&
         step.Angle == 0 && std::fabs(step.X - track.RestX) < 1e-6 && std::fabs(step.Y - track.RestY) < 1e-6 &&
         step.Alpha == 255 && step.Red == 0 && step.Green == 0 && step.Blue == 255;
}

// Not to be seen: transparent, flattened, or wholly off the stage.
bool Invisible(const TPlaced& step)
{
  const double width = 3000, height = 700; // twips: more than any unit of the test text
  return step.Alpha == 0 || step.ScaleX == 0 || step.ScaleY == 0 || step.X >= StageWidth ||
         step.X + width <= 0 || step.Y >= StageHeight || step.Y + height <= 0;
}

std::vector<std::string> NamesOf(const char* family)
{
  for (const auto& [name, names] : TTextEffectRegistry::ByFamily())
    if (name == family) return names;
  return {};
}

TTextSpec Text(const std::string& effect, int start, int end, const std::string& content = "Hi yo\nAb")
{
  TTextSpec spec;
  spec.Effect = effect;
  spec.Start = start;
  spec.End = end;
  spec.Content = content;
  return spec;
}

// A text object with extra elements in its ObjText.
std::string TextWith(const TTextSpec& spec, const std::string& extra)
{
  std::string xml = TextObjXml(spec);
  return xml.insert(xml.find("</ObjText>"), extra);
}

TRecording RenderXml(const std::string& objects, int totalFrames = 200)
{
  TRenderFixture fixture(objects);
  fixture.Preview.Total = totalFrames;
  TFlashText renderer(fixture.Ctx);
  renderer.Render(0);
  return fixture.Builder.Recording;
}

} // namespace

TEST(AnimatedEffects, FortyOrMoreInTheirFamilies)
{
  const std::size_t entrances = NamesOf(EntranceFamily).size(), exits = NamesOf(ExitFamily).size(),
                    emphases = NamesOf(EmphasisFamily).size();
  EXPECT_GE(entrances + exits + emphases, 40u);
  EXPECT_GE(entrances, 11u);
  EXPECT_GE(exits, 11u);
  EXPECT_GE(emphases, 8u);
  for (const char* family : {EntranceFamily, ExitFamily, EmphasisFamily})
    for (const std::string& name : NamesOf(family)) {
      ASSERT_NE(TAnimatedEffects::Find(name), nullptr) << name;
      EXPECT_EQ(TAnimatedEffects::Find(name)->Family, std::string(family)) << name;
    }
  EXPECT_EQ(TAnimatedEffects::Find("Fade"), nullptr); // the classic ones stay as written
}

// Each effect at S = 0 and S = 30: the same placements 30 frames later; every unit placed
// on every frame of the text and on no other; an entrance starts unseen and ends at rest,
// an exit starts at rest and ends unseen, an emphasis stays in sight and repeats itself.
TEST(AnimatedEffects, EachEffectOnItsOwnClockFromFirstToLastFrame)
{
  for (const char* family : {EntranceFamily, ExitFamily, EmphasisFamily}) {
    for (const std::string& name : NamesOf(family)) {
      SCOPED_TRACE(name);
      const int length = *TTextEffectRegistry::DefaultLength(name);
      const auto early = Tracks(RenderText(Text(name, 0, length)));
      const auto late = Tracks(RenderText(Text(name, 30, 30 + length)));
      ASSERT_FALSE(early.empty());
      ASSERT_EQ(early.size(), late.size());
      for (std::size_t u = 0; u < early.size(); ++u) {
        ASSERT_EQ(early[u].Steps.size(), std::size_t(length + 1)) << early[u].Text;
        ASSERT_EQ(late[u].Steps.size(), early[u].Steps.size());
        for (std::size_t i = 0; i < early[u].Steps.size(); ++i) {
          const TPlaced &a = early[u].Steps[i], &b = late[u].Steps[i];
          EXPECT_EQ(a.Frame, double(i));
          EXPECT_EQ(b.Frame, a.Frame + 30);
          EXPECT_EQ(std::tie(a.ScaleX, a.ScaleY, a.Angle, a.X, a.Y, a.Alpha, a.Red, a.Green, a.Blue),
                    std::tie(b.ScaleX, b.ScaleY, b.Angle, b.X, b.Y, b.Alpha, b.Red, b.Green, b.Blue));
        }
        const TUnitTrack& unit = early[u];
        const TPlaced &first = unit.Steps.front(), &last = unit.Steps.back();
        if (family == std::string(EntranceFamily)) {
          EXPECT_TRUE(Invisible(first)) << unit.Text;
          EXPECT_TRUE(AtRest(unit, last)) << unit.Text;
        } else if (family == std::string(ExitFamily)) {
          EXPECT_TRUE(AtRest(unit, first)) << unit.Text;
          EXPECT_TRUE(Invisible(last)) << unit.Text;
        } else {
          EXPECT_GT(first.Alpha, 0) << unit.Text;
          EXPECT_GT(last.Alpha, 0) << unit.Text;
          const double period = TAnimatedEffects::Find(name)->Duration;
          const TPlaced& again = At(unit, period);
          EXPECT_NEAR(again.X, first.X, 1e-6);
          EXPECT_NEAR(again.Y, first.Y, 1e-6);
          EXPECT_NEAR(again.ScaleX, first.ScaleX, 1e-6);
          EXPECT_EQ(again.Alpha, first.Alpha);
        }
      }
    }
  }
}

TEST(AnimatedEffects, UnitsStandWhereTheTextWouldShowThem)
{
  const TTextLayout letters = LayOutTextUnits("DejaVu Sans", "Hi yo\nAb", TTextUnitKind::Letter, 1000, 1100, 504);
  ASSERT_EQ(letters.Units.size(), 6u); // the space makes no unit
  EXPECT_EQ(letters.Units[0].Text, "H");
  EXPECT_EQ(letters.Units[0].Box.X, 1000);
  for (std::size_t k = 1; k < 4; ++k) EXPECT_GT(letters.Units[k].Box.X, letters.Units[k - 1].Box.X);
  EXPECT_EQ(letters.Units[4].Text, "A");
  EXPECT_EQ(letters.Units[4].Box.X, 1000);
  EXPECT_GT(letters.Units[4].Box.Y, 1100);
  EXPECT_EQ(letters.Groups[1].size(), 3u); // "Hi", "yo", "Ab"
  EXPECT_EQ(letters.Units[3].Group, (std::array<int, 4>{3, 1, 0, 0}));

  const TTextLayout words = LayOutTextUnits("DejaVu Sans", "Hi yo\nAb", TTextUnitKind::Word, 1000, 1100, 504);
  ASSERT_EQ(words.Units.size(), 3u);
  EXPECT_EQ(words.Units[1].Text, "yo");
  EXPECT_EQ(words.Units[1].Box.X, letters.Units[2].Box.X);

  // Centred: the shorter line moves right by half of what it lacks; right: by all of it.
  const auto line = [](TTextAlign align) {
    return LayOutTextUnits("DejaVu Sans", "Hi yo\nAb", TTextUnitKind::Line, 0, 0, 504, align).Units[1].Box;
  };
  const double lack = letters.Groups[2][0].Width - letters.Groups[2][1].Width;
  EXPECT_GT(lack, 0);
  EXPECT_EQ(line(TTextAlign::Left).X, 0);
  EXPECT_NEAR(line(TTextAlign::Centre).X, lack / 2, 1e-9);
  EXPECT_NEAR(line(TTextAlign::Right).X, lack, 1e-9);

  // A long line is measured piece by piece: its letters still run left to right and end
  // where the whole line ends, give or take the kerning at the pieces' edges.
  std::string longLine;
  for (int i = 0; i < 500; ++i) longLine += "AVAWa";
  const TTextLayout many = LayOutTextUnits("DejaVu Sans", longLine, TTextUnitKind::Letter, 0, 0, 504);
  ASSERT_EQ(many.Units.size(), longLine.size());
  for (std::size_t k = 1; k < many.Units.size(); ++k) ASSERT_GT(many.Units[k].Box.X, many.Units[k - 1].Box.X);
  const TTextBox& lastLetter = many.Units.back().Box;
  EXPECT_NEAR(lastLetter.X + lastLetter.Width, many.Groups[3][0].Width, many.Groups[3][0].Width * 0.01);

  EXPECT_TRUE(LayOutTextUnits("DejaVu Sans", "", TTextUnitKind::Letter, 0, 0, 504).Units.empty());
  EXPECT_TRUE(LayOutTextUnits("DejaVu Sans", "   ", TTextUnitKind::Word, 0, 0, 504).Units.empty());
}

TEST(AnimatedEffects, EasingsRunFromStartToEnd)
{
  for (TEasing easing : {TEasing::Linear, TEasing::EaseIn, TEasing::EaseOut, TEasing::EaseInOut, TEasing::Back,
                         TEasing::Elastic, TEasing::Bounce, TEasing::Step}) {
    EXPECT_NEAR(Ease(easing, 0), 0, 1e-12);
    EXPECT_NEAR(Ease(easing, 1), 1, 1e-12);
    EXPECT_NEAR(Ease(easing, 2), 1, 1e-12); // clamped
  }
  EXPECT_GT(Ease(TEasing::Back, 0.7), 1.0); // overshoots before it settles
  EXPECT_LT(Ease(TEasing::EaseIn, 0.5), 0.5);
  EXPECT_GT(Ease(TEasing::EaseOut, 0.5), 0.5);
}

// A text's own entrance and exit, with its effect between: unseen at both ends, at rest in
// the hold; played faster when the text is too short for both.
TEST(AnimatedEffects, EntranceAndExitAroundTheTextsEffect)
{
  const std::string both = "<EntranceEffect>Fade In</EntranceEffect><ExitEffect>Fly Out To Left</ExitEffect>";
  for (int end : {80, 10}) {
    SCOPED_TRACE(end);
    const auto tracks = Tracks(RenderXml(TextWith(Text("-- None --", 0, end), both)));
    ASSERT_EQ(tracks.size(), 1u); // the whole text, as its effect and the two ask
    EXPECT_TRUE(Invisible(tracks[0].Steps.front()));
    EXPECT_TRUE(Invisible(tracks[0].Steps.back()));
    if (end == 80) EXPECT_TRUE(AtRest(tracks[0], At(tracks[0], 40)));
  }
  // With an emphasis of its own the letters move in the hold and still arrive and leave.
  const auto waving = Tracks(RenderXml(TextWith(Text("Wave", 0, 80), both)));
  ASSERT_EQ(waving.size(), 6u);
  EXPECT_TRUE(Invisible(waving[2].Steps.front()));
  EXPECT_TRUE(Invisible(waving[2].Steps.back()));
  EXPECT_NE(At(waving[2], 40).Y, waving[2].RestY);
  // An entrance named as the exit (or unknown) is no entrance.
  const auto wrong = Tracks(RenderXml(TextWith(Text("-- None --", 0, 40), "<EntranceEffect>Fade Out</EntranceEffect>")));
  EXPECT_TRUE(wrong.empty() || wrong[0].Steps.size() == 1u);
}

TEST(AnimatedEffects, ClassicEffectsAndCardsWithoutTheNewElementsRenderAsBefore)
{
  // The ten keep their own meaning: an entrance beside one of them changes nothing.
  const TTextSpec fade = Text("Fade", 0, 24, "Hi");
  EXPECT_EQ(RenderXml(TextWith(fade, "<EntranceEffect>Fly In From Left</EntranceEffect>")).Lines(),
            RenderXml(TextObjXml(fade)).Lines());

  // Reading and storing a text that never had them adds no element to its card.
  TRenderFixture fixture(TextObjXml(Text("-- None --", 0, 24, "Hi")));
  fixture.Library.Selected = "Text1";
  TFlashText text(fixture.Ctx);
  text.LoadFromDocument(0);
  EXPECT_TRUE(text.EntranceEffect.empty());
  text.StoreInDocument();
  const auto saved = [&] {
    std::ifstream in(fixture.CardFile());
    return std::string(std::istreambuf_iterator<char>(in), {});
  }();
  EXPECT_EQ(saved.find("EntranceEffect"), std::string::npos);
  EXPECT_EQ(saved.find("ExitEffect"), std::string::npos);
  EXPECT_EQ(saved.find("TextAlign"), std::string::npos);
  // Once given, they are kept; emptied, they stay empty.
  text.EntranceEffect = "Zoom In";
  text.Align = TTextAlign::Centre;
  text.StoreInDocument();
  text.EntranceEffect.clear();
  text.LoadFromDocument(0);
  EXPECT_EQ(text.EntranceEffect, "Zoom In");
  EXPECT_EQ(text.Align, TTextAlign::Centre);
}

TEST(AnimatedEffects, CentredLinesStandEachInItsPlace)
{
  const auto tracks = Tracks(RenderXml(TextWith(Text("-- None --", 0, 5), "<TextAlign>Centre</TextAlign>")));
  ASSERT_EQ(tracks.size(), 2u);
  EXPECT_GT(tracks[1].RestX, tracks[0].RestX); // "Ab" is shorter than "Hi yo"
  EXPECT_TRUE(AtRest(tracks[1], tracks[1].Steps.back()));
}

// Blur, glow, outline and shadow go to the builder as filters with every placement, fading
// with the letters.
TEST(AnimatedEffects, FiltersFollowTheLook)
{
  const TRecording blurIn = RenderText(Text("Blur In", 0, 35, "Hi"));
  EXPECT_GT(ArgumentOf(FrameStepAt(blurIn, 0), "SetBlur"), 0);
  EXPECT_EQ(ArgumentOf(FrameStepAt(blurIn, 35), "SetBlur"), 0);
  const TRecording glow = RenderText(Text("Glow Pulse", 0, 47, "Hi"));
  EXPECT_EQ(ArgumentOf(FrameStepAt(glow, 0), "SetGlow", 3), 0);
  EXPECT_GT(ArgumentOf(FrameStepAt(glow, 12), "SetGlow", 3), 200); // half a period: the strongest
  EXPECT_EQ(ArgumentOf(FrameStepAt(glow, 12), "SetOutline", 3), 0);

  // A still text with both styles: a dark outline around the light letters, a soft shadow.
  TTextSpec still = Text("-- None --", 0, 5, "Hi");
  still.Colour = "$FFFFFF";
  const TRecording styled = RenderXml(TextWith(still, "<TextStyle>Outline Shadow</TextStyle>"));
  const auto step = FrameStepAt(styled, 3);
  EXPECT_EQ(ArgumentOf(step, "SetOutline", 0), 0);
  EXPECT_EQ(ArgumentOf(step, "SetOutline", 3), 255);
  EXPECT_GT(ArgumentOf(step, "SetShadow", 3), 0);
  EXPECT_GT(ArgumentOf(step, "SetShadow", 5), 0);
  // The fade of an entrance fades the outline with the letters.
  const TRecording fading = RenderXml(TextWith(Text("Fade In", 0, 35, "Hi"), "<TextStyle>Outline</TextStyle>"));
  EXPECT_EQ(ArgumentOf(FrameStepAt(fading, 0), "SetOutline", 3), 0);
  EXPECT_EQ(ArgumentOf(FrameStepAt(fading, 35), "SetOutline", 3), 255);
}
