#include "platform/InputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace files {

std::string NotAFileKind(const std::string& path) {
  // stat, never open: opening a named pipe waits for a writer.
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0 || S_ISREG(info.st_mode)) return {};
  if (S_ISDIR(info.st_mode)) return "a folder";
  if (S_ISFIFO(info.st_mode)) return "a named pipe";
  if (S_ISSOCK(info.st_mode)) return "a socket";
  return "a device";
}

void RefuseNonRegularFile(const std::string& path) {
  const std::string kind = NotAFileKind(path);
  if (!kind.empty()) throw TInputFileError("\"" + path + "\" is " + kind + ", not a file");
}

std::optional<std::string> ReadPlainFile(const std::string& path, std::size_t limit) {
  const int descriptor = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (descriptor < 0) return std::nullopt;
  struct stat info {};
  std::optional<std::string> bytes;
  if (::fstat(descriptor, &info) == 0 && S_ISREG(info.st_mode)) {
    bytes.emplace();
    char buffer[16384];
    while (bytes->size() < limit) {
      const ssize_t got = ::read(descriptor, buffer, std::min(sizeof buffer, limit - bytes->size()));
      if (got < 0 && errno == EINTR) continue;
      if (got < 0) bytes.reset();
      if (got <= 0) break;
      bytes->append(buffer, static_cast<std::size_t>(got));
    }
  }
  ::close(descriptor);
  return bytes;
}

} // namespace files
