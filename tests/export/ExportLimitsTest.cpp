// greetix-cli export at its limits, run as a program: memory that does not grow with the
// movie's length, stops by signal that leave nothing behind, a full disk told by name.
#include <gtest/gtest.h>

#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "ExportTestMovies.h"
#include "tools/CliRun.h"
#include "support/FileSizeLimit.h"
#include "support/TestFolder.h"

extern char** environ;

using namespace exporttest;

namespace {

namespace fs = std::filesystem;

// A running greetix-cli with the given arguments (output to /dev/null).
class TCliProcess {
 public:
  explicit TCliProcess(const std::vector<std::string>& arguments) {
    std::vector<std::string> all = {GREETIX_CLI};
    all.insert(all.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& argument : all) argv.push_back(argument.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    if (posix_spawn(&FPid, argv[0], &actions, nullptr, argv.data(), environ) != 0) FPid = -1;
    posix_spawn_file_actions_destroy(&actions);
  }
  ~TCliProcess() {
    if (FPid > 0 && !FEnded) {
      kill(FPid, SIGKILL);
      Wait();
    }
  }
  pid_t Pid() const { return FPid; }
  // Waits for the end; the exit status, or 128 + the signal that ended it.
  int Wait() {
    int status = 0;
    rusage usage{};
    wait4(FPid, &status, 0, &usage);
    FEnded = true;
    FPeakKb = usage.ru_maxrss;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }
  long PeakKb() const { return FPeakKb; }

 private:
  pid_t FPid = -1;
  bool FEnded = false;
  long FPeakKb = 0;
};

std::vector<std::string> FolderNames(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace

// Frames are drawn, encoded and written one at a time: a movie four times as long takes no
// more memory, where holding its frames (GIF) or its encoded frames (WebP) would take tens
// of megabytes more. The GIF's movie has the few colours of a card: the palette's count of
// colours grows with the colours met (at most 2^24), not with the frames.
TEST(ExportLimits, AnimationsOfFourTimesTheFramesTakeNoMoreMemory) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the sanitizer keeps freed memory for a while: its peaks grow with the work";
#endif
  TTestFolder folder("greetix-export-");
  for (const std::string extension : {".gif", ".webp"}) {
    SCOPED_TRACE(extension);
    const std::string shortMovie = folder.File("short.swf"), longMovie = folder.File("long.swf");
    if (extension == ".gif") {
      WriteTestMovie(shortMovie, {.Width = 320, .Height = 240, .Frames = 60, .SoundFrame = -1});
      WriteTestMovie(longMovie, {.Width = 320, .Height = 240, .Frames = 240, .SoundFrame = -1});
    } else {
      WriteNoiseMovie(shortMovie, 320, 240, 60);
      WriteNoiseMovie(longMovie, 320, 240, 240);
    }
    const std::string target = folder.File("out" + extension);
    TCliProcess shortExport({"export", shortMovie, "-o", target, "--quality", "100"});
    ASSERT_EQ(shortExport.Wait(), 0);
    TCliProcess longExport({"export", longMovie, "-o", target, "--quality", "100"});
    ASSERT_EQ(longExport.Wait(), 0);
    EXPECT_LT(longExport.PeakKb(), shortExport.PeakKb() + shortExport.PeakKb() / 10)
        << "kB for 60 frames: " << shortExport.PeakKb() << ", for 240: " << longExport.PeakKb();
  }
}

// Ctrl-C, a polite kill and a closed terminal stop an export in the middle: the target that
// was there stays as it was and no unfinished file is left beside it.
TEST(ExportLimits, StopSignalsLeaveNothingBehind) {
  TTestFolder folder("greetix-export-");
  const std::string movie = folder.File("long.swf");
  WriteNoiseMovie(movie, 320, 240, 2000);
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
    for (const std::string target : {"card.webp", "card.gif", "card.mp4", "card.html"}) {
      SCOPED_TRACE(target + " stopped by signal " + std::to_string(signal));
      WriteWholeFile(folder.File(target), "the file that was there");
      TCliProcess exporting({"export", movie, "-o", folder.File(target)});
      // Until the unfinished file shows, the export has not begun writing.
      for (int wait = 0; wait < 600 && FolderNames(folder.Path()).size() <= 2; ++wait)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
      kill(exporting.Pid(), signal);
      EXPECT_EQ(exporting.Wait(), 1);
      EXPECT_EQ(FolderNames(folder.Path()), (std::vector<std::string>{target, "long.swf"}));
      EXPECT_EQ(ReadWholeFile(folder.File(target)), "the file that was there");
      fs::remove(folder.File(target));
    }
  }
}

// A disk that fills up is told with the file's own name in words, on one line.
TEST(ExportLimits, AFullDiskIsToldWithTheFilesName) {
  TTestFolder folder("greetix-export-");
  const std::string movie = folder.File("movie.swf");
  WriteNoiseMovie(movie, 160, 120, 12);
  for (const std::string target : {"out.gif", "out.webp", "out.mp4", "out.png", "out.swf", "out.html"}) {
    SCOPED_TRACE(target);
    TCliOutcome outcome;
    {
      TFileSizeLimit full(1000);
      outcome = RunGreetixCli("export " + movie + " -o " + folder.File(target));
    }
    EXPECT_EQ(outcome.Status, 1) << outcome.Output;
    const std::string stem = target.substr(0, target.find('.'));
    EXPECT_NE(outcome.Output.find("Cannot write \"" + folder.File(stem)), std::string::npos) << outcome.Output;
    EXPECT_NE(outcome.Output.find("larger than allowed"), std::string::npos) << outcome.Output;
    EXPECT_EQ(outcome.Output.find("libpng"), std::string::npos) << outcome.Output;
    EXPECT_EQ(outcome.Output.find("Unknown error"), std::string::npos) << outcome.Output;
    EXPECT_EQ(std::count(outcome.Output.begin(), outcome.Output.end(), '\n'), 1) << outcome.Output;
  }
  EXPECT_EQ(FolderNames(folder.Path()), (std::vector<std::string>{"movie.swf"}));
}

// At the largest size allowed (4096 pixels wide) a video takes at most 1.5 GB, however many
// cores the encoders could use.
TEST(ExportLimits, VideosOfTheLargestSizeStayWithinOneAndAHalfGigabytes) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the sanitizer's own memory would count";
#endif
  TTestFolder folder("greetix-export-");
  const std::string movie = folder.File("box.swf");
  WriteTestMovie(movie, {.Width = 400, .Height = 300, .Frames = 24});
  for (const std::string extension : {".mp4", ".webm"}) {
    SCOPED_TRACE(extension);
    TCliProcess exporting({"export", movie, "-o", folder.File("big" + extension), "--width", "4096"});
    ASSERT_EQ(exporting.Wait(), 0);
    EXPECT_LT(exporting.PeakKb(), 1536 * 1024);
  }
}
