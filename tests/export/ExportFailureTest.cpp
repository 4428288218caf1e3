// Exports that cannot be made: each gives a clear message and leaves no file behind, and a
// file that was there before stays as it was.
#include <gtest/gtest.h>

#include <atomic>
#include <csignal>
#include <filesystem>

#include <sys/resource.h>

#include "ExportTestMovies.h"
#include "export/ExportError.h"
#include "export/MovieExport.h"
#include "support/TestFolder.h"

using namespace exporttest;
using exporter::ExportMovie;
using exporter::TExportError;
using exporter::TExportOptions;

namespace {

size_t FilesIn(const TTestFolder& folder) {
  size_t count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.Path())) ++count;
  return count;
}

// The message of the export's error, or "" when it succeeded.
std::string ExportError(const std::string& movie, const std::string& target,
                        const TExportOptions& options = {}) {
  try {
    ExportMovie(movie, target, options);
  } catch (const TExportError& error) {
    return error.what();
  }
  return "";
}

TEST(ExportFailure, MoviesThatCannotBeExportedSaySoAndLeaveNothing) {
  TTestFolder folder("greetix-export-");
  const std::string movie = folder.File("m.swf");
  WriteWholeFile(movie, "not a movie at all");
  EXPECT_NE(ExportError(movie, folder.File("a.mp4")).find("cannot be read"), std::string::npos);

  WriteTestMovie(movie, {.Frames = 0, .SoundFrame = -1, .HeaderFrames = 0});
  EXPECT_NE(ExportError(movie, folder.File("a.gif")).find("no frames"), std::string::npos);

  WriteTestMovie(movie, {.Width = 1, .Height = 1, .Frames = 2, .SoundFrame = -1});
  EXPECT_NE(ExportError(movie, folder.File("a.mp4")).find("at least 16"), std::string::npos);

  WriteTestMovie(movie, {.Width = 8000, .Height = 8000, .Frames = 2, .SoundFrame = -1});
  EXPECT_NE(ExportError(movie, folder.File("a.webm")).find("at most 4096"), std::string::npos);
  // The same stage exports at a size given by the user.
  TExportOptions smaller;
  smaller.Width = 200;
  EXPECT_EQ(ExportError(movie, folder.File("a.png"), smaller), "");

  EXPECT_NE(ExportError(movie, folder.File("a.avi")).find(".mp4"), std::string::npos);
  EXPECT_EQ(FilesIn(folder), 2u);  // the movie and the one good picture
}

TEST(ExportFailure, UnwritableTargetsAreNamedInTheMessage) {
  TTestFolder folder("greetix-export-");
  const std::string movie = folder.File("m.swf");
  WriteTestMovie(movie, {.SoundFrame = -1});
  // The folder is named, not the first file written (for a web page, its video).
  const std::string missing = "The folder \"" + folder.File("missing") + "\" does not exist.";
  EXPECT_EQ(ExportError(movie, folder.File("missing/a.mp4")), missing);
  std::filesystem::create_directory(folder.File("taken.gif"));
  EXPECT_NE(ExportError(movie, folder.File("taken.gif")).find("is a folder"), std::string::npos);
  EXPECT_EQ(ExportError(movie, folder.File("missing/a.html")), missing);
  EXPECT_EQ(FilesIn(folder), 2u);
}

class CancelledExport : public ::testing::TestWithParam<const char*> {};

TEST_P(CancelledExport, StopsAndKeepsTheFileThatWasThere) {
  TTestFolder folder("greetix-export-");
  const std::string movie = folder.File("m.swf");
  const std::string target = folder.File(std::string("card.") + GetParam());
  WriteTestMovie(movie);
  WriteWholeFile(target, "the user's earlier file");
  std::atomic<bool> cancel{false};
  int lastFrame = 0;
  TExportOptions options;
  options.Cancel = &cancel;
  options.Progress = [&](const exporter::TExportProgress& progress) {
    lastFrame = progress.FramesDone;
    if (progress.FramesDone == 5) cancel = true;
  };
  EXPECT_THROW(ExportMovie(movie, target, options), exporter::TExportCancelled);
  EXPECT_EQ(lastFrame, 5);
  EXPECT_EQ(ReadWholeFile(target), "the user's earlier file");
  EXPECT_EQ(FilesIn(folder), 2u);
}

INSTANTIATE_TEST_SUITE_P(Formats, CancelledExport, ::testing::Values("mp4", "webm", "gif", "webp", "html"));

// A full disk, made by a file size limit: writes beyond it fail as on a full disk.
TEST(ExportFailure, AFullDiskIsReportedAndTheTargetKept) {
  TTestFolder folder("greetix-export-");
  const std::string movie = folder.File("m.swf");
  WriteTestMovie(movie, {.Width = 320, .Height = 240, .Frames = 48});
  for (const char* name : {"full.mp4", "full.gif", "full.swf"}) {
    WriteWholeFile(folder.File(name), "kept");
    rlimit previous{};
    getrlimit(RLIMIT_FSIZE, &previous);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = previous;
    limit.rlim_cur = 2000;
    setrlimit(RLIMIT_FSIZE, &limit);
    const std::string message = ExportError(movie, folder.File(name));
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_NE(message, "") << name;
    EXPECT_EQ(ReadWholeFile(folder.File(name)), "kept");
  }
  EXPECT_EQ(FilesIn(folder), 4u);
}

}  // namespace
