// greetix-cli thumbnail: the file manager's picture of a card or a movie.
#include <gtest/gtest.h>

#include <QImage>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <zlib.h>

#include <cstdint>
#include <filesystem>

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

// A compressed movie of a few hundred kilobytes that unpacks to almost the largest movie
// read: the thumbnail holds at most 300 MB at any moment (it may give up), and ends.
TEST(Thumbnail, AMovieThatUnpacksToHundredsOfMegabytesStaysWithinItsMemory)
{
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the sanitizer's own memory counts against the limit";
#endif
  TScratch scratch;
  // Header: stage 400 x 300, 12 frames a second, one frame; a background, then one
  // DefineBinaryData of zeros that fills the movie up to just under 256 MB.
  std::string body = std::string("\x78\x00\x03\xe8\x00\x00\x0b\xb8\x00", 9) + std::string("\x00\x0c\x01\x00", 4);
  body += std::string("\x43\x02\x20\x40\x60", 5);
  const std::uint32_t dataSize = (256u << 20) - 200;
  const std::uint32_t tagSize = dataSize + 6;
  body += std::string("\xff\x15", 2) + std::string(reinterpret_cast<const char*>(&tagSize), 4);
  body += std::string("\x01\x00\x00\x00\x00\x00", 6) + std::string(dataSize, '\0');
  body += std::string("\x40\x00\x00\x00", 4);
  uLongf packedSize = compressBound(body.size());
  std::string packed(packedSize, '\0');
  ASSERT_EQ(compress2(reinterpret_cast<Bytef*>(packed.data()), &packedSize,
                      reinterpret_cast<const Bytef*>(body.data()), body.size(), 9), Z_OK);
  packed.resize(packedSize);
  const std::uint32_t length = static_cast<std::uint32_t>(body.size() + 8);
  WriteAll(scratch.File("big.swf"), "CWS\x0a" + std::string(reinterpret_cast<const char*>(&length), 4) + packed);
  body.clear();
  body.shrink_to_fit();

  std::fflush(nullptr);
  const pid_t child = fork();
  if (child == 0) {
    const int quiet = open("/dev/null", O_WRONLY);
    dup2(quiet, STDOUT_FILENO);
    dup2(quiet, STDERR_FILENO);
    execl(GREETIX_CLI, GREETIX_CLI, "thumbnail", scratch.File("big.swf").c_str(), scratch.File("big.png").c_str(),
          "--size", "128", static_cast<char*>(nullptr));
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  ASSERT_EQ(wait4(child, &status, 0, &usage), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_LE(WEXITSTATUS(status), 1);
  EXPECT_LT(usage.ru_maxrss, 300 * 1024);
  if (WEXITSTATUS(status) == 1) EXPECT_FALSE(std::filesystem::exists(scratch.File("big.png")));
}
