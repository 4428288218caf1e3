#include "fuzz/ScratchFolder.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <system_error>

namespace fuzzinput {

namespace {

struct TScratch {
  std::string Path;
  TScratch() {
    std::string pattern = (std::filesystem::temp_directory_path() / "greetix-fuzz-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a scratch folder");
    Path = pattern + "/";
  }
  ~TScratch() {
    std::error_code ignored;
    std::filesystem::remove_all(Path, ignored);
  }
};

}  // namespace

const std::string& ScratchFolder() {
  static const TScratch scratch;
  return scratch.Path;
}

std::string WriteScratchFile(const std::string& name, const uint8_t* data, size_t size) {
  const std::string path = ScratchFolder() + name;
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) throw std::runtime_error("cannot write " + path);
  const bool written = size == 0 || std::fwrite(data, 1, size, file) == size;
  if (std::fclose(file) != 0 || !written) throw std::runtime_error("cannot write " + path);
  return path;
}

}  // namespace fuzzinput
