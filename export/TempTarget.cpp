#include "export/TempTarget.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

#include "export/ExportError.h"

namespace exporter {

namespace {

std::string FolderOf(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

TTempTarget::TTempTarget(std::string target) : FTarget(std::move(target)) {
  if (FTarget.empty() || NameOf(FTarget).empty()) throw TExportError("No file name was given.");
  struct stat info {};
  if (stat(FTarget.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
    throw TExportError("\"" + FTarget + "\" is a folder.");
  }
  // A hidden name in the same folder, so the rename stays on one file system.
  std::string pattern = FolderOf(FTarget) + "/." + NameOf(FTarget) + ".XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  const int descriptor = mkstemp(name.data());
  if (descriptor < 0) {
    throw TExportError("Cannot write in the folder of \"" + FTarget + "\": " + std::strerror(errno));
  }
  // Exported files are for sharing: readable as any new file would be.
  const mode_t mask = umask(0);
  umask(mask);
  fchmod(descriptor, 0666 & ~mask);
  close(descriptor);
  FTemp = name.data();
}

TTempTarget::~TTempTarget() {
  if (!FCommitted) std::remove(FTemp.c_str());
}

void TTempTarget::Commit() {
  if (std::rename(FTemp.c_str(), FTarget.c_str()) != 0) {
    throw TExportError("Cannot put the file in place as \"" + FTarget + "\": " + std::strerror(errno));
  }
  FCommitted = true;
}

}  // namespace exporter
