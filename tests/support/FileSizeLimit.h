// A limit on the size of every file this process (and any child it starts) writes, as a
// full disk would impose: a write past it fails with EFBIG instead of killing the process.
#pragma once

#include <csignal>
#include <sys/resource.h>

class TFileSizeLimit {
public:
  explicit TFileSizeLimit(rlim_t bytes)
  {
    getrlimit(RLIMIT_FSIZE, &Saved);
    OldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = Saved;
    limited.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limited);
  }
  ~TFileSizeLimit()
  {
    setrlimit(RLIMIT_FSIZE, &Saved);
    std::signal(SIGXFSZ, OldHandler);
  }
  TFileSizeLimit(const TFileSizeLimit&) = delete;
  TFileSizeLimit& operator=(const TFileSizeLimit&) = delete;

private:
  rlimit Saved{};
  void (*OldHandler)(int) = SIG_DFL;
};
