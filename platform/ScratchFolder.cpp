#include "platform/ScratchFolder.h"

#include <dirent.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

#include "platform/ProcessRuns.h"
#include "platform/StopCleanup.h"

namespace files {

namespace {

namespace fs = std::filesystem;

bool IsLowercaseWord(const std::string& text, size_t from, size_t to) {
  if (from >= to) return false;
  for (size_t i = from; i < to; ++i)
    if (text[i] < 'a' || text[i] > 'z') return false;
  return true;
}

// The process id in a scratch folder's name ("greetix-<kind>-<pid>-XXXXXX"), or 0.
long OwnerOf(const std::string& name) {
  const std::string prefix = "greetix-";
  if (name.compare(0, prefix.size(), prefix) != 0 || name.size() < prefix.size() + 10) return 0;
  const size_t suffixDash = name.size() - 7;
  if (name[suffixDash] != '-') return 0;
  const size_t kindDash = name.find('-', prefix.size());
  if (kindDash == std::string::npos || !IsLowercaseWord(name, prefix.size(), kindDash)) return 0;
  const size_t pidLength = suffixDash - kindDash - 1;
  if (pidLength < 1 || pidLength > 10) return 0;
  for (size_t i = kindDash + 1; i < suffixDash; ++i)
    if (name[i] < '0' || name[i] > '9') return 0;
  return std::stol(name.substr(kindDash + 1, pidLength));
}

} // namespace

TScratchFolder::TScratchFolder(const std::string& kind) {
  std::error_code noTemp;
  const fs::path temp = fs::temp_directory_path(noTemp);
  if (noTemp) throw std::runtime_error("cannot find the temporary folder: " + noTemp.message());
  RemoveStaleScratchFolders(temp.string());
  std::string pattern = (temp / ("greetix-" + kind + "-" + std::to_string(::getpid()) + "-XXXXXX")).string();
  if (!::mkdtemp(pattern.data()))
    throw std::runtime_error("cannot make a working folder in \"" + temp.string() + "\": " + std::strerror(errno));
  FFolder = pattern;
  RemoveOnStop(FFolder.string(), true);
}

TScratchFolder::~TScratchFolder() {
  std::error_code ignored;
  fs::remove_all(FFolder, ignored);
  KeepOnStop(FFolder.string());
}

int RemoveStaleScratchFolders(const std::string& tempFolder) {
  if (!ProcIsReadable()) return 0;
  DIR* listing = ::opendir(tempFolder.c_str());
  if (!listing) return 0;
  int removed = 0;
  while (const dirent* entry = ::readdir(listing)) {
    const long owner = OwnerOf(entry->d_name);
    if (owner <= 0 || ProcessRuns(owner)) continue;
    const fs::path folder = fs::path(tempFolder) / entry->d_name;
    struct stat info {};
    if (::lstat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != ::getuid()) continue;
    std::error_code failed;
    fs::remove_all(folder, failed);
    if (!failed) ++removed;
  }
  ::closedir(listing);
  return removed;
}

} // namespace files
