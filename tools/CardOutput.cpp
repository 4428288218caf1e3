#include "tools/CardOutput.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>

namespace {

namespace fs = std::filesystem;

std::string TempName(const std::string& target)
{
  static std::mt19937 random{std::random_device{}()};
  char suffix[40];
  std::snprintf(suffix, sizeof suffix, ".%ld.%08x", static_cast<long>(::getpid()), static_cast<unsigned>(random()));
  const fs::path path(target);
  return (path.parent_path() / ("." + path.filename().string() + suffix)).string();
}

// The writer's process id of an unfinished file's name (".NAME.PID.XXXXXXXX"), or 0.
long WriterOf(const std::string& name)
{
  if (name.size() < 13 || name[0] != '.') return 0;
  const std::size_t hexDot = name.size() - 9;
  if (name[hexDot] != '.') return 0;
  for (std::size_t i = hexDot + 1; i < name.size(); ++i)
    if (!std::isxdigit(static_cast<unsigned char>(name[i])) || std::isupper(static_cast<unsigned char>(name[i]))) return 0;
  const std::size_t pidDot = name.rfind('.', hexDot - 1);
  if (pidDot == std::string::npos || pidDot == 0 || hexDot - pidDot < 2 || hexDot - pidDot > 11) return 0;
  for (std::size_t i = pidDot + 1; i < hexDot; ++i)
    if (!std::isdigit(static_cast<unsigned char>(name[i]))) return 0;
  return std::stol(name.substr(pidDot + 1, hexDot - pidDot - 1));
}

// A killed writer whose parent has not yet reaped it is a zombie: it writes no more.
bool ProcessRuns(long pid)
{
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string line;
  if (!std::getline(stat, line)) return false;
  const std::size_t nameEnd = line.rfind(')');
  if (nameEnd == std::string::npos || nameEnd + 2 >= line.size()) return true;
  const char state = line[nameEnd + 2];
  return state != 'Z' && state != 'X';
}

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
  const std::string temp = TempName(target);
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

int RemoveUnfinishedFiles(const std::string& folder)
{
  // Without /proc every writer would look ended; then nothing is safe to remove.
  if (!ProcessRuns(::getpid())) return 0;
  DIR* listing = ::opendir(folder.c_str());
  if (!listing) return 0;
  int removed = 0;
  while (const dirent* entry = ::readdir(listing)) {
    const std::string name = entry->d_name;
    const long writer = WriterOf(name);
    if (writer <= 0 || ProcessRuns(writer)) continue;
    const std::string path = (fs::path(folder) / name).string();
    struct stat info {};
    // Only this user's plain files: never follow a link, never touch another's work.
    if (::lstat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != ::getuid()) continue;
    if (::unlink(path.c_str()) == 0) ++removed;
  }
  ::closedir(listing);
  return removed;
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
