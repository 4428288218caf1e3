// Emoji of a colour font in a text: drawn as pictures in their own colours beside the
// letters in the text's colour, in the whole text and in its letters and words.
#include <gtest/gtest.h>

#include <QImage>

#include "CardFrames.h"
#include "swf/builder/TextShape.h"

namespace {

const std::string Cake = "\xF0\x9F\x8E\x82"; // U+1F382

QImage Frame(const TScratch& scratch, const std::vector<TCardText>& texts, int frame)
{
  return DrawnCardFrame(scratch, CardXml(texts, 0), frame);
}

struct TInk {
  int Blue = 0;     // the text's colour
  int Warm = 0;     // the cake's reds, pinks and yellows
  int WarmLeft = 640;
};

TInk InkOf(const QImage& image)
{
  TInk ink;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QColor c = image.pixelColor(x, y);
      if (c.blue() > 150 && c.red() < 120 && c.green() < 120) ++ink.Blue;
      if (c.red() > 150 && c.blue() < 150 && c.red() - c.blue() > 60) {
        ++ink.Warm;
        ink.WarmLeft = std::min(ink.WarmLeft, x);
      }
    }
  return ink;
}

} // namespace

TEST(ColourEmoji, EmojiShowInTheirColoursBesideLettersInTheTextsColour)
{
  if (!swf::HasColourGlyphs("DejaVu Sans", Cake)) GTEST_SKIP() << "no colour emoji font installed";
  EXPECT_FALSE(swf::HasColourGlyphs("DejaVu Sans", "Happy birthday"));
  TScratch scratch;
  const TInk plain = InkOf(Frame(scratch, {{"-- None --", 0, 24, 50, 50, "Hi", 36}}, 12));
  EXPECT_GT(plain.Blue, 100);
  EXPECT_EQ(plain.Warm, 0);
  for (const char* effect : {"-- None --", "Fade", "Heart Beat", "Fade In Words", "Pulse"}) {
    SCOPED_TRACE(effect);
    const TInk ink = InkOf(Frame(scratch, {{effect, 0, 24, 50, 50, "Hi " + Cake, 36}}, 24));
    EXPECT_GT(ink.Blue, plain.Blue / 2); // the letters keep the text's colour
    EXPECT_GT(ink.Warm, 100);            // the cake its own
    EXPECT_GT(ink.WarmLeft, 80);         // right of "Hi"
  }
  // Fading, the cake fades with the letters.
  const TInk half = InkOf(Frame(scratch, {{"Fade", 0, 24, 50, 50, "Hi " + Cake, 36}}, 4));
  EXPECT_LT(half.Warm, InkOf(Frame(scratch, {{"Fade", 0, 24, 50, 50, "Hi " + Cake, 36}}, 24)).Warm);
}
