// greetix-cli export as a program: the birthday card, the corpus, exit codes and messages.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include <sys/wait.h>

#include "MediaProbe.h"
#include "tools/CliRun.h"
#include "support/TestFolder.h"

using namespace exporttest;

namespace {

using TOutcome = TCliOutcome;

TCliOutcome RunCli(const std::string& arguments) { return RunGreetixCli(arguments); }

const std::string Birthday = std::string(GREETIX_SOURCE_DIR) + "/template/birthday.grx";

TEST(ExportCli, BirthdayCardBecomesAVideoOfItsTwentySeconds) {
  TTestFolder folder("greetix-export-");
  const TOutcome outcome = RunCli("export " + Birthday + " -o " + folder.File("card.mp4") + " --seed 3");
  ASSERT_EQ(outcome.Status, 0) << outcome.Output;
  TMediaProbe probe(folder.File("card.mp4"));
  EXPECT_EQ(probe.Video().Width, 400);
  EXPECT_EQ(probe.Video().Height, 300);
  EXPECT_EQ(probe.VideoPackets().size(), 240u);
  EXPECT_NEAR(probe.Duration(), 20.0, 1.0 / 12);
  // The jingle starts with the card.
  const std::vector<float> sound = probe.MonoSound();
  ASSERT_GT(sound.size(), 44100u);
  float loudest = 0;
  for (size_t i = 0; i < 44100 / 2; ++i) loudest = std::max(loudest, std::abs(sound[i]));
  EXPECT_GT(loudest, 0.05f);
}

TEST(ExportCli, ASoundChosenLastStartsAtItsOwnFirstFrame) {
  // The birthday card with its sound moved behind every other object, as a user who chooses
  // the music last has it, starting at frame 0 and then at frame 12 (one second at 12 fps).
  const std::string card = ReadWholeFile(Birthday);
  const size_t soundStart = card.find("<Obj><ObjName>Sound1");
  const size_t soundEnd = card.find("</Obj>", soundStart) + 6;
  ASSERT_NE(soundStart, std::string::npos);
  const std::string sound = card.substr(soundStart, soundEnd - soundStart);
  std::string soundLast = card;
  soundLast.erase(soundStart, soundEnd - soundStart);
  soundLast.insert(soundLast.rfind("</Movie>"), sound);
  for (const int start : {0, 12}) {
    SCOPED_TRACE(start);
    TTestFolder folder("greetix-export-");
    std::string variant = soundLast;
    const std::string from = "<ObjName>Sound1</ObjName><StartTime>0</StartTime>";
    variant.replace(variant.find(from), from.size(),
                    "<ObjName>Sound1</ObjName><StartTime>" + std::to_string(start) + "</StartTime>");
    // The card's media are found beside the program, as the template's are.
    const std::string path = folder.File("carol.grx");
    WriteWholeFile(path, variant);
    const TOutcome outcome = RunCli("export " + path + " -o " + folder.File("card.mp4") + " --seed 3");
    ASSERT_EQ(outcome.Status, 0) << outcome.Output;
    const std::vector<float> samples = TMediaProbe(folder.File("card.mp4")).MonoSound();
    size_t first = 0;
    while (first < samples.size() && std::abs(samples[first]) < 0.02f) ++first;
    ASSERT_LT(first, samples.size());
    const double expected = start / 12.0 * 44100;
    EXPECT_NEAR(static_cast<double>(first), expected, 44100.0 / 12) << first;
  }
}

TEST(ExportCli, CompressedBirthdayMovieIsAThirdOfTheMovieAtMost) {
  TTestFolder folder("greetix-export-");
  ASSERT_EQ(RunCli("render " + Birthday + " -o " + folder.File("card.swf") + " --final --seed 3").Status, 0);
  const TOutcome outcome = RunCli("export " + Birthday + " -o " + folder.File("small.swf") + " --seed 3");
  ASSERT_EQ(outcome.Status, 0) << outcome.Output;
  const auto plain = std::filesystem::file_size(folder.File("card.swf"));
  const auto small = std::filesystem::file_size(folder.File("small.swf"));
  EXPECT_LE(small * 3, plain) << small << " of " << plain;
  // Both play the same frames.
  ASSERT_EQ(RunCli("frame " + folder.File("card.swf") + " 100 -o " + folder.File("a.png")).Status, 0);
  ASSERT_EQ(RunCli("frame " + folder.File("small.swf") + " 100 -o " + folder.File("b.png")).Status, 0);
  EXPECT_EQ(ReadWholeFile(folder.File("a.png")), ReadWholeFile(folder.File("b.png")));
}

TEST(ExportCli, WrongArgumentsAndBadInputHaveTheirExitCodes) {
  TTestFolder folder("greetix-export-");
  const std::string out = " -o " + folder.File("x.mp4");
  EXPECT_EQ(RunCli("export " + Birthday).Status, 2);
  EXPECT_EQ(RunCli("export " + Birthday + " -o " + folder.File("x.avi")).Status, 2);
  EXPECT_EQ(RunCli("export " + Birthday + out + " --quality 0").Status, 2);
  EXPECT_EQ(RunCli("export " + Birthday + out + " --loops many").Status, 2);
  EXPECT_EQ(RunCli("export " + Birthday + out + " --scale -1").Status, 2);
  EXPECT_EQ(RunCli("export " + Birthday + out + " --frobnicate").Status, 2);
  EXPECT_EQ(RunCli("export notes.txt" + out).Status, 2);

  const TOutcome missing = RunCli("export " + folder.File("none.swf") + out);
  EXPECT_EQ(missing.Status, 1);
  EXPECT_NE(missing.Output.find("none.swf"), std::string::npos);
  EXPECT_EQ(std::count(missing.Output.begin(), missing.Output.end(), '\n'), 1);
  EXPECT_EQ(RunCli("export " + Birthday + " -o " + folder.File("no/such/folder/x.gif")).Status, 1);
  EXPECT_EQ(RunCli("export " + Birthday + out + " --width 9000").Status, 1);
  EXPECT_EQ(RunCli("export " + Birthday + out + " --size 9000x100").Status, 1);
  for (const char* size : {"12x", "x300", "0x100", "1280*720", "big"})
    EXPECT_EQ(RunCli("export " + Birthday + out + " --size " + size).Status, 2) << size;
  EXPECT_FALSE(std::filesystem::exists(folder.File("x.mp4")));
}

TEST(ExportCli, SizeFitsTheStageIntoAPictureOfThatSize) {
  TTestFolder folder("greetix-export-");
  ASSERT_EQ(RunCli("export " + Birthday + " -o " + folder.File("upright.png") + " --size 540x960").Status, 0);
  // The PNG header's width and height, big-endian at bytes 16 and 20.
  const std::string png = ReadWholeFile(folder.File("upright.png"));
  ASSERT_GT(png.size(), 24u);
  auto number = [&](size_t at) {
    return (uint32_t(uint8_t(png[at])) << 24) | (uint32_t(uint8_t(png[at + 1])) << 16) |
           (uint32_t(uint8_t(png[at + 2])) << 8) | uint32_t(uint8_t(png[at + 3]));
  };
  EXPECT_EQ(number(16), 540u);
  EXPECT_EQ(number(20), 960u);
}

// Movies of other tools, with gradients and bitmaps, export like our own.
TEST(ExportCli, CorpusMoviesWithGradientsAndBitmapsExport) {
  const char* corpus = std::getenv("GREETIX_CORPUS");
  if (!corpus || !*corpus) GTEST_SKIP() << "no corpus";
  TTestFolder folder("greetix-export-");
  for (const char* name : {"gradients", "shumway.acid-bitmap-fill"}) {
    const std::string movie = std::string(corpus) + "/ruffle-visual/" + name + "/test.swf";
    if (!std::filesystem::exists(movie)) continue;
    const TOutcome outcome = RunCli("export " + movie + " -o " + folder.File(std::string(name) + ".webm"));
    EXPECT_EQ(outcome.Status, 0) << name << ": " << outcome.Output;
    EXPECT_GT(TMediaProbe(folder.File(std::string(name) + ".webm")).VideoPackets().size(), 0u) << name;
  }
}

}  // namespace
