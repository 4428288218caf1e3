// Temporary folders and whole-file helpers for the card document tests.
#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <stdlib.h>

class TTempFolder {
public:
  TTempFolder()
  {
    std::string pattern = (std::filesystem::temp_directory_path() / "greetix-card-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    Folder = pattern;
  }
  ~TTempFolder()
  {
    std::error_code ec;
    std::filesystem::remove_all(Folder, ec);
  }
  std::string File(const std::string& name) const { return (Folder / name).string(); }
  const std::filesystem::path& Path() const { return Folder; }

private:
  std::filesystem::path Folder;
};

inline void WriteBytes(const std::string& path, const std::string& bytes)
{
  std::ofstream out(path, std::ios::binary);
  out << bytes;
}

inline std::string ReadBytes(const std::string& path)
{
  std::ifstream in(path, std::ios::binary);
  std::ostringstream buffer;
  buffer << in.rdbuf();
  return buffer.str();
}
