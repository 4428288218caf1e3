// A card for every row of a list: bad rows reported by row while the others are made,
// shards that add up to one run, and runs that are stopped and started again.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <map>
#include <regex>
#include <thread>

#include "CardFiles.h"
#include "CliRun.h"
#include "tools/BatchRun.h"
#include "tools/BatchSummary.h"
#include "bulk/CardCheck.h"

namespace {

namespace fs = std::filesystem;

std::string Quote(const std::string& text) { return "'" + text + "'"; }

// A short card whose texts use {Name} (per letter) and {City} (whole).
std::string FieldCard()
{
  return CardXml({{"Rainbow", 0, 6, 10, 10, "Dear {Name}"}, {"Fade", 2, 8, 10, 60, "from {City} {{with love}}"}}, 10,
                 false, 200, 120);
}

// Every file of the folder with its bytes; unfinished (hidden) files under their own name.
std::map<std::string, std::string> FolderFiles(const std::string& folder)
{
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::directory_iterator(folder)) files[entry.path().filename().string()] = ReadAll(entry.path());
  return files;
}

std::string NumberedList(int rows)
{
  std::string list = "Name,City\n";
  for (int i = 0; i < rows; ++i) list += "Person " + std::to_string(i) + ",Town " + std::to_string(i % 7) + "\n";
  return list;
}

TBatchOptions Options(const TScratch& scratch, const std::string& output)
{
  TBatchOptions options;
  options.CardFile = scratch.File("card.grx");
  options.ListFile = scratch.File("list.csv");
  options.OutputFolder = scratch.File(output);
  options.Seed = 4;
  return options;
}

// Runs in this process; returns the outcome of every reported row by index.
std::map<int, TRowOutcome> RunRows(const TBatchOptions& options)
{
  std::map<int, TRowOutcome> outcomes;
  const TBatchPlan plan = PlanBatch(options);
  RunBatch(options, plan, [&](const TRowReport& report) {
    EXPECT_TRUE(outcomes.emplace(report.Index, report.Outcome).second) << "row reported twice";
  }, nullptr);
  return outcomes;
}

} // namespace

TEST(Batch, BadRowsAreReportedByRowAndTheOthersAreMade)
{
  TScratch scratch;
  WriteAll(scratch.File("card.grx"), FieldCard());
  WriteAll(scratch.File("list.csv"), "Name,City,Unused\n"
                                     "Ann,Oslo\n"
                                     "Bob\n"                 // no City
                                     "ann,\"Rome, Italy\"\n" // a name taken but for its case
                                     "\"C\"d,Bern\n"         // malformed
                                     "../../x,Lima\n"        // unsafe
                                     "Eve,Kyiv\n"            // cannot be written, see below
                                     "李小龍,北京\n");
  fs::create_directories(scratch.File("out/Eve.swf"));
  const TCliOutcome run = RunGreetixCli("batch " + scratch.File("card.grx") + " " + scratch.File("list.csv") + " -o " +
                              scratch.File("out") + " --seed 4 --jobs 2");
  EXPECT_EQ(run.Status, 1) << run.Output;
  EXPECT_NE(run.Output.find("note: column \"Unused\" is not used"), std::string::npos) << run.Output;
  EXPECT_EQ(run.Output.find("warning"), std::string::npos) << run.Output;
  EXPECT_NE(run.Output.find("row 3: no value for the field \"City\""), std::string::npos) << run.Output;
  EXPECT_NE(run.Output.find("row 5: text after a closing quote"), std::string::npos) << run.Output;
  EXPECT_NE(run.Output.find("row 7: cannot write"), std::string::npos) << run.Output;
  EXPECT_NE(run.Output.find("row 6: written as \"_._x.swf\""), std::string::npos) << run.Output;
  EXPECT_NE(run.Output.find("4 cards made, 3 failed in "), std::string::npos) << run.Output;

  const auto files = FolderFiles(scratch.File("out"));
  EXPECT_EQ(files.size(), 5u); // four cards and the folder that stood in the way
  for (const std::string name : {"Ann.swf", "ann-2.swf", "_._x.swf", "李小龍.swf"})
    EXPECT_TRUE(IsCompleteMovie(scratch.File("out/" + name))) << name;

  // A card of the list is the card rendered with the row's values.
  const TCliOutcome single = RunGreetixCli("render " + scratch.File("card.grx") + " -o " + scratch.File("single.swf") +
                                 " --final --seed 4 --set Name=ann --set " + Quote("City=Rome, Italy"));
  ASSERT_EQ(single.Status, 0) << single.Output;
  EXPECT_EQ(ReadAll(scratch.File("single.swf")), ReadAll(scratch.File("out/ann-2.swf")));
}

