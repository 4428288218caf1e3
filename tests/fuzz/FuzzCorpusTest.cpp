// The fuzz targets' kept inputs (seeds, and inputs that once failed) as regression tests:
// each goes through the same steps as under the fuzzer.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "fuzz/FuzzInputs.h"

namespace {

using TTarget = void (*)(const uint8_t*, size_t);

int ReplayCorpus(const std::string& name, TTarget target) {
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(std::string(FUZZ_CORPUS_DIR) + "/" + name)) {
    if (!entry.is_regular_file()) continue;
    SCOPED_TRACE(entry.path().filename().string());
    std::ifstream in(entry.path(), std::ios::binary);
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NO_THROW(target(bytes.data(), bytes.size()));
    ++count;
  }
  return count;
}

TEST(FuzzCorpus, CardsRenderOrAreRefused) {
  EXPECT_GT(ReplayCorpus("card", fuzzinput::RenderCard), 0);
}

TEST(FuzzCorpus, PicturesAreExaminedOrRefused) {
  EXPECT_GT(ReplayCorpus("picture", fuzzinput::ExaminePicture), 0);
}

TEST(FuzzCorpus, SoundsImportOrAreRefused) {
  EXPECT_GT(ReplayCorpus("sound", fuzzinput::ImportSound), 0);
}

TEST(FuzzCorpus, ListsAreReadOrRefused) {
  EXPECT_GT(ReplayCorpus("list", fuzzinput::ReadList), 0);
}

TEST(FuzzCorpus, ProgramsGiveTheirMovieOrAreRefused) {
  EXPECT_GT(ReplayCorpus("projector", fuzzinput::ExtractProjectorMovie), 0);
}

}  // namespace
