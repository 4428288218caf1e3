// A private temporary folder that a test's files live in, removed with everything in it when
// the test ends, and whole-file reading and writing for those files.
#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

#include <stdlib.h>

class TTestFolder {
public:
  // Made with mode 0700 under the system's temporary folder, named `prefix` and six random
  // characters.
  explicit TTestFolder(const std::string& prefix = "greetix-test-")
  {
    std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "XXXXXX")).string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    Folder = pattern;
  }
  ~TTestFolder()
  {
    std::error_code ec;
    std::filesystem::remove_all(Folder, ec);
  }
  TTestFolder(const TTestFolder&) = delete;
  TTestFolder& operator=(const TTestFolder&) = delete;

  std::string File(const std::string& name) const { return (Folder / name).string(); }
  const std::filesystem::path& Path() const { return Folder; }

private:
  std::filesystem::path Folder;
};

inline std::string ReadWholeFile(const std::string& path)
{
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

inline void WriteWholeFile(const std::string& path, const std::string& bytes)
{
  std::ofstream(path, std::ios::binary) << bytes;
}
