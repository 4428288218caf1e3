// The ten effects every card of the format relies on: a card using all ten renders into the
// very movie it gave before the effect library grew (the reference was written then).
#include <gtest/gtest.h>

#include "CardFiles.h"
#include "tools/CardRender.h"

TEST(ClassicEffectsMovie, TheTenEffectsRenderByteForByteAsBefore)
{
  TScratch scratch;
  const std::string data = std::string(GREETIX_SOURCE_DIR) + "/tests/tools/data/";
  TCardRenderOptions options;
  options.CardFile = data + "TenEffects.grx";
  options.OutputFile = scratch.File("ten.swf");
  options.Final = true;
  options.Seed = 11; // the reference's "Rainbow" colours
  RenderCardFile(options, nullptr);
  const std::string movie = ReadAll(options.OutputFile);
  const std::string reference = ReadAll(data + "TenEffects.swf");
  ASSERT_FALSE(reference.empty());
  EXPECT_EQ(movie.size(), reference.size());
  EXPECT_TRUE(movie == reference) << "the movie of the ten effects changed";
}
