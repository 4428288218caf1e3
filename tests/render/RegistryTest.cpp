#include <gtest/gtest.h>

#include "render/FlashObjRegistry.h"
#include "render/effects/TextEffect.h"

TEST(Registry, AllTenEffectsAndTheTextKindAreRegistered)
{
  const std::vector<std::string> expected = {"-- None --", "Come In", "Fade",  "Heart Beat", "Kerning",
                                             "Move",       "Radiation", "Rainbow", "Roll In", "Rotate"};
  EXPECT_EQ(TTextEffectRegistry::ByFamily().front().second, expected);
  EXPECT_EQ(TTextEffectRegistry::DefaultLength("Move"), 239);
  EXPECT_EQ(TTextEffectRegistry::DefaultLength("Rotate"), 49);
  EXPECT_EQ(TTextEffectRegistry::DefaultLength("Fade"), 24);
  EXPECT_EQ(TTextEffectRegistry::Find("fade"), nullptr);
  const auto kinds = TFlashObjRegistry::Kinds();
  EXPECT_NE(std::find(kinds.begin(), kinds.end(), "Text"), kinds.end());
}
