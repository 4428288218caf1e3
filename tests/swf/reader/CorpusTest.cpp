// Every movie of the shared corpus of other tools' files (when present) loads without an
// exception and with a sane frame count. The corpus stays outside the repository.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "swf/reader/DisplayList.h"
#include "swf/reader/MovieParser.h"

namespace swf::test {
namespace {

TEST(Corpus, EveryMovieLoads) {
  // The test function's environment names the folder; the build's default stands in when
  // the environment does not reach the test.
  const char* root = std::getenv("GREETIX_CORPUS");
  if (!root || !*root) root = GREETIX_DEFAULT_CORPUS;
  if (!std::filesystem::is_directory(root)) GTEST_SKIP() << "no corpus folder at " << root;
  int count = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
    if (entry.path().extension() != ".swf") continue;
    SCOPED_TRACE(entry.path().string());
    ++count;
    TMovie movie;
    ASSERT_NO_THROW(movie = LoadMovieFile(entry.path().string()));
    EXPECT_GE(movie.Timeline.FrameCount, 1u);
    EXPECT_LE(movie.Timeline.FrameCount, 65535u);
    EXPECT_LE(movie.Timeline.Frames.size(), movie.Timeline.FrameCount);
    TDisplayList list;
    for (uint32_t f = 0; f < movie.Timeline.FrameCount; ++f) list.ApplyFrame(movie.Timeline.Frame(f));
    for (const std::string& w : movie.Warnings) std::printf("  %s: %s\n", entry.path().c_str(), w.c_str());
  }
  if (count == 0) GTEST_SKIP() << "no movies in the corpus";
}

}  // namespace
}  // namespace swf::test
