// greetix-cli thumbnail: the file manager's picture of a card or a movie.
#include <gtest/gtest.h>

#include <QImage>

#include "CardFiles.h"
#include "CliRun.h"

namespace {

TCliOutcome Thumbnail(const std::string& arguments) { return RunGreetixCli("thumbnail " + arguments); }

// Pixels where one channel clearly leads: text drawn in that colour.
int CountColoured(const QImage& image, bool red)
{
  int count = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QColor c = image.pixelColor(x, y);
      const int lead = red ? c.red() - c.blue() : c.blue() - c.red();
      if (lead > 120) ++count;
    }
  return count;
}

// 30 frames: a blue text in the opening frames, a red one from frame 10 (a third) on.
std::string TwoTextCard(int width, int height)
{
  return CardXml({{"-- None --", 0, 5, 4, 4, "Early", 24, "16711680"},
                  {"-- None --", 10, 29, 4, 4, "MMMM", 24, "255"}},
                 30, false, width, height);
}

} // namespace

TEST(Thumbnail, ACardShowsTheFrameAThirdIntoItsMovieAtTheAskedSize)
{
  TScratch scratch;
  WriteAll(scratch.File("wide.grx"), TwoTextCard(200, 100));
  const TCliOutcome made = Thumbnail(scratch.File("wide.grx") + " " + scratch.File("wide.png") + " --size 100");
  ASSERT_EQ(made.Status, 0) << made.Output;
  const QImage wide(QString::fromStdString(scratch.File("wide.png")));
  EXPECT_EQ(wide.size(), QSize(100, 50));
  EXPECT_GT(CountColoured(wide, true), 20);
  EXPECT_EQ(CountColoured(wide, false), 0);

  // The longer side is the size, whichever it is; the card itself is left as it was.
  WriteAll(scratch.File("tall.grx"), TwoTextCard(90, 180));
  const std::string card = ReadAll(scratch.File("tall.grx"));
  ASSERT_EQ(Thumbnail(scratch.File("tall.grx") + " " + scratch.File("tall.png") + " --size 64").Status, 0);
  EXPECT_EQ(QImage(QString::fromStdString(scratch.File("tall.png"))).size(), QSize(32, 64));
  EXPECT_EQ(ReadAll(scratch.File("tall.grx")), card);
}

TEST(Thumbnail, AMovieIsDrawnAsItsCardWas)
{
  TScratch scratch;
  WriteAll(scratch.File("card.grx"), TwoTextCard(200, 100));
  const std::string movie = scratch.File("card.swf");
  const std::string render = std::string(GREETIX_CLI) + " render " + scratch.File("card.grx") + " -o " + movie + " >/dev/null";
  ASSERT_EQ(std::system(render.c_str()), 0);
  ASSERT_EQ(Thumbnail(movie + " " + scratch.File("movie.png") + " --size 100").Status, 0);
  ASSERT_EQ(Thumbnail(scratch.File("card.grx") + " " + scratch.File("card.png") + " --size 100").Status, 0);
  EXPECT_EQ(QImage(QString::fromStdString(scratch.File("movie.png"))),
            QImage(QString::fromStdString(scratch.File("card.png"))));
}

TEST(Thumbnail, BadInputFailsOnOneLineAndLeavesTheOldPicture)
{
  TScratch scratch;
  const std::string old = scratch.File("old.png");
  WriteAll(old, "an older thumbnail");
  WriteAll(scratch.File("noise.grx"), "not a card at all");
  WriteAll(scratch.File("cut.swf"), std::string("FWS\x08\xff\xff\x00\x00", 8));
  for (const std::string name : {"noise.grx", "cut.swf", "missing.grx"}) {
    SCOPED_TRACE(name);
    const TCliOutcome failed = Thumbnail(scratch.File(name) + " " + old + " --size 128");
    EXPECT_EQ(failed.Status, 1) << failed.Output;
    EXPECT_EQ(std::count(failed.Output.begin(), failed.Output.end(), '\n'), 1) << failed.Output;
    EXPECT_EQ(ReadAll(old), "an older thumbnail");
  }
  WriteAll(scratch.File("card.grx"), TwoTextCard(200, 100));
  for (const std::string size : {"0", "99999", "big", ""}) {
    SCOPED_TRACE(size);
    EXPECT_EQ(Thumbnail(scratch.File("card.grx") + " " + old + " --size " + size).Status, 2);
  }
  EXPECT_EQ(Thumbnail(scratch.File("card.grx") + " " + old).Status, 2);
  EXPECT_EQ(ReadAll(old), "an older thumbnail");
}
