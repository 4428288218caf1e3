#include "tools/ExportCommand.h"

#include <atomic>
#include <charconv>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <optional>
#include <string>

#include <unistd.h>

#include "export/ExportError.h"
#include "export/MovieExport.h"
#include "platform/ScratchFolder.h"
#include "platform/SystemPaths.h"
#include "swf/builder/SwfAction.h"
#include "swf/builder/SwfMovie.h"
#include "swf/builder/SwfObject.h"
#include "tools/CardRender.h"

namespace {

constexpr const char* Usage =
    "usage: greetix-cli export IN.grx|IN.swf -o OUT.mp4|webm|gif|webp|png|html|swf [--scale S]\n"
    "         [--width W] [--size WxH] [--loops N] [--seed N] [--quality Q] [--set Name=Value]...\n"
    "         [--confine]";

std::atomic<bool> Interrupted{false};

extern "C" void OnInterrupt(int) { Interrupted.store(true); }

int WrongArguments(const std::string& why) {
  std::fprintf(stderr, "greetix-cli: %s\n%s\n", why.c_str(), Usage);
  return 2;
}

template <class T>
std::optional<T> ParseNumber(const char* text) {
  T value{};
  const char* end = text + std::strlen(text);
  auto [stop, error] = std::from_chars(text, end, value);
  if (error != std::errc() || stop != end) return std::nullopt;
  return value;
}

std::string LowerExtension(const std::string& path) {
  std::string extension = std::filesystem::path(path).extension().string();
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return extension;
}

std::string OneLine(std::string text) {
  for (char& c : text)
    if (c == '\n' || c == '\r') c = ' ';
  return text;
}

class TStderrMessages : public IUserMessages {
 public:
  void ShowError(const std::string& text) override {
    std::fprintf(stderr, "greetix-cli: warning: %s\n", OneLine(text).c_str());
  }
};

// Ctrl-C, a polite kill or the end of the terminal asks the export to stop instead of
// ending the program, so no file is left behind.
class TInterruptGuard {
 public:
  TInterruptGuard() {
    Interrupted.store(false);
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (size_t i = 0; i < std::size(Signals); ++i) ::sigaction(Signals[i], &action, &FPrevious[i]);
  }
  ~TInterruptGuard() {
    for (size_t i = 0; i < std::size(Signals); ++i) ::sigaction(Signals[i], &FPrevious[i], nullptr);
  }

 private:
  static constexpr int Signals[] = {SIGINT, SIGTERM, SIGHUP};
  struct sigaction FPrevious[std::size(Signals)] {};
};

}  // namespace

