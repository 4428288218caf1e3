// Cards of a list as videos, animations and web pages: each row's file shows that row's
// text, a web page's files come and go together, and reruns and stops leave only whole cards.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <map>

#include "CardFiles.h"
#include "CliRun.h"
#include "bulk/CardCheck.h"
#include "export/FrameSource.h"
#include "export/MediaProbe.h"
#include "tools/BatchRun.h"

namespace {

namespace fs = std::filesystem;
using exporttest::MeanDifference;
using exporttest::TMediaProbe;

// The name alone, large and per letter, on a small stage: the rows' frames differ plainly.
std::string NameCard(int frames = 10, int width = 160, int height = 96)
{
  return CardXml({{"Rainbow", 0, frames - 2, 8, 8, "{Name}", 36}}, frames, false, width, height);
}

const std::vector<std::string> Names = {"Ann", "Bob", "Zoë"};

std::string NameList()
{
  std::string list = "Name\n";
  for (const std::string& name : Names) list += name + "\n";
  return list;
}

TBatchOptions Options(const TScratch& scratch, const std::string& format)
{
  TBatchOptions options;
  options.CardFile = scratch.File("card.grx");
  options.ListFile = scratch.File("list.csv");
  options.OutputFolder = scratch.File(format);
  options.Format = format;
  options.Seed = 4;
  return options;
}

std::map<int, TRowOutcome> RunRows(const TBatchOptions& options)
{
  std::map<int, TRowOutcome> outcomes;
  const TBatchPlan plan = PlanBatch(options);
  RunBatch(options, plan, [&](const TRowReport& report) {
    EXPECT_TRUE(outcomes.emplace(report.Index, report.Outcome).second) << "row reported twice";
    EXPECT_EQ(report.Message, "") << "row " << report.Index;
  }, nullptr);
  return outcomes;
}

std::vector<QImage> DecodedFrames(const std::string& file)
{
  std::vector<QImage> frames;
  TMediaProbe(file).ForEachPicture([&](int, const QImage& picture) { frames.push_back(picture.copy()); });
  return frames;
}

std::vector<QImage> PlayerFrames(const std::string& movie, const QSize& size)
{
  exporter::TFrameSource source(movie);
  std::vector<QImage> frames;
  for (int i = 0; i < source.MovieFrames(); ++i) frames.push_back(source.Next(size));
  return frames;
}

// A copy cut one byte short and one cut in half are no whole files; the file itself is.
void ExpectCutCopiesIncomplete(const std::string& file)
{
  EXPECT_TRUE(IsCompleteMedia(file)) << file;
  const fs::path path(file);
  const std::string cut = (path.parent_path() / "cut" / path.filename()).string();
  fs::create_directories(fs::path(cut).parent_path());
  for (const auto size : {fs::file_size(file) - 1, fs::file_size(file) / 2}) {
    fs::copy_file(file, cut, fs::copy_options::overwrite_existing);
    fs::resize_file(cut, size);
    EXPECT_FALSE(IsCompleteMedia(cut)) << file << " cut to " << size << " bytes";
  }
  fs::remove_all(fs::path(cut).parent_path());
}

std::vector<std::string> HiddenFiles(const std::string& folder)
{
  std::vector<std::string> hidden;
  for (const auto& entry : fs::directory_iterator(folder))
    if (entry.path().filename().string()[0] == '.') hidden.push_back(entry.path().filename().string());
  return hidden;
}

} // namespace

TEST(BatchExport, VideoAndGifCardsShowTheTextOfTheirOwnRow)
{
  TScratch scratch;
  WriteAll(scratch.File("card.grx"), NameCard());
  WriteAll(scratch.File("list.csv"), NameList());
  // On workers first: this process paints below, after which it makes rows itself.
  for (const std::string format : {"mp4", "gif", "webp"}) {
    TBatchOptions options = Options(scratch, format);
    options.Jobs = 2;
    for (const auto& [index, outcome] : RunRows(options)) EXPECT_EQ(outcome, TRowOutcome::Made) << format << index;
  }
  ASSERT_EQ(RunRows(Options(scratch, "swf")).size(), 3u);

  std::vector<std::vector<QImage>> played;
  for (const std::string& name : Names) played.push_back(PlayerFrames(scratch.File("swf/" + name + ".swf"), {160, 96}));
  for (const std::string format : {"mp4", "gif"}) {
    SCOPED_TRACE(format);
    for (std::size_t row = 0; row < Names.size(); ++row) {
      const std::string file = scratch.File(format + "/" + Names[row] + "." + format);
      ExpectCutCopiesIncomplete(file);
      const std::vector<QImage> decoded = DecodedFrames(file);
      ASSERT_EQ(decoded.size(), played[row].size()) << file;
      double worst = 0;
      for (std::size_t i = 0; i < decoded.size(); ++i) worst = std::max(worst, MeanDifference(decoded[i], played[row][i]));
      EXPECT_LT(worst, 2.5) << file << " is not its row's card";
      // With the whole name on the stage, another row's card is much further off.
      const std::size_t other = (row + 1) % Names.size(), middle = decoded.size() / 2;
      EXPECT_GT(MeanDifference(decoded[middle], played[other][middle]),
                2 * MeanDifference(decoded[middle], played[row][middle]) + 1)
          << file << " against the card of " << Names[other];
    }
    EXPECT_TRUE(HiddenFiles(scratch.File(format)).empty());
  }
  // Animated WebP is not decoded here; its container is checked.
  for (const std::string& name : Names) ExpectCutCopiesIncomplete(scratch.File("webp/" + name + ".webp"));
}

