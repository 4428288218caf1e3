// greetix-cli: answers `info` itself, with the movie reader alone, and hands every other
// command to greetix-commands beside it (the same process, by exec). Reading a movie then
// starts at once instead of loading the drawing and encoding libraries first.
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <string>

#include "tools/InfoCommand.h"

namespace {

// The folder of this program's file, links resolved: the commands program lies there.
std::string ProgramFolder() {
  char path[PATH_MAX];
  const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path - 1);
  if (length <= 0) return ".";
  const std::string file(path, static_cast<size_t>(length));
  return file.substr(0, file.rfind('/'));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 2 && std::strcmp(argv[1], "info") == 0) return tools::RunInfo(argc - 1, argv + 1);
  const std::string commands = ProgramFolder() + "/greetix-commands";
  ::execv(commands.c_str(), argv);
  std::fprintf(stderr, "greetix-cli: cannot start %s: %s\n", commands.c_str(), std::strerror(errno));
  return 1;
}
