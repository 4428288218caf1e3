// Texts filled with a row's values that run off the card's stage, laid out as the render
// lays them out.
#include <gtest/gtest.h>

#include "bulk/StageFit.h"
#include "tools/CardFiles.h"

namespace {

using TTexts = std::vector<std::string>;

// One text on a stage 200 x 100 pixels, 14-point letters at (10, 10).
TStageFit FitOf(const TScratch& scratch, const std::vector<TCardText>& texts)
{
  WriteAll(scratch.File("card.grx"), CardXml(texts, 10, false, 200, 100));
  return TStageFit(scratch.File("card.grx"));
}

} // namespace

TEST(StageFit, AFilledTextThatRunsOffAnyEdgeIsTold)
{
  TScratch scratch;
  TStageFit fit = FitOf(scratch, {{"Kerning", 0, 8, 10, 10, "Dear {Name}", 14}});
  EXPECT_EQ(fit.TextsOffStage({{"Name", "Ann"}}), TTexts{});
  EXPECT_EQ(fit.TextsOffStage({{"Name", "Bartholomew Maximilian"}}), TTexts{"Dear Bartholomew Maximilian"});
  // A value with line breaks grows the text downwards, past the stage's foot.
  EXPECT_EQ(fit.TextsOffStage({{"Name", "A\nB\nC\nD\nE"}}).size(), 1u);
  // The same card checked again with a short value: nothing is left over from before.
  EXPECT_EQ(fit.TextsOffStage({{"Name", "Eve"}}), TTexts{});
}

TEST(StageFit, LetterEffectsSpaceTheLettersAsTheMovieShowsThem)
{
  TScratch scratch;
  // Letter by letter, each letter takes 1.4 × 14 pixels: "Dear Annabel" needs about 225
  // pixels right of x = 10, where laid out whole it takes about 140.
  TStageFit byLetter = FitOf(scratch, {{"Rainbow", 0, 8, 10, 10, "Dear {Name}", 14}});
  EXPECT_EQ(byLetter.TextsOffStage({{"Name", "Ann"}}), TTexts{});
  EXPECT_EQ(byLetter.TextsOffStage({{"Name", "Annabel"}}), TTexts{"Dear Annabel"});
  TStageFit whole = FitOf(scratch, {{"Fade", 0, 8, 10, 10, "Dear {Name}", 14}});
  EXPECT_EQ(whole.TextsOffStage({{"Name", "Annabel"}}), TTexts{});
}

TEST(StageFit, OnlyTextsWithFieldsAreChecked)
{
  TScratch scratch;
  // The card's own text starts left of the stage (it may be meant to); the filled one fits.
  TStageFit fit = FitOf(scratch, {{"Fade", 0, 8, -50, 10, "Happy birthday to everyone here", 14},
                                  {"Fade", 0, 8, 10, 60, "{Name}", 14}});
  EXPECT_EQ(fit.TextsOffStage({{"Name", "Ann"}}), TTexts{});
  EXPECT_THROW(TStageFit(scratch.File("missing.grx")), std::runtime_error);
}
