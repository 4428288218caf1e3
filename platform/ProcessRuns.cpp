#include "platform/ProcessRuns.h"

#include <unistd.h>

#include <fstream>
#include <string>

namespace files {

bool ProcessRuns(long pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string line;
  if (!std::getline(stat, line)) return false;
  const size_t nameEnd = line.rfind(')');
  if (nameEnd == std::string::npos || nameEnd + 2 >= line.size()) return true;
  const char state = line[nameEnd + 2];
  return state != 'Z' && state != 'X';
}

bool ProcIsReadable() { return ProcessRuns(::getpid()); }

} // namespace files
