#include "platform/InputFile.h"

#include <sys/stat.h>

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

} // namespace files