TEST(Batch, RowsWhoseTextRunsOffTheStageAreToldAndStillMade)
{
  TScratch scratch;
  // "Dear {Name}" whole, from x = 10 on a stage 200 pixels wide.
  WriteAll(scratch.File("card.grx"), CardXml({{"Fade", 0, 4, 10, 10, "Dear {Name}", 14}}, 6, false, 200, 100));
  WriteAll(scratch.File("list.csv"), "Name\nAnn\nBartholomew Maximilian Fitzgerald\nEve\n");
  const std::string command =
      "batch " + scratch.File("card.grx") + " " + scratch.File("list.csv") + " -o " + scratch.File("out") + " --jobs 2";
  const TCliOutcome run = RunGreetixCli(command);
  EXPECT_EQ(run.Status, 0) << run.Output;
  EXPECT_NE(run.Output.find("row 3: the text \"Dear Bartholomew Maximilian Fitzgerald\" runs off the stage"),
            std::string::npos) << run.Output;
  EXPECT_EQ(run.Output.find("row 2:"), std::string::npos) << run.Output;
  EXPECT_NE(run.Output.find("3 cards made in "), std::string::npos) << run.Output;
  EXPECT_NE(run.Output.find(" s; 1 row's text runs off the stage"), std::string::npos) << run.Output;
  EXPECT_TRUE(IsCompleteMovie(scratch.File("out/Bartholomew Maximilian Fitzgerald.swf")));
  // A rerun still tells it of the card already there.
  const TCliOutcome rerun = RunGreetixCli(command);
  EXPECT_NE(rerun.Output.find("0 cards made, 3 already there in "), std::string::npos) << rerun.Output;
  EXPECT_NE(rerun.Output.find("1 row's text runs off the stage"), std::string::npos) << rerun.Output;
}

TEST(Batch, TheSummaryReadsAsASentence)
{
  EXPECT_EQ(BatchSummary({.Made = 5, .OffStage = 1}, 4.62), "5 cards made in 4.6 s; 1 row's text runs off the stage");
  EXPECT_EQ(BatchSummary({.Made = 1}, 0.31), "1 card made in 0.3 s");
  EXPECT_EQ(BatchSummary({.Made = 2, .Skipped = 3, .Failed = 1, .Stopped = 4, .OffStage = 2}, 10),
            "2 cards made, 3 already there, 1 failed, 4 not made (stopped) in 10.0 s; 2 rows' text runs off the stage");
}

