#include "platform/DerivedFile.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <unistd.h>

namespace files {

namespace {

namespace fs = std::filesystem;

// FNV-1a: the same name for the same folder on every run and every build.
std::string FolderKey(const std::string& folder) {
  std::uint64_t hash = 14695981039346656037ull;
  for (unsigned char c : folder) {
    hash ^= c;
    hash *= 1099511628211ull;
  }
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
  return text;
}

// Links resolved: the installed program reaches its library through a link, the sound
// chooser through the real folder, and both must find the same converted file.
fs::path AbsoluteSource(const std::string& source) {
  std::error_code error;
  fs::path resolved = fs::weakly_canonical(source, error);
  if (error) resolved = fs::absolute(source, error);
  return (error ? fs::path(source) : resolved).lexically_normal();
}

} // namespace

std::string UserCacheFolder() {
  const char* cache = std::getenv("XDG_CACHE_HOME");
  if (cache && *cache == '/') return std::string(cache) + "/greetix";
  const char* home = std::getenv("HOME");
  return std::string(home && *home ? home : "/tmp") + "/.cache/greetix";
}

bool FolderIsWritable(const std::string& folder) {
  return ::access(folder.empty() ? "." : folder.c_str(), W_OK | X_OK) == 0;
}

std::string CachedDerivedFile(const std::string& source, const std::string& suffix) {
  const fs::path absolute = AbsoluteSource(source);
  const fs::path cached = fs::path(UserCacheFolder()) / "derived" / FolderKey(absolute.parent_path().string()) /
                          (absolute.filename().string() + suffix);
  return cached.string();
}

std::string ChooseDerivedFile(const std::string& source, const std::string& suffix, bool folderWritable,
                              bool forWriting) {
  const std::string beside = source + suffix;
  if (folderWritable) return beside;
  const std::string cached = CachedDerivedFile(source, suffix);
  if (forWriting) return cached;
  std::error_code error;
  return fs::exists(cached, error) ? cached : beside;
}

std::string DerivedFileForWriting(const std::string& source, const std::string& suffix) {
  const std::string folder = AbsoluteSource(source).parent_path().string();
  const std::string chosen = ChooseDerivedFile(source, suffix, FolderIsWritable(folder), true);
  std::error_code error;
  fs::create_directories(fs::path(chosen).parent_path(), error);  // a failure shows when writing
  return chosen;
}

std::string DerivedFileForReading(const std::string& source, const std::string& suffix) {
  const std::string folder = AbsoluteSource(source).parent_path().string();
  return ChooseDerivedFile(source, suffix, FolderIsWritable(folder), false);
}

} // namespace files
