// Every command that reads a file the user names refuses a folder, a named pipe and a
// device by what it is: no wait for a pipe's writer, no size made up for a folder.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include "CardFiles.h"
#include "CliRun.h"

TEST(SpecialInput, EveryReadingCommandRefusesAFolderAPipeAndADevice)
{
  TScratch scratch;
  WriteAll(scratch.File("card.grx"), CardXml({{"Fade", 0, 9, 10, 10}}, 10, false, 100, 80));
  WriteAll(scratch.File("list.csv"), "Name\nAnn\n");
  const std::vector<std::pair<std::string, std::string>> kinds = {
      {"folder", "folder"}, {"pipe", "named pipe"}, {"device", "device"}};
  for (const std::string extension : {".swf", ".grx", ".exe", ".wav", ".csv"}) {
    std::filesystem::create_directory(scratch.File("folder" + extension));
    ASSERT_EQ(mkfifo(scratch.File("pipe" + extension).c_str(), 0600), 0);
    std::filesystem::create_symlink("/dev/null", scratch.File("device" + extension));
  }
  // @ stands for the input, % for the output (without its extension).
  const std::vector<std::pair<std::string, std::string>> commands = {
      {"info @", ".swf"},
      {"frame @ 0 -o %.png", ".swf"},
      {"exe2swf @ %.swf", ".exe"},
      {"swf2exe @ %.exe", ".swf"},
      {"render @ -o %.swf", ".grx"},
      {"thumbnail @ %.png --size 32", ".swf"},
      {"thumbnail @ %.png --size 32", ".grx"},
      {"export @ -o %.gif", ".swf"},
      {"export @ -o %.gif", ".grx"},
      {"import-sound @ -o %.wav", ".wav"},
      {"batch @ " + scratch.File("list.csv") + " -o %", ".grx"},
      {"batch " + scratch.File("card.grx") + " @ -o %", ".csv"},
  };
  for (const auto& [kind, word] : kinds) {
    for (const auto& [command, extension] : commands) {
      std::string arguments = command;
      arguments.replace(arguments.find('@'), 1, scratch.File(kind + extension));
      if (const std::size_t out = arguments.find('%'); out != std::string::npos)
        arguments.replace(out, 1, scratch.File("out"));
      SCOPED_TRACE(arguments);
      // A reader that waited for the pipe's writer would wait for ever: timeout ends it.
      const TCliOutcome outcome = RunGreetixCli(arguments, "timeout 60");
      EXPECT_EQ(outcome.Status, 1) << outcome.Output;
      EXPECT_NE(outcome.Output.find(word), std::string::npos) << outcome.Output;
      EXPECT_EQ(std::count(outcome.Output.begin(), outcome.Output.end(), '\n'), 1) << outcome.Output;
      for (const auto& entry : std::filesystem::directory_iterator(scratch.File("")))
        EXPECT_NE(entry.path().stem(), "out") << entry.path();
    }
  }
}
