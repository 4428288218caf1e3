// The reader's fuzzer inputs kept in tests/swf/reader/corpus (our own small movies and
// inputs that once failed) run through the same steps as the fuzzer.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "swf/reader/fuzz/ReaderFuzzBody.h"

namespace swf::test {
namespace {

TEST(FuzzRegression, SavedInputsRunCleanly) {
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(GREETIX_READER_FUZZ_CORPUS)) {
    if (!entry.is_regular_file()) continue;
    SCOPED_TRACE(entry.path().filename().string());
    std::ifstream in(entry.path(), std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NO_THROW(fuzz::ExerciseReader(bytes.data(), bytes.size()));
    ++count;
  }
  EXPECT_GT(count, 0);
}

}  // namespace
}  // namespace swf::test
