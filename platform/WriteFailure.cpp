#include "platform/WriteFailure.h"

#include <sys/statvfs.h>

#include <cerrno>
#include <cstring>

namespace files {

std::string WriteFailureText(int error)
{
  switch (error) {
    case ENOSPC: return "no space left on the device";
    case EDQUOT: return "the disk quota is used up";
    case EFBIG: return "the file would be larger than allowed";
    case EROFS: return "the disk can only be read";
    case EACCES:
    case EPERM: return "permission denied";
    case EIO: return "the device reported an input/output error";
    default: return std::strerror(error);
  }
}

bool IsDiskFull(const std::string& message, const std::string& folder)
{
  for (int error : {ENOSPC, EDQUOT}) {
    if (message.find(WriteFailureText(error)) != std::string::npos) return true;
    if (message.find(std::strerror(error)) != std::string::npos) return true;
  }
  struct statvfs disk {};
  return !folder.empty() && ::statvfs(folder.c_str(), &disk) == 0 && disk.f_bavail == 0 && disk.f_blocks > 0;
}

} // namespace files
