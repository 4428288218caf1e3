// Every command that writes a file, on a disk that is full: it says so on one line, exits 1,
// and the file it would have replaced is byte for byte what it was.
#include <gtest/gtest.h>

#include <cstdio>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include "CardFiles.h"
#include "CliRun.h"
#include "support/FileSizeLimit.h"

namespace {

std::string Library(const std::string& name) { return std::string(GREETIX_SOURCE_DIR) + "/library/" + name; }

// A card whose movie takes a few kilobytes.
std::string BusyCard() { return CardXml({{"Rainbow", 0, 24, 10, 10, "Many happy returns"}}, 48, false, 320, 240); }

} // namespace

TEST(FullDisk, EveryWritingCommandReportsItAndKeepsTheOldFile)
{
  TScratch scratch;
  WriteAll(scratch.File("card.grx"), BusyCard());
  const std::string movie = scratch.File("movie.swf");
  const std::string program = scratch.File("movie.exe");
  ASSERT_EQ(RunGreetixCli("render " + scratch.File("card.grx") + " -o " + movie).Status, 0);
  ASSERT_EQ(RunGreetixCli("swf2exe " + movie + " " + program).Status, 0);

  struct TWriter {
    std::string Arguments;
    std::string Target;
  };
  const std::vector<TWriter> writers = {
      {"render " + scratch.File("card.grx") + " -o @ --final", "out.swf"},
      {"swf2exe " + movie + " @", "out.exe"},
      {"exe2swf " + program + " @", "back.swf"},
      {"import-sound " + Library("jingle.wav") + " -o @", "sound.wav"},
      {"frame " + movie + " 5 -o @", "frame.png"},
      {"export " + movie + " -o @", "shared.gif"},
      {"export " + movie + " -o @", "shared.swf"},
  };
  for (const TWriter& writer : writers) {
    SCOPED_TRACE(writer.Arguments);
    const std::string target = scratch.File(writer.Target);
    const std::string old = "the file that was there: " + writer.Target;
    WriteAll(target, old);
    std::string arguments = writer.Arguments;
    arguments.replace(arguments.find('@'), 1, target);
    TCliOutcome outcome;
    {
      TFileSizeLimit full(old.size() + 40);
      outcome = RunGreetixCli(arguments);
    }
    EXPECT_EQ(outcome.Status, 1) << outcome.Output;
    EXPECT_EQ(std::count(outcome.Output.begin(), outcome.Output.end(), '\n'), 1) << outcome.Output;
    EXPECT_EQ(ReadAll(target), old);
    // With room, the same command succeeds: the limit was the only fault.
    EXPECT_EQ(RunGreetixCli(arguments).Status, 0);
    EXPECT_NE(ReadAll(target), old);
  }
  for (const auto& entry : std::filesystem::directory_iterator(scratch.File("")))
    EXPECT_NE(entry.path().filename().string().front(), '.') << entry.path();
}

// A real full file system: a tmpfs of a few kilobytes, which only root may mount.
TEST(FullDisk, ARenderOntoAFullFileSystemKeepsTheOldMovie)
{
  TScratch scratch;
  const std::string disk = scratch.File("disk");
  std::filesystem::create_directory(disk);
  if (geteuid() != 0 || mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=4k") != 0)
    GTEST_SKIP() << "mounting a small file system needs root";
  struct TUnmount {
    std::string Folder;
    ~TUnmount() { umount(Folder.c_str()); }
  } unmount{disk};

  WriteAll(scratch.File("card.grx"), BusyCard());
  const std::string target = disk + "/card.swf";
  WriteAll(target, "old movie");
  const TCliOutcome rendered = RunGreetixCli("render " + scratch.File("card.grx") + " -o " + target);
  EXPECT_EQ(rendered.Status, 1) << rendered.Output;
  EXPECT_NE(rendered.Output.find("card.swf"), std::string::npos) << rendered.Output;
  EXPECT_EQ(ReadAll(target), "old movie");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(disk), {}), 1);

  // The movie does fit elsewhere: the small disk was the reason.
  EXPECT_EQ(RunGreetixCli("render " + scratch.File("card.grx") + " -o " + scratch.File("card.swf")).Status, 0);
  EXPECT_GT(std::filesystem::file_size(scratch.File("card.swf")), 4096u);
}

// A list's cards onto a disk that fills up: the run stops once it finds the disk full, tells
// why and the summary, instead of rendering every row left to fail it.
TEST(FullDisk, ABatchStopsOnceTheDiskIsFull)
{
  TScratch scratch;
  const std::string disk = scratch.File("disk");
  std::filesystem::create_directory(disk);
  if (geteuid() != 0 || mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=64k") != 0)
    GTEST_SKIP() << "mounting a small file system needs root";
  struct TUnmount {
    std::string Folder;
    ~TUnmount() { umount(Folder.c_str()); }
  } unmount{disk};

  WriteAll(scratch.File("card.grx"), CardXml({{"Rainbow", 0, 24, 10, 10, "Dear {Name}"}}, 24, false, 320, 240));
  std::string list = "Name\n";
  for (int i = 0; i < 30; ++i) list += "Person " + std::to_string(i) + "\n";
  WriteAll(scratch.File("list.csv"), list);
  const TCliOutcome run = RunGreetixCli("batch " + scratch.File("card.grx") + " " + scratch.File("list.csv") + " -o " +
                                        disk + " --format gif --jobs 2");
  EXPECT_EQ(run.Status, 1) << run.Output;
  EXPECT_NE(run.Output.find("no space left on the device"), std::string::npos) << run.Output;
  EXPECT_NE(run.Output.find("is full: no other card is begun"), std::string::npos) << run.Output;
  EXPECT_NE(run.Output.find("not made (stopped)"), std::string::npos) << run.Output;
  // At most the rows the two workers had begun fail; the others are not begun.
  const std::size_t failures = std::count(run.Output.begin(), run.Output.end(), '\n');
  EXPECT_LE(failures, 6u) << run.Output;
  for (const auto& entry : std::filesystem::directory_iterator(disk))
    EXPECT_NE(entry.path().filename().string().front(), '.') << entry.path();
}
