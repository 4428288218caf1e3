#include "swf/builder/FileIo.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>

#include "swf/format/SwfError.h"

namespace swf {
namespace {

std::string Reason() { return std::strerror(errno); }

}  // namespace

std::vector<uint8_t> ReadFileBytes(const std::string& path, size_t maxBytes, const std::string& what) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  if (!in) throw TSwfError("Can not open the " + what + " file: " + path);
  std::streamoff size = in.tellg();
  if (size < 0) throw TSwfError("Can not read the " + what + " file: " + path);
  if (static_cast<uint64_t>(size) > maxBytes) throw TSwfError("The " + what + " file is too large: " + path);
  std::vector<uint8_t> bytes(static_cast<size_t>(size));
  in.seekg(0);
  if (size > 0 && !in.read(reinterpret_cast<char*>(bytes.data()), size)) {
    throw TSwfError("Can not read the " + what + " file: " + path);
  }
  return bytes;
}

void WriteFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes, const std::string& what) {
  auto fail = [&](const std::string& reason) {
    throw TSwfError("Can not write the " + what + " file " + path + ": " + reason);
  };
  if (path.empty()) fail("no file name");
  size_t slash = path.find_last_of('/');
  std::string folder = slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  if (name.empty()) fail("no file name");
  std::string temp = folder + "/." + name + ".XXXXXX";
  std::vector<char> pattern(temp.begin(), temp.end());
  pattern.push_back('\0');
  int fd = mkstemp(pattern.data());
  if (fd < 0) fail(Reason());
  std::string tempPath(pattern.data());
  auto abandon = [&](const std::string& reason) {
    if (fd >= 0) close(fd);
    unlink(tempPath.c_str());
    fail(reason);
  };
  // mkstemp makes the file private; give it the usual permissions of a new file.
  mode_t mask = umask(0);
  umask(mask);
  if (fchmod(fd, 0666 & ~mask) != 0) abandon(Reason());
  size_t written = 0;
  while (written < bytes.size()) {
    ssize_t n = write(fd, bytes.data() + written, bytes.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) abandon(Reason());
    written += static_cast<size_t>(n);
  }
  if (fsync(fd) != 0) abandon(Reason());
  int closed = close(fd);
  fd = -1;
  if (closed != 0) abandon(Reason());
  if (rename(tempPath.c_str(), path.c_str()) != 0) abandon(Reason());
}

}  // namespace swf
