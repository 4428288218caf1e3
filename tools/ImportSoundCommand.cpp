#include "tools/ImportSoundCommand.h"

#include <cstdio>
#include <string>

#include "plugins/SoundImport.h"

namespace tools {

namespace {

void PrintUsage(std::FILE* stream) {
  std::fputs(
      "usage: greetix-cli import-sound IN [-o OUT.wav]\n"
      "Converts IN (MP3, WAV, ...) into a 16-bit mono WAV at a SWF sound rate;\n"
      "without -o the file IN_tmp.wav is written beside IN (in the user's cache folder\n"
      "when IN's folder cannot be written).\n",
      stream);
}

}  // namespace

int RunImportSound(int argc, char** argv) {
  std::string source;
  std::string destination;
  bool haveSource = false;
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument == "-h" || argument == "--help") {
      PrintUsage(stdout);
      return 0;
    }
    if (argument == "-o") {
      if (i + 1 >= argc || !destination.empty()) {
        PrintUsage(stderr);
        return 2;
      }
      destination = argv[++i];
      if (destination.empty()) {
        PrintUsage(stderr);
        return 2;
      }
    } else if (!haveSource) {
      source = argument;
      haveSource = true;
    } else {
      PrintUsage(stderr);
      return 2;
    }
  }
  if (!haveSource) {
    PrintUsage(stderr);
    return 2;
  }

  try {
    const std::string written = plugins::ImportSound(source, nullptr, {}, destination);
    std::printf("%s\n", written.c_str());
    return 0;
  } catch (const plugins::TSoundImportError& error) {
    std::string line = error.what();
    if (!error.Detail().empty()) line += ": " + error.Detail();
    std::fprintf(stderr, "greetix-cli: %s\n", line.c_str());
  } catch (const std::exception& error) {
    std::fprintf(stderr, "greetix-cli: %s\n", error.what());
  }
  return 1;
}

}  // namespace tools
