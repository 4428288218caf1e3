#include "platform/StopCleanup.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>

namespace files {

namespace {

// The handler may only read what is in place already: fixed slots, each published by its
// state once its path is written.
enum : int { Free = 0, Writing = 1, Ready = 2 };

struct TSlot {
  std::atomic<int> State{Free};
  bool Folder = false;
  char Path[4096] = {};
};

TSlot Slots[64];

// Removes the files of a folder and the folder, with async-signal-safe calls only.
void RemoveFolder(const char* path)
{
  const int folder = ::open(path, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (folder >= 0) {
    alignas(8) char buffer[8192];
    for (;;) {
      const long got = ::syscall(SYS_getdents64, folder, buffer, sizeof buffer);
      if (got <= 0) break;
      for (long at = 0; at < got;) {
        // struct linux_dirent64: inode (8), offset (8), record length (2), type (1), name.
        unsigned short length;
        std::memcpy(&length, buffer + at + 16, sizeof length);
        const char* name = buffer + at + 19;
        if (std::strcmp(name, ".") != 0 && std::strcmp(name, "..") != 0 && ::unlinkat(folder, name, 0) != 0)
          ::unlinkat(folder, name, AT_REMOVEDIR);
        at += length;
      }
    }
    ::close(folder);
  }
  ::rmdir(path);
}

extern "C" void RemoveFilesAndStop(int signal)
{
  const int savedErrno = errno;
  for (TSlot& slot : Slots) {
    if (slot.State.load(std::memory_order_acquire) != Ready) continue;
    if (slot.Folder) {
      RemoveFolder(slot.Path);
    } else {
      ::unlink(slot.Path);
    }
  }
  errno = savedErrno;
  ::signal(signal, SIG_DFL);
  ::raise(signal);
}

} // namespace

void RemoveOnStop(const std::string& path, bool folder)
{
  if (path.empty() || path.size() >= sizeof Slots[0].Path) return;
  for (TSlot& slot : Slots) {
    int expected = Free;
    if (!slot.State.compare_exchange_strong(expected, Writing, std::memory_order_acq_rel)) continue;
    std::memcpy(slot.Path, path.c_str(), path.size() + 1);
    slot.Folder = folder;
    slot.State.store(Ready, std::memory_order_release);
    return;
  }
}

void KeepOnStop(const std::string& path)
{
  for (TSlot& slot : Slots) {
    int expected = Ready;
    if (slot.State.load(std::memory_order_acquire) != Ready || path != slot.Path) continue;
    if (slot.State.compare_exchange_strong(expected, Writing, std::memory_order_acq_rel)) {
      slot.Path[0] = '\0';
      slot.State.store(Free, std::memory_order_release);
      return;
    }
  }
}

void RemoveOnStopSignals()
{
  struct sigaction action {};
  action.sa_handler = RemoveFilesAndStop;
  sigemptyset(&action.sa_mask);
  for (int signal : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&action.sa_mask, signal);
  for (int signal : {SIGINT, SIGTERM, SIGHUP}) ::sigaction(signal, &action, nullptr);
}

} // namespace files
