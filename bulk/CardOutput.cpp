#include "bulk/CardOutput.h"

#include "platform/AtomicFile.h"
#include "bulk/MediaCheck.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>

namespace {

std::uint32_t LittleEndian32(const unsigned char* bytes)
{
  return bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (static_cast<std::uint32_t>(bytes[3]) << 24);
}

bool ReadAt(int descriptor, void* buffer, std::size_t count, off_t offset)
{
  return ::pread(descriptor, buffer, count, offset) == static_cast<ssize_t>(count);
}

// A whole uncompressed movie of `length` bytes at `offset`.
bool IsMovieAt(int descriptor, off_t offset, off_t length)
{
  unsigned char header[8];
  if (length < 8 || !ReadAt(descriptor, header, 8, offset)) return false;
  return std::memcmp(header, "FWS", 3) == 0 && LittleEndian32(header + 4) == static_cast<std::uint64_t>(length);
}

class TReadOnlyFile {
public:
  explicit TReadOnlyFile(const std::string& file) : Descriptor(::open(file.c_str(), O_RDONLY | O_CLOEXEC))
  {
    struct stat info {};
    if (Descriptor >= 0 && ::fstat(Descriptor, &info) == 0 && S_ISREG(info.st_mode)) Size = info.st_size;
  }
  ~TReadOnlyFile()
  {
    if (Descriptor >= 0) ::close(Descriptor);
  }
  int Descriptor;
  off_t Size = -1; // -1: not a readable plain file
};

} // namespace

void WriteOutputFile(const std::string& target, const std::vector<std::string_view>& pieces, mode_t mode)
{
  const auto fail = [&](int error) {
    throw std::runtime_error("cannot write \"" + target + "\": " + std::strerror(error));
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

bool IsCompleteMovie(const std::string& file)
{
  const TReadOnlyFile input(file);
  return input.Size >= 0 && IsMovieAt(input.Descriptor, 0, input.Size);
}

bool IsCompleteProjector(const std::string& file)
{
  const TReadOnlyFile input(file);
  unsigned char trailer[8];
  if (input.Size < 8 || !ReadAt(input.Descriptor, trailer, 8, input.Size - 8)) return false;
  if (LittleEndian32(trailer) != 0xFA123456) return false;
  const off_t length = LittleEndian32(trailer + 4);
  return length <= input.Size - 8 && IsMovieAt(input.Descriptor, input.Size - 8 - length, length);
}

std::vector<std::string> CardFiles(const std::string& target, const std::string& format)
{
  if (format != "html") return {target};
  const std::string stem = target.substr(0, target.size() - std::string(".html").size());
  return {target, stem + ".webm", stem + ".mp4", stem + ".png"};
}

bool IsCompleteCard(const std::string& target, const std::string& format)
{
  if (format == "swf") return IsCompleteMovie(target);
  if (format == "exe") return IsCompleteProjector(target);
  for (const std::string& file : CardFiles(target, format))
    if (!IsCompleteMedia(file)) return false;
  return true;
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