TEST(Batch, WholeRunFaultsStopBeforeAnyCard)
{
  TScratch scratch;
  WriteAll(scratch.File("card.grx"), FieldCard());
  const std::string command =
      "batch " + scratch.File("card.grx") + " " + scratch.File("list.csv") + " -o " + scratch.File("out");
  WriteAll(scratch.File("list.csv"), "Name\nAnn\n");
  const TCliOutcome missingColumn = RunGreetixCli(command);
  EXPECT_EQ(missingColumn.Status, 1);
  EXPECT_NE(missingColumn.Output.find("no column \"City\", which the card uses"), std::string::npos);
  WriteAll(scratch.File("list.csv"), "Name,City\n\n");
  EXPECT_NE(RunGreetixCli(command).Output.find("has no rows"), std::string::npos);
  WriteAll(scratch.File("list.csv"), "Name,City\nAnn,Oslo\n");
  EXPECT_NE(RunGreetixCli(command + " --name {Nick}").Output.find("no column \"Nick\", which the name uses"), std::string::npos);
  EXPECT_NE(RunGreetixCli(command + " --format mp3").Output.find("unknown format"), std::string::npos);
  EXPECT_EQ(RunGreetixCli(command + " --shard 3/3").Status, 2);
  EXPECT_EQ(RunGreetixCli(command + " --jobs 0").Status, 2);
  EXPECT_FALSE(fs::exists(scratch.File("out")));
}

TEST(Batch, ShardsTogetherMakeExactlyTheCardsOfOneRun)
{
  TScratch scratch;
  WriteAll(scratch.File("card.grx"), FieldCard());
  WriteAll(scratch.File("list.csv"), NumberedList(10) + "Person 3,Again\n");
  TBatchOptions whole = Options(scratch, "whole");
  whole.Jobs = 2;
  whole.NamePattern = "{Name}";
  EXPECT_EQ(RunRows(whole).size(), 11u);

  std::map<int, TRowOutcome> sharded;
  for (int shard = 0; shard < 3; ++shard) {
    TBatchOptions options = Options(scratch, "shards");
    options.NamePattern = "{Name}";
    options.ShardIndex = shard;
    options.ShardCount = 3;
    for (const auto& [index, outcome] : RunRows(options)) {
      EXPECT_EQ(index % 3, shard);
      EXPECT_TRUE(sharded.emplace(index, outcome).second);
    }
  }
  EXPECT_EQ(sharded.size(), 11u);
  const auto files = FolderFiles(scratch.File("whole"));
  EXPECT_EQ(files.size(), 11u);
  EXPECT_TRUE(files.count("Person 3-2.swf")); // the repeat is numbered the same in every shard
  EXPECT_EQ(FolderFiles(scratch.File("shards")), files);
}

TEST(Batch, RerunSkipsWholeCardsAndRemakesBrokenOnes)
{
  TScratch scratch;
  WriteAll(scratch.File("card.grx"), FieldCard());
  WriteAll(scratch.File("list.csv"), NumberedList(4));
  TBatchOptions options = Options(scratch, "out");
  options.Format = "exe";
  options.ProgramFolder = fs::path(GREETIX_CLI).parent_path().string();
  RunRows(options);
  const std::string kept = scratch.File("out/Person 0.exe");
  ASSERT_TRUE(IsCompleteProjector(kept));
  EXPECT_EQ(fs::status(kept).permissions() & fs::perms::owner_exec, fs::perms::owner_exec);
  const auto keptTime = fs::last_write_time(kept);

  // A card cut short (as a power cut could leave it) and a leftover of a killed writer.
  const std::string cut = scratch.File("out/Person 1.exe");
  fs::resize_file(cut, fs::file_size(cut) - 100);
  WriteAll(scratch.File("out/.Person 2.exe.999999999.0badf00d"), "half");
  fs::remove(scratch.File("out/Person 3.exe"));

  const std::map<int, TRowOutcome> rerun = RunRows(options);
  EXPECT_EQ(rerun.at(0), TRowOutcome::Skipped);
  EXPECT_EQ(rerun.at(1), TRowOutcome::Made);
  EXPECT_EQ(rerun.at(2), TRowOutcome::Skipped);
  EXPECT_EQ(rerun.at(3), TRowOutcome::Made);
  EXPECT_EQ(fs::last_write_time(kept), keptTime);
  const auto files = FolderFiles(scratch.File("out"));
  EXPECT_EQ(files.size(), 4u);
  for (const auto& [name, bytes] : files) EXPECT_TRUE(IsCompleteProjector(scratch.File("out/" + name))) << name;
}