TEST(BatchExport, WebPagesComeWithAllTheirFilesAndARerunRemakesOnlyWhatIsMissing)
{
  TScratch scratch;
  WriteAll(scratch.File("card.grx"), NameCard(6, 96, 64));
  WriteAll(scratch.File("list.csv"), NameList());
  const TBatchOptions options = Options(scratch, "html");
  for (const auto& [index, outcome] : RunRows(options)) EXPECT_EQ(outcome, TRowOutcome::Made) << index;
  const std::string folder = scratch.File("html");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), {}), 12);
  for (const std::string& name : Names) {
    EXPECT_TRUE(IsCompleteCard(folder + "/" + name + ".html", "html")) << name;
    EXPECT_NE(ReadAll(folder + "/" + name + ".html").find("src=\"" + name + ".webm\""), std::string::npos) << name;
  }
  for (const std::string extension : {".html", ".webm", ".mp4", ".png"}) ExpectCutCopiesIncomplete(folder + "/Ann" + extension);

  // One file of a page gone, and what a killed writer left.
  std::map<std::string, fs::file_time_type> annTimes;
  for (const std::string extension : {".html", ".webm", ".mp4", ".png"})
    annTimes[extension] = fs::last_write_time(folder + "/Ann" + extension);
  fs::remove(folder + "/Bob.png");
  WriteAll(folder + "/.Zoë.webm.999999999.0badf00d", "half");
  const std::map<int, TRowOutcome> rerun = RunRows(options);
  EXPECT_EQ(rerun.at(0), TRowOutcome::Skipped);
  EXPECT_EQ(rerun.at(1), TRowOutcome::Made);
  EXPECT_EQ(rerun.at(2), TRowOutcome::Skipped);
  for (const auto& [extension, time] : annTimes) EXPECT_EQ(fs::last_write_time(folder + "/Ann" + extension), time);
  EXPECT_TRUE(IsCompleteCard(folder + "/Bob.html", "html"));
  EXPECT_TRUE(HiddenFiles(folder).empty());
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), {}), 12);
}

TEST(BatchExport, AFolderThatCannotBeWrittenFailsEveryRowByItsNumber)
{
  TScratch scratch;
  WriteAll(scratch.File("card.grx"), NameCard(6, 96, 64));
  WriteAll(scratch.File("list.csv"), NameList());
  const std::string out = scratch.File("out");
  fs::create_directory(out);
  // Root writes anywhere a mode allows nothing: it gets a file system mounted read-only.
  struct TUnmount {
    std::string Folder;
    ~TUnmount()
    {
      if (!Folder.empty()) umount(Folder.c_str());
    }
  } unmount;
  if (geteuid() == 0) {
    if (mount("tmpfs", out.c_str(), "tmpfs", MS_RDONLY, "size=64k") != 0) GTEST_SKIP() << "cannot mount a read-only folder";
    unmount.Folder = out;
  } else {
    fs::permissions(out, fs::perms::owner_read | fs::perms::owner_exec);
  }
  const TCliOutcome run =
      RunGreetixCli("batch " + scratch.File("card.grx") + " " + scratch.File("list.csv") + " -o " + out + " --format mp4");
  if (geteuid() != 0) fs::permissions(out, fs::perms::owner_all);
  EXPECT_EQ(run.Status, 1) << run.Output;
  for (int row = 2; row <= 4; ++row)
    EXPECT_NE(run.Output.find("row " + std::to_string(row) + ": cannot write"), std::string::npos) << run.Output;
  EXPECT_NE(run.Output.find("0 cards made, 3 failed in "), std::string::npos) << run.Output;
}

TEST(BatchExport, AStopWhileAVideoIsMadeLeavesOnlyWholeCards)
{
  TScratch scratch;
  WriteAll(scratch.File("card.grx"), NameCard(120, 160, 96));
  WriteAll(scratch.File("list.csv"), NameList());
  const std::string out = scratch.File("out"), log = scratch.File("log.txt");
  const pid_t run = fork();
  if (run == 0) {
    const int output = open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    dup2(output, 1);
    dup2(output, 2);
    execl(GREETIX_CLI, GREETIX_CLI, "batch", scratch.File("card.grx").c_str(), scratch.File("list.csv").c_str(), "-o",
          out.c_str(), "--format", "mp4", "--jobs", "2", static_cast<char*>(nullptr));
    _exit(127);
  }
  ASSERT_GT(run, 0);
  // Stop it as soon as a video is being written (a hidden file that is not the movie).
  int status = 0;
  bool stopped = false;
  for (int waited = 0; waited < 4000 && !stopped && waitpid(run, &status, WNOHANG) == 0; ++waited) {
    std::error_code ignored;
    for (const auto& entry : fs::directory_iterator(out, ignored)) {
      const std::string name = entry.path().filename().string();
      if (name[0] == '.' && name.find(".mp4.swf.") == std::string::npos) stopped = true;
    }
    if (stopped) {
      kill(run, SIGTERM);
      waitpid(run, &status, 0);
    } else {
      usleep(5000);
    }
  }
  ASSERT_TRUE(stopped);
  ASSERT_TRUE(WIFEXITED(status)) << ReadAll(log);
  EXPECT_EQ(WEXITSTATUS(status), 1) << ReadAll(log);
  EXPECT_NE(ReadAll(log).find("not made (stopped)"), std::string::npos) << ReadAll(log);
  EXPECT_TRUE(HiddenFiles(out).empty());
  for (const auto& entry : fs::directory_iterator(out)) EXPECT_TRUE(IsCompleteMedia(entry.path().string())) << entry.path();

  const TCliOutcome rerun =
      RunGreetixCli("batch " + scratch.File("card.grx") + " " + scratch.File("list.csv") + " -o " + out + " --format mp4");
  EXPECT_EQ(rerun.Status, 0) << rerun.Output;
  EXPECT_EQ(std::distance(fs::directory_iterator(out), {}), 3);
}
