#include "tools/InfoCommand.h"

#include <cstdio>
#include <exception>
#include <string>

#include "swf/reader/MovieDescription.h"
#include "swf/reader/SwfFile.h"

namespace tools {

int RunInfo(int argc, char** argv) {
  std::string path;
  bool json = false;
  for (int i = 1; i < argc; ++i) {
    std::string argument = argv[i];
    if (argument == "--json" && !json) {
      json = true;
    } else if (path.empty() && !argument.empty() && argument[0] != '-') {
      path = argument;
    } else {
      path.clear();
      break;
    }
  }
  if (path.empty()) {
    std::fputs("usage: greetix-cli info MOVIE.swf [--json]\n", stderr);
    return 2;
  }
  try {
    std::string text = swf::DescribeMovie(swf::TSwfFile::FromFile(path), json);
    std::fwrite(text.data(), 1, text.size(), stdout);
    return 0;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "greetix-cli: %s: %s\n", path.c_str(), error.what());
    return 1;
  }
}

}  // namespace tools