TEST(Batch, KilledRunLeavesOnlyWholeCardsAndTheRerunFinishes)
{
  TScratch scratch;
  WriteAll(scratch.File("card.grx"), FieldCard());
  const int rows = 400;
  WriteAll(scratch.File("list.csv"), NumberedList(rows));
  const std::string out = scratch.File("out");
  const pid_t run = fork();
  if (run == 0) {
    execl(GREETIX_CLI, GREETIX_CLI, "batch", scratch.File("card.grx").c_str(), scratch.File("list.csv").c_str(), "-o",
          out.c_str(), "--jobs", "2", static_cast<char*>(nullptr));
    _exit(127);
  }
  ASSERT_GT(run, 0);
  // Kill it once some cards are made (or when it has ended on its own).
  int status = 0;
  for (int waited = 0; waited < 2000 && waitpid(run, &status, WNOHANG) == 0; ++waited) {
    std::error_code ignored;
    if (fs::exists(out, ignored) && std::distance(fs::directory_iterator(out), {}) >= 20) {
      kill(run, SIGKILL);
      waitpid(run, &status, 0);
      break;
    }
    usleep(5000);
  }
  for (const auto& entry : fs::directory_iterator(out)) {
    const std::string name = entry.path().filename().string();
    if (name[0] != '.') EXPECT_TRUE(IsCompleteMovie(entry.path().string())) << name;
  }

  const TCliOutcome rerun = RunGreetixCli("batch " + scratch.File("card.grx") + " " + scratch.File("list.csv") + " -o " + out);
  EXPECT_EQ(rerun.Status, 0) << rerun.Output;
  std::smatch counts;
  ASSERT_TRUE(std::regex_search(rerun.Output, counts, std::regex(R"((\d+) cards? made(, (\d+) already there)?)")))
      << rerun.Output;
  EXPECT_EQ(std::stoi(counts[1]) + (counts[3].matched ? std::stoi(counts[3]) : 0), rows) << rerun.Output;
  const auto files = FolderFiles(out);
  EXPECT_EQ(files.size(), static_cast<std::size_t>(rows)); // no unfinished file is left
  for (const auto& [name, bytes] : files) ASSERT_TRUE(IsCompleteMovie(out + "/" + name)) << name;
}

// A value past the limit and a card that would leave out an object fail their rows: told by
// row, never by the whole value, while the other rows are made.
TEST(Batch, OverlongValuesAndLeftOutObjectsFailTheirRows)
{
  TScratch scratch;
  WriteAll(scratch.File("card.grx"), FieldCard());
  WriteAll(scratch.File("list.csv"), "Name,City\nAnn,Oslo\n" + std::string(70000, 'x') + ",Rome\nBob," +
                                         std::string(12000, 'y') + "\nCy,Lima\n");
  const TCliOutcome run = RunGreetixCli("batch " + scratch.File("card.grx") + " " + scratch.File("list.csv") + " -o " +
                                        scratch.File("out") + " --seed 4 --jobs 2");
  EXPECT_EQ(run.Status, 1) << run.Output.substr(0, 2000);
  EXPECT_NE(run.Output.find("row 3: the value of the field \"Name\" is longer than 64 KB"), std::string::npos)
      << run.Output.substr(0, 2000);
  EXPECT_NE(run.Output.find("row 4: 1 object was left out of the card"), std::string::npos) << run.Output.substr(0, 2000);
  EXPECT_NE(run.Output.find("2 cards made, 2 failed in "), std::string::npos) << run.Output.substr(0, 2000);
  EXPECT_LT(run.Output.size(), 2000u); // no value is shown whole
  const auto files = FolderFiles(scratch.File("out"));
  EXPECT_EQ(files.size(), 2u);
  EXPECT_TRUE(files.count("Ann.swf") && files.count("Cy.swf"));
}

