#include "plugins/PendingFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <stdexcept>

namespace plugins {

namespace {

std::string RandomSuffix() {
  static std::atomic<unsigned> counter{0};
  std::random_device device;
  char text[48];
  std::snprintf(text, sizeof text, "%d.%u.%08x", static_cast<int>(getpid()), counter++,
                static_cast<unsigned>(device()));
  return text;
}

}  // namespace

TPendingFile::TPendingFile(std::string destination) : FDestination(std::move(destination)) {
  std::filesystem::path target(FDestination);
  std::filesystem::path folder = target.parent_path();
  const std::string base = "." + target.filename().string() + ".";
  // O_EXCL: never open a file planted under the name; the mode follows the user's umask
  // like any file the program saves.
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::filesystem::path candidate = folder / (base + RandomSuffix());
    int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) {
      ::close(fd);
      FTempPath = candidate.string();
      return;
    }
    if (errno != EEXIST) {
      std::string where = folder.empty() ? std::string(".") : folder.string();
      throw std::runtime_error("cannot write in \"" + where + "\": " + std::strerror(errno));
    }
  }
  throw std::runtime_error("cannot create a temporary file beside \"" + FDestination + "\"");
}

TPendingFile::~TPendingFile() { Discard(); }

void TPendingFile::Commit() {
  if (FDone) throw std::logic_error("pending file already finished");
  if (std::rename(FTempPath.c_str(), FDestination.c_str()) != 0)
    throw std::runtime_error("cannot write \"" + FDestination + "\": " + std::strerror(errno));
  FDone = true;
}

void TPendingFile::Discard() {
  if (FDone) return;
  FDone = true;
  ::unlink(FTempPath.c_str());
}

}  // namespace plugins
