// The headless render pipeline over a recording builder: settling the frame count, the
// final stop, the input left untouched, bad cards reported by name.
#include <gtest/gtest.h>

#include <cstdint>

#include "CardFiles.h"
#include "render/RecordingBuilder.h"
#include "tools/CardRender.h"

namespace {

struct TRun {
  TRecordingBuilder Builder;
  TCardRenderResult Result;
};

std::unique_ptr<TRun> Render(const TScratch& scratch, const std::string& cardXml, bool final = false)
{
  auto run = std::make_unique<TRun>();
  WriteAll(scratch.File("card.grx"), cardXml);
  TCardRenderOptions options;
  options.CardFile = scratch.File("card.grx");
  options.OutputFile = scratch.File("out.swf");
  options.Final = final;
  run->Result = RenderCardFile(options, run->Builder.Movie, run->Builder.Object, run->Builder.Action, nullptr);
  return run;
}

} // namespace

TEST(CardRender, RendersAgainUntilTheFrameCountSettles)
{
  TScratch scratch;
  // Recorded 100 frames: the first render keeps the text to frame 9 and removes it at 10,
  // giving 11 frames; the second render compares with 11 and gives 11 again.
  auto run = Render(scratch, CardXml({{"Fade", 0, 9, 50, 50}}, 100));
  EXPECT_EQ(run->Result.Passes, 2);
  EXPECT_EQ(run->Result.FrameCount, 11);
  // Recorded with the settled count: one render suffices.
  run = Render(scratch, CardXml({{"Fade", 0, 9, 50, 50}}, 11));
  EXPECT_EQ(run->Result.Passes, 1);
  // The text reaching the end of its movie is added once more at its last frame.
  run = Render(scratch, CardXml({{"Fade", 0, 9, 50, 50}}, 10));
  EXPECT_EQ(run->Result.FrameCount, 10);
  const auto lines = run->Builder.Recording.Lines();
  EXPECT_EQ(lines[lines.size() - 3], "GotoFrame(9)");
  EXPECT_EQ(lines[lines.size() - 2], "AddObject()");
}

TEST(CardRender, FinalRenderEndsWithAStopAfterTheSettledMovie)
{
  TScratch scratch;
  const std::string card = CardXml({{"Fade", 0, 9, 50, 50}}, 100);
  WriteAll(scratch.File("card.grx"), card);
  auto run = Render(scratch, card, true);
  EXPECT_EQ(run->Result.FrameCount, 12);
  const auto lines = run->Builder.Recording.Lines();
  EXPECT_EQ(std::vector<std::string>(lines.end() - 4, lines.end() - 1),
            (std::vector<std::string>{"GotoFrame(11)", "MakeActionStop()", "AddAction()"}));
  // The card file is never changed.
  EXPECT_EQ(ReadAll(scratch.File("card.grx")), card);
  // A looping card gets no stop.
  run = Render(scratch, CardXml({{"Fade", 0, 9, 50, 50}}, 100, true), true);
  EXPECT_TRUE(run->Builder.Recording.Named("AddAction").empty());
}

TEST(CardRender, BadCardsAreReportedByName)
{
  TScratch scratch;
  TRecordingBuilder builder;
  TCardRenderOptions options;
  options.OutputFile = scratch.File("out.swf");
  const auto message = [&](const std::string& card) -> std::string {
    options.CardFile = card;
    try {
      RenderCardFile(options, builder.Movie, builder.Object, builder.Action, nullptr);
    } catch (const std::runtime_error& error) {
      return error.what();
    }
    return "";
  };
  EXPECT_NE(message(scratch.File("missing.grx")).find("missing.grx"), std::string::npos);
  WriteAll(scratch.File("broken.grx"), "<Movie><Width>");
  EXPECT_NE(message(scratch.File("broken.grx")).find("broken.grx"), std::string::npos);
  WriteAll(scratch.File("empty.grx"), CardXml({}, 10).replace(CardXml({}, 10).find("<Width>640"), 10, "<Width>"));
  // The element at fault is named, and why.
  EXPECT_NE(message(scratch.File("empty.grx")).find("<Width> is empty or missing; it must hold a whole number"),
            std::string::npos);
  const std::string card = CardXml({}, 10);
  WriteAll(scratch.File("huge.grx"), std::string(card).replace(card.find("<Rate>15"), 8, "<Rate>1e300"));
  EXPECT_NE(message(scratch.File("huge.grx")).find("<Rate> holds \"1e300\", which is not a whole number"),
            std::string::npos);
  // Nested a million levels deep, and without the settings every render needs.
  std::string deep = "<?xml version=\"1.0\"?>\n<Movie>";
  for (int i = 0; i < 1000000; ++i) deep += "<Movie>";
  for (int i = 0; i < 1000000; ++i) deep += "</Movie>";
  WriteAll(scratch.File("deep.grx"), deep + "</Movie>");
  EXPECT_NE(message(scratch.File("deep.grx")).find("<Width> is empty or missing"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(options.OutputFile));
}

TEST(CardRender, StageSizesWhoseTwipsPass32BitsAreRefusedLikeNegativeOnes)
{
  TScratch scratch;
  TCardRenderOptions options;
  options.CardFile = scratch.File("card.grx");
  options.OutputFile = scratch.File("out.swf");
  // 214748365 pixels are 4294967300 twips: 4 once wrapped.
  for (const auto& [width, height] : std::vector<std::pair<int, int>>{
           {-1, 100}, {INT32_MIN, 100}, {100, INT32_MIN}, {INT32_MIN, INT32_MIN}, {214748365, 100}}) {
    SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height));
    WriteAll(options.CardFile, CardXml({}, 10, false, width, height));
    try {
      RenderCardFile(options, nullptr);
      ADD_FAILURE() << "rendered";
    } catch (const std::exception& error) {
      EXPECT_NE(std::string(error.what()).find("Stage size out of range"), std::string::npos) << error.what();
    }
    EXPECT_FALSE(std::filesystem::exists(options.OutputFile));
  }
}
