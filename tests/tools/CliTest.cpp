// greetix-cli render as a program: usage, exit codes and one-line errors.
#include <gtest/gtest.h>

#include <cstdio>
#include <sys/wait.h>
#include <unistd.h>

#include "CardFiles.h"
#include "CliRun.h"
#include "document/CardValues.h"
#include "card/SwfStageSize.h"
#include "document/XMLUnit.h"
#include "swf/reader/MovieParser.h"

TEST(Cli, RenderWritesTheMovieAndReportsBadInputOnOneLine)
{
  TScratch scratch;
  EXPECT_EQ(RunGreetixCli("").Status, 0);
  EXPECT_NE(RunGreetixCli("").Output.find("render CARD.grx -o OUT.swf"), std::string::npos);

  WriteAll(scratch.File("card.grx"), CardXml({{"Rainbow", 0, 24, 10, 10, "Hooray"}}, 0, false, 300, 200));
  const std::string out = scratch.File("out.swf");
  const TCliOutcome rendered = RunGreetixCli("render " + scratch.File("card.grx") + " -o " + out + " --final --seed 5");
  EXPECT_EQ(rendered.Status, 0) << rendered.Output;
  EXPECT_EQ(SwfStageWidth(out), 300);
  EXPECT_EQ(SwfStageHeight(out), 200);
  // The same seed gives the same movie.
  const std::string first = ReadAll(out);
  EXPECT_EQ(RunGreetixCli("render " + scratch.File("card.grx") + " -o " + out + " --final --seed 5").Status, 0);
  EXPECT_EQ(ReadAll(out), first);

  WriteAll(scratch.File("bad.grx"), "<Movie><Width>abc</Width>");
  const TCliOutcome bad = RunGreetixCli("render " + scratch.File("bad.grx") + " -o " + scratch.File("bad.swf"));
  EXPECT_EQ(bad.Status, 1);
  EXPECT_EQ(std::count(bad.Output.begin(), bad.Output.end(), '\n'), 1) << bad.Output;
  EXPECT_NE(bad.Output.find("bad.grx"), std::string::npos);

  EXPECT_EQ(RunGreetixCli("render " + scratch.File("card.grx")).Status, 2);
  EXPECT_EQ(RunGreetixCli("render " + scratch.File("card.grx") + " -o x.swf --seed many").Status, 2);
}

TEST(Cli, AMissingPictureIsToldOnceHoweverManyPassesMeetIt)
{
  TScratch scratch;
  std::string card = CardXml({{"Fade", 0, 24, 10, 10, "Hi"}}, 0, false, 300, 200);
  card.replace(card.find("<BgPic>"), 7, "<BgPic>" + scratch.File("gone.jpg"));
  WriteAll(scratch.File("card.grx"), card);
  const TCliOutcome rendered = RunGreetixCli("render " + scratch.File("card.grx") + " -o " + scratch.File("out.swf") + " --final");
  EXPECT_EQ(rendered.Status, 0) << rendered.Output;
  std::size_t told = 0;
  for (std::size_t at = rendered.Output.find("gone.jpg"); at != std::string::npos;
       at = rendered.Output.find("gone.jpg", at + 1))
    ++told;
  EXPECT_EQ(told, 1u) << rendered.Output;
}

TEST(Cli, ShippedTemplatesRenderToPlainMoviesOfTheirStage)
{
  TScratch scratch;
  for (const std::string name : {"blank.grx", "birthday.grx"}) {
    SCOPED_TRACE(name);
    const std::string card = std::string(GREETIX_SOURCE_DIR) + "/template/" + name;
    const std::string out = scratch.File(name + ".swf");
    const TCliOutcome rendered = RunGreetixCli("render " + card + " -o " + out + " --final");
    ASSERT_EQ(rendered.Status, 0) << rendered.Output;

    TXMLCardDocument document(card);
    const TXMLMovie settings = BindMovie(document);
    const swf::TMovie movie = swf::LoadMovieFile(out);
    EXPECT_TRUE(movie.Warnings.empty());
    EXPECT_EQ(movie.Header.Signature, 'F');
    EXPECT_EQ(movie.Header.Version, 8);
    EXPECT_EQ(movie.Header.FrameSize, (swf::TRect{0, settings.Width() * 20, 0, settings.Height() * 20}));
    EXPECT_EQ(SwfStageWidth(out), settings.Width());
    EXPECT_EQ(SwfStageHeight(out), settings.Height());
    EXPECT_EQ(movie.Header.FrameRate, settings.Rate() << 8);
    // The card keeps its colour as $BBGGRR.
    const uint32_t colour = ParseColourText(settings.BgColor()).value();
    ASSERT_TRUE(movie.BackgroundColor.has_value());
    EXPECT_EQ(*movie.BackgroundColor,
              (swf::TRgba{uint8_t(colour & 0xFF), uint8_t(colour >> 8 & 0xFF), uint8_t(colour >> 16 & 0xFF), 255}));
  }
}

TEST(Cli, AKilledCommandsWorkingFolderIsRemovedByTheNextAndNoneIsLeft)
{
  TScratch scratch;
  const std::string temp = scratch.File("tmp");
  std::filesystem::create_directory(temp);
  const pid_t ended = fork();
  if (ended == 0) _exit(0);
  waitpid(ended, nullptr, 0);
  const std::string killed = temp + "/greetix-render-" + std::to_string(ended) + "-a1B2c3";
  std::filesystem::create_directory(killed);
  WriteAll(killed + "/Untitled.swf", "what a killed render left");
  WriteAll(scratch.File("card.grx"), CardXml({{"Fade", 0, 9, 10, 10}}, 10, false, 100, 80));

  for (const std::string& command : {"render " + scratch.File("card.grx") + " -o " + scratch.File("out.swf"),
                                     "thumbnail " + scratch.File("card.grx") + " " + scratch.File("out.png") + " --size 32",
                                     "export " + scratch.File("card.grx") + " -o " + scratch.File("out.gif")}) {
    SCOPED_TRACE(command);
    const TCliOutcome outcome = RunGreetixCli(command, "env TMPDIR=" + temp);
    EXPECT_EQ(outcome.Status, 0) << outcome.Output;
    EXPECT_TRUE(std::filesystem::is_empty(temp));
  }
}

TEST(Cli, InfoReadsAMovieWithoutLoadingTheDrawingOrEncodingLibraries)
{
  TScratch scratch;
  WriteAll(scratch.File("card.grx"), CardXml({{"Fade", 0, 24, 10, 10, "Hi"}}, 0, false, 300, 200));
  const std::string movie = scratch.File("card.swf");
  ASSERT_EQ(RunGreetixCli("render " + scratch.File("card.grx") + " -o " + movie).Status, 0);
  // The dynamic linker names every library it loads.
  const TCliOutcome info = RunGreetixCli("info " + movie, "env LD_DEBUG=libs");
  EXPECT_EQ(info.Status, 0) << info.Output;
  EXPECT_NE(info.Output.find("Stage: 300 x 200 px"), std::string::npos) << info.Output;
  for (const std::string heavy : {"libavcodec", "libavformat", "libQt6Gui", "libQt6Core", "libx264"})
    EXPECT_EQ(info.Output.find(heavy), std::string::npos) << heavy;
  // Every other command still runs, by the program that holds them all.
  const TCliOutcome frame = RunGreetixCli("frame " + movie + " 3 -o " + scratch.File("f.png"));
  EXPECT_EQ(frame.Status, 0) << frame.Output;
  EXPECT_EQ(RunGreetixCli("no-such-command").Status, 2);
}
