#include "platform/AtomicFile.h"

#include "platform/ProcessRuns.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <mutex>
#include <random>

#include "platform/StopCleanup.h"
#include "platform/WriteFailure.h"

namespace files {

namespace {

namespace fs = std::filesystem;

std::string SystemReason(int error) { return WriteFailureText(error); }

// A link is replaced through to the file it names, as an editor saving through it would.
std::string ResolvedTarget(const std::string& target) {
  struct stat info {};
  if (::lstat(target.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return target;
  std::error_code error;
  const fs::path resolved = fs::weakly_canonical(target, error);
  return error ? target : resolved.string();
}

std::mutex ScratchLock;
std::string Scratch; // with a trailing '/'

bool InScratchFolder(const std::string& path) {
  std::lock_guard<std::mutex> hold(ScratchLock);
  return !Scratch.empty() && path.compare(0, Scratch.size(), Scratch) == 0;
}

std::string FolderOf(const std::string& path) {
  const fs::path folder = fs::path(path).parent_path();
  return folder.empty() ? std::string(".") : folder.string();
}

// ".NAME." — what every unfinished file of the target begins with; then the writer's
// process id, a dot and eight hex digits.
std::string TempPrefix(const std::string& target) {
  return "." + fs::path(target).filename().string() + ".";
}


// The writer's process id of an unfinished file's name (".NAME.PID.XXXXXXXX"), or 0.
long WriterOf(const std::string& name) {
  if (name.size() < 13 || name[0] != '.') return 0;
  const size_t hexDot = name.size() - 9;
  if (name[hexDot] != '.') return 0;
  for (size_t i = hexDot + 1; i < name.size(); ++i) {
    const char c = name[i];
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return 0;
  }
  const size_t pidDot = name.rfind('.', hexDot - 1);
  if (pidDot == std::string::npos || pidDot == 0 || hexDot - pidDot < 2 || hexDot - pidDot > 11) return 0;
  for (size_t i = pidDot + 1; i < hexDot; ++i) {
    if (name[i] < '0' || name[i] > '9') return 0;
  }
  return std::stol(name.substr(pidDot + 1, hexDot - pidDot - 1));
}

// Removes the unfinished files in the folder whose names begin with the prefix and whose
// writers no longer run.
int RemoveStaleIn(const std::string& folder, const std::string& prefix) {
  if (!ProcIsReadable()) return 0;
  DIR* listing = ::opendir(folder.c_str());
  if (!listing) return 0;
  int removed = 0;
  while (const dirent* entry = ::readdir(listing)) {
    const std::string name = entry->d_name;
    if (name.compare(0, prefix.size(), prefix) != 0) continue;
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

} // namespace

std::string NewTempName(const std::string& target) {
  static thread_local std::mt19937 random{std::random_device{}()};
  char suffix[40];
  std::snprintf(suffix, sizeof suffix, "%ld.%08x", static_cast<long>(::getpid()),
                static_cast<unsigned>(random()));
  return (fs::path(FolderOf(target)) / (TempPrefix(target) + suffix)).string();
}

TAtomicFile::TAtomicFile(const std::string& target, TLinkTarget links)
    : FTarget(links == TLinkTarget::FollowLink ? ResolvedTarget(target) : target), FShownName(target) {
  if (fs::path(FTarget).filename().empty()) Fail("no file name");
  struct stat old {};
  // A link that is replaced lends nothing of the file it names.
  const bool hadFile = (links == TLinkTarget::FollowLink ? ::stat(FTarget.c_str(), &old)
                                                          : ::lstat(FTarget.c_str(), &old)) == 0;
  if (hadFile && S_ISDIR(old.st_mode)) Fail(SystemReason(EISDIR));
  RemoveStaleTempFiles(FTarget);
  // O_EXCL: never a file someone planted under the name; mode 0666 lets the kernel apply
  // the umask, which a thread could not read without changing it for every other thread.
  for (int attempt = 0; attempt < 100 && FDescriptor < 0; ++attempt) {
    FTempPath = NewTempName(FTarget);
    FDescriptor = ::open(FTempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (FDescriptor < 0 && errno != EEXIST) Fail(SystemReason(errno));
  }
  if (FDescriptor < 0) Fail("no free temporary name");
  RemoveOnStop(FTempPath, false);
  if (hadFile && S_ISREG(old.st_mode) && ::fchmod(FDescriptor, old.st_mode & 07777) != 0) {
    const int error = errno;
    Discard();
    Fail(SystemReason(error));
  }
}

TAtomicFile::~TAtomicFile() { Discard(); }

void TAtomicFile::Fail(const std::string& reason) const { throw TFileWriteError(FShownName, reason); }

void TAtomicFile::Discard() noexcept {
  if (FDone) return;
  FDone = true;
  if (FDescriptor >= 0) ::close(FDescriptor);
  FDescriptor = -1;
  if (!FTempPath.empty()) ::unlink(FTempPath.c_str());
  KeepOnStop(FTempPath);
}

void TAtomicFile::Write(const void* data, std::size_t size) {
  if (FDone) Fail("the file is already finished");
  const char* bytes = static_cast<const char*>(data);
  while (size > 0) {
    const ssize_t written = ::write(FDescriptor, bytes, size);
    if (written < 0 && errno == EINTR) continue;
    // A write of nothing would repeat forever; the disk is as good as full.
    if (written <= 0) Fail(SystemReason(written < 0 ? errno : ENOSPC));
    bytes += written;
    size -= static_cast<std::size_t>(written);
  }
}

void TAtomicFile::SetMode(mode_t mode) {
  if (FDone || ::fchmod(FDescriptor, mode & 07777) != 0) Fail(SystemReason(FDone ? EBADF : errno));
}

void SetScratchFolder(const std::string& folder) {
  std::lock_guard<std::mutex> hold(ScratchLock);
  Scratch = folder.empty() ? std::string() : fs::path(folder).lexically_normal().string();
  if (!Scratch.empty() && Scratch.back() != '/') Scratch += '/';
}

void TAtomicFile::Commit() {
  if (FDone) Fail("the file is already finished");
  const bool flush = !InScratchFolder(FTarget);
  // Data a library wrote by name reaches the disk here too: fsync covers the whole file.
  if (flush && ::fsync(FDescriptor) != 0) Fail(SystemReason(errno));
  const int closed = ::close(FDescriptor);
  FDescriptor = -1;
  if (closed != 0) Fail(SystemReason(errno));
  if (::rename(FTempPath.c_str(), FTarget.c_str()) != 0) Fail(SystemReason(errno));
  FDone = true;
  KeepOnStop(FTempPath);
  // The new name itself survives a power cut only once the folder is flushed too.
  const int folder = flush ? ::open(FolderOf(FTarget).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC) : -1;
  if (folder >= 0) {
    ::fsync(folder);
    ::close(folder);
  }
}

void WriteFileAtomically(const std::string& target, std::string_view bytes, TLinkTarget links) {
  TAtomicFile file(target, links);
  file.Write(bytes);
  file.Commit();
}

void CopyFileAtomically(const std::string& source, const std::string& target) {
  const int input = ::open(source.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  struct stat info {};
  if (input < 0 || ::fstat(input, &info) != 0 || !S_ISREG(info.st_mode)) {
    const int error = input < 0 ? errno : (S_ISDIR(info.st_mode) ? EISDIR : EINVAL);
    if (input >= 0) ::close(input);
    throw TFileWriteError(target, "cannot read \"" + source + "\": " + SystemReason(error));
  }
  try {
    TAtomicFile file(target);
    char buffer[64 * 1024];
    for (;;) {
      const ssize_t got = ::read(input, buffer, sizeof buffer);
      if (got < 0 && errno == EINTR) continue;
      if (got < 0) file.Fail("cannot read \"" + source + "\": " + SystemReason(errno));
      if (got == 0) break;
      file.Write(buffer, static_cast<std::size_t>(got));
    }
    file.Commit();
  } catch (...) {
    ::close(input);
    throw;
  }
  ::close(input);
}

int RemoveStaleTempFiles(const std::string& target) {
  return RemoveStaleIn(FolderOf(target), TempPrefix(target));
}

int RemoveStaleTempFilesIn(const std::string& folder) { return RemoveStaleIn(folder, "."); }

} // namespace files