namespace tools {

int RunExport(int argc, char** argv) {
  std::string input, output;
  std::optional<uint32_t> seed;
  bool confine = false;
  std::optional<TFieldValues> fields;
  exporter::TExportOptions options;
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    const bool hasValue = i + 1 < argc;
    if (argument == "-h" || argument == "--help") {
      std::printf("%s\n", Usage);
      return 0;
    } else if (argument == "-o" && hasValue) {
      output = argv[++i];
    } else if (argument == "--scale" && hasValue) {
      const std::optional<double> scale = ParseNumber<double>(argv[++i]);
      if (!scale || !(*scale > 0) || *scale > 16) return WrongArguments("--scale needs a number above 0 and at most 16");
      options.Scale = *scale;
    } else if (argument == "--width" && hasValue) {
      const std::optional<int> width = ParseNumber<int>(argv[++i]);
      if (!width || *width < 1) return WrongArguments("--width needs a whole number of pixels");
      options.Width = *width;
    } else if (argument == "--size" && hasValue) {
      // WxH: the stage fitted into a picture of that size, the background around it.
      const std::string size = argv[++i];
      const size_t by = size.find_first_of("xX");
      const std::optional<int> width = by == std::string::npos ? std::nullopt : ParseNumber<int>(size.substr(0, by).c_str());
      const std::optional<int> height = by == std::string::npos ? std::nullopt : ParseNumber<int>(size.substr(by + 1).c_str());
      if (!width || !height || *width < 1 || *height < 1) return WrongArguments("--size needs a picture size such as 1280x720");
      options.FrameWidth = *width;
      options.FrameHeight = *height;
    } else if (argument == "--loops" && hasValue) {
      const std::optional<int> loops = ParseNumber<int>(argv[++i]);
      if (!loops || *loops < 1 || *loops > exporter::MaxLoops) {
        return WrongArguments("--loops needs a whole number from 1 to " + std::to_string(exporter::MaxLoops));
      }
      options.Loops = *loops;
    } else if (argument == "--quality" && hasValue) {
      const std::optional<int> quality = ParseNumber<int>(argv[++i]);
      if (!quality || *quality < 1 || *quality > 100) return WrongArguments("--quality needs a whole number from 1 to 100");
      options.Quality = *quality;
    } else if (argument == "--confine") {
      confine = true;
    } else if (argument == "--set" && hasValue) {
      const std::string assignment = argv[++i];
      const std::size_t equals = assignment.find('=');
      if (equals == std::string::npos || equals == 0) return WrongArguments("--set needs Name=Value, not \"" + assignment + "\"");
      if (!fields) fields.emplace();
      (*fields)[assignment.substr(0, equals)] = assignment.substr(equals + 1);
    } else if (argument == "--seed" && hasValue) {
      seed = ParseNumber<uint32_t>(argv[++i]);
      if (!seed) return WrongArguments("--seed needs a whole number");
    } else if (!argument.empty() && argument[0] == '-') {
      return WrongArguments("unknown option \"" + argument + "\"");
    } else if (input.empty()) {
      input = argument;
    } else {
      return WrongArguments("more than one input given");
    }
  }
  if (input.empty() || output.empty()) return WrongArguments("an input and -o OUT are needed");
  if (!exporter::FormatOfPath(output)) {
    return WrongArguments("the output's extension must be one of " + exporter::KnownExtensions());
  }
  const std::string inputExtension = LowerExtension(input);
  if (inputExtension != ".grx" && inputExtension != ".swf") {
    return WrongArguments("the input must be a card (.grx) or a movie (.swf)");
  }
  if (fields && inputExtension != ".grx") return WrongArguments("--set fills the fields of a card (.grx), not of a movie");

  const bool terminal = isatty(STDERR_FILENO) == 1;
  TInterruptGuard interruptGuard;
  options.Cancel = &Interrupted;
  options.Title = std::filesystem::path(input).stem().string();
  int lastPercent = -1;
  if (terminal) {
    options.Progress = [&](const exporter::TExportProgress& progress) {
      if (progress.Percent() == lastPercent) return;
      lastPercent = progress.Percent();
      std::fprintf(stderr, "\rExporting %s: %3d%% (%d/%d frames)", output.c_str(), progress.Percent(),
                   progress.FramesDone, progress.FramesTotal);
      std::fflush(stderr);
    };
  }
  auto endProgressLine = [&] {
    if (lastPercent >= 0) std::fputc('\n', stderr);
    lastPercent = -1;
  };

  try {
    std::optional<files::TScratchFolder> scratch; // the card's movie, removed on every way out
    std::string movie = input;
    if (inputExtension == ".grx") {
      scratch.emplace("export");
      TCardRenderOptions render;
      render.CardFile = input;
      render.OutputFile = scratch->File("card.swf");
      render.Final = true;
      render.Seed = seed;
      render.ConfineMedia = confine;
      render.Fields = fields;
      render.ProgramFolder = Platform::ProgramFolder().toStdString();
      TStderrMessages messages;
      RenderCardFile(render, &messages);
      movie = render.OutputFile;
    }
    exporter::ExportMovie(movie, output, options);
    endProgressLine();
    std::printf("%s: written\n", output.c_str());
    return 0;
  } catch (const std::exception& error) {
    endProgressLine();
    std::fprintf(stderr, "greetix-cli: %s\n", OneLine(error.what()).c_str());
    return 1;
  }
}

}  // namespace tools
