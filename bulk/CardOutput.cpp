#include "bulk/CardOutput.h"

#include "platform/AtomicFile.h"
#include "platform/WriteFailure.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>

void WriteOutputFile(const std::string& target, const std::vector<std::string_view>& pieces, mode_t mode)
{
  const auto fail = [&](int error) {
    throw std::runtime_error("cannot write \"" + target + "\": " + files::WriteFailureText(error));
  };
  const std::string temp = files::NewTempName(target);
  const int descriptor = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
  if (descriptor < 0) fail(errno);
  int error = 0;
  for (std::string_view piece : pieces) {
    while (!piece.empty() && error == 0) {
      const ssize_t written = ::write(descriptor, piece.data(), piece.size());
      if (written < 0 && errno == EINTR) continue;
      if (written <= 0) error = written < 0 ? errno : ENOSPC;
      else piece.remove_prefix(static_cast<std::size_t>(written));
    }
  }
  if (::close(descriptor) != 0 && error == 0) error = errno;
  if (error == 0 && ::rename(temp.c_str(), target.c_str()) != 0) error = errno;
  if (error != 0) {
    ::unlink(temp.c_str());
    fail(error);
  }
}

void FlushFolder(const std::string& folder)
{
  const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (descriptor < 0) return;
  ::syncfs(descriptor);
  ::close(descriptor);
}

std::string ProjectorTrailer(std::uint32_t movieLength)
{
  std::string trailer(8, '\0');
  const std::uint32_t values[2] = {0xFA123456u, movieLength};
  for (int v = 0; v < 2; ++v)
    for (int i = 0; i < 4; ++i) trailer[4 * v + i] = static_cast<char>((values[v] >> (8 * i)) & 0xFF);
  return trailer;
}