namespace {

// Runs greetix-cli with the arguments, standard output and error into `output`; returns the
// exit status and the most memory it held at once (kilobytes).
std::pair<int, long> RunMeasured(const std::vector<std::string>& arguments, const std::string& output,
                                 const std::function<void(pid_t)>& meanwhile = nullptr)
{
  std::fflush(nullptr);
  const pid_t child = fork();
  if (child == 0) {
    const int file = open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    dup2(file, STDOUT_FILENO);
    dup2(file, STDERR_FILENO);
    std::vector<char*> argv{const_cast<char*>(GREETIX_CLI)};
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    execv(GREETIX_CLI, argv.data());
    _exit(127);
  }
  if (meanwhile) meanwhile(child);
  int status = 0;
  rusage usage{};
  wait4(child, &status, 0, &usage);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status), usage.ru_maxrss};
}

} // namespace

// The list is read as a stream and a shard keeps only its rows: one row of a long list
// takes about the memory of one row of a short one.
TEST(Batch, OneRowOfALongListTakesTheMemoryOfOneRowOfAShortOne)
{
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the sanitizer keeps freed memory for a while: its peaks grow with the work";
#endif
  TScratch scratch;
  WriteAll(scratch.File("card.grx"), FieldCard());
  WriteAll(scratch.File("short.csv"), NumberedList(10));
  WriteAll(scratch.File("long.csv"), NumberedList(400000));
  const auto [shortStatus, shortPeak] = RunMeasured(
      {"batch", scratch.File("card.grx"), scratch.File("short.csv"), "-o", scratch.File("a"), "--jobs", "1", "--shard",
       "3/10", "--seed", "4"},
      scratch.File("short.txt"));
  ASSERT_EQ(shortStatus, 0) << ReadAll(scratch.File("short.txt"));
  const auto [longStatus, longPeak] = RunMeasured(
      {"batch", scratch.File("card.grx"), scratch.File("long.csv"), "-o", scratch.File("b"), "--jobs", "1", "--shard",
       "3/400000", "--seed", "4"},
      scratch.File("long.txt"));
  ASSERT_EQ(longStatus, 0) << ReadAll(scratch.File("long.txt"));
  EXPECT_NE(ReadAll(scratch.File("long.txt")).find("1 card made in "), std::string::npos);
  EXPECT_EQ(ReadAll(scratch.File("a/Person 3.swf")), ReadAll(scratch.File("b/Person 3.swf")));
  // Keeping the 400 000 rows took about 200 MB; their names' fingerprints take 8.
  EXPECT_LT(longPeak, shortPeak + 32 * 1024) << "kB for 10 rows: " << shortPeak << ", for 400 000: " << longPeak;
}

// A closed terminal stops a run as Ctrl-C does: the card being made is dropped, the summary
// is told, and only whole cards are left.
TEST(Batch, HangingUpStopsTheRunCleanly)
{
  TScratch scratch;
  WriteAll(scratch.File("card.grx"), FieldCard());
  WriteAll(scratch.File("list.csv"), NumberedList(400));
  const std::string out = scratch.File("out");
  const auto [status, peak] = RunMeasured(
      {"batch", scratch.File("card.grx"), scratch.File("list.csv"), "-o", out, "--jobs", "2", "--format", "gif"},
      scratch.File("output.txt"), [&](pid_t run) {
        for (int waited = 0; waited < 2000; ++waited) {
          std::error_code ignored;
          if (fs::exists(out, ignored) && std::distance(fs::directory_iterator(out), {}) >= 3) break;
          usleep(5000);
        }
        kill(run, SIGHUP);
      });
  const std::string output = ReadAll(scratch.File("output.txt"));
  EXPECT_EQ(status, 1) << output;
  EXPECT_NE(output.find("not made (stopped)"), std::string::npos) << output;
  for (const auto& entry : fs::directory_iterator(out)) {
    const std::string name = entry.path().filename().string();
    EXPECT_NE(name[0], '.') << name;
  }
}
