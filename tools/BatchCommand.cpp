#include "tools/BatchCommand.h"

#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <thread>

#include "bulk/StageFit.h"
#include "platform/SystemPaths.h"
#include "tools/BatchRun.h"
#include "tools/BatchSummary.h"

namespace {

constexpr const char* Usage =
    "usage: greetix-cli batch CARD.grx LIST.csv -o DIR [--format swf|exe|mp4|webm|gif|webp|html]\n"
    "                         [--name PATTERN] [--jobs N] [--shard I/N] [--seed N] [--progress]\n"
    "                         [--width W | --scale S] [--confine]";

std::atomic<bool> StopAsked{false};

extern "C" void OnStopSignal(int) { StopAsked.store(true); }

// Ctrl-C, a polite kill (the editor's Cancel) or the end of the terminal stops the run
// between and inside cards, so the summary is told and no unfinished file stays; the
// workers inherit the handler.
void CatchStopSignals()
{
  struct sigaction action {};
  action.sa_handler = OnStopSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  ::sigaction(SIGINT, &action, nullptr);
  ::sigaction(SIGTERM, &action, nullptr);
  ::sigaction(SIGHUP, &action, nullptr);
}

int WrongArguments(const std::string& why)
{
  std::fprintf(stderr, "greetix-cli: %s\n%s\n", why.c_str(), Usage);
  return 2;
}

template <typename TNumber>
bool ParseNumber(std::string_view text, TNumber& value)
{
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

// "I/N" with 0 <= I < N.
bool ParseShard(std::string_view text, int& index, int& count)
{
  const std::size_t slash = text.find('/');
  return slash != std::string_view::npos && ParseNumber(text.substr(0, slash), index) &&
         ParseNumber(text.substr(slash + 1), count) && count >= 1 && index >= 0 && index < count;
}

// A text as a message quotes it: on one line, a long one cut short.
std::string Quoted(const std::string& text)
{
  std::string line;
  for (char c : text) line += c == '\n' || c == '\r' || c == '\t' ? ' ' : c;
  const std::size_t longest = 60;
  if (line.size() > longest) {
    std::size_t cut = longest;
    while (cut > 0 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80) --cut; // not inside a character
    line = line.substr(0, cut) + "\u2026";
  }
  return "\"" + line + "\"";
}

// Counts what was made and shows it: a progress line on a terminal, the faults as they come.
class TBatchProgress {
public:
  // fit: checks the filled texts of the rows made; none when the card could not be read
  // for it (the run then reports the card).
  TBatchProgress(std::size_t total, bool progressLines, TStageFit* fit)
      : Total(total), OnTerminal(::isatty(STDERR_FILENO)), ProgressLines(progressLines), Fit(fit),
        Start(std::chrono::steady_clock::now())
  {
  }

  void Report(const TRowReport& report)
  {
    ++Counts[static_cast<int>(report.Outcome)];
    if (report.Outcome == TRowOutcome::Failed) {
      Tell(report.Where + ": " + report.Message);
    } else if (report.Outcome == TRowOutcome::Made) {
      for (const std::string& note : report.Notes)
        Tell(report.Where + ": written as \"" + report.FileName + "\": " + note);
    }
    if (report.Outcome == TRowOutcome::Made || report.Outcome == TRowOutcome::Skipped) CheckStage(report);
    ShowProgress(false);
    if (ProgressLines) {
      std::printf("progress %d %zu\n", Made() + Skipped() + Failed() + Stopped(), Total);
      std::fflush(stdout);
    }
  }

  void Warn(const std::string& text) { Tell("warning: " + text); }
  void Note(const std::string& text) { Tell("note: " + text); }

  // Prints the summary; true when no row failed.
  bool Finish()
  {
    ShowProgress(true);
    if (ShownProgress) std::fputc('\n', stderr);
    std::printf("%s\n", BatchSummary({Made(), Skipped(), Failed(), Stopped(), OffStage}, Elapsed()).c_str());
    return Failed() == 0 && Stopped() == 0;
  }

private:
  int Made() const { return Counts[static_cast<int>(TRowOutcome::Made)]; }
  int Skipped() const { return Counts[static_cast<int>(TRowOutcome::Skipped)]; }
  int Failed() const { return Counts[static_cast<int>(TRowOutcome::Failed)]; }
  int Stopped() const { return Counts[static_cast<int>(TRowOutcome::Stopped)]; }
  double Elapsed() const { return std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count(); }

  // A card is made whatever its texts do; the user is told which rows to look at.
  void CheckStage(const TRowReport& row)
  {
    if (!Fit) return;
    std::vector<std::string> off;
    try {
      off = Fit->TextsOffStage(row.Values);
    } catch (const std::exception&) {
      return;
    }
    if (off.empty()) return;
    ++OffStage;
    Tell(row.Where + ": the text " + Quoted(off.front()) + " runs off the stage");
  }

  void Tell(const std::string& text)
  {
    if (ShownProgress) std::fputs("\r\033[K", stderr);
    std::fprintf(stderr, "greetix-cli: %s\n", text.c_str());
    ShownProgress = false;
  }

  // At most ten times a second, and only on a terminal.
  void ShowProgress(bool last)
  {
    if (!OnTerminal) return;
    const double now = Elapsed();
    if (!last && ShownProgress && now - LastShown < 0.1) return;
    LastShown = now;
    const std::size_t done = static_cast<std::size_t>(Made() + Skipped() + Failed() + Stopped());
    std::fprintf(stderr, "\r\033[K%zu/%zu cards, %d failed, %.0f cards/s", done, Total, Failed(),
                 now > 0 ? Made() / now : 0.0);
    std::fflush(stderr);
    ShownProgress = true;
  }

  std::size_t Total;
  bool OnTerminal;
  bool ProgressLines; // "progress DONE TOTAL" on standard output, for a program showing it
  TStageFit* Fit;
  std::chrono::steady_clock::time_point Start;
  int Counts[4] = {0, 0, 0, 0};
  int OffStage = 0; // rows made whose filled text runs off the stage
  bool ShownProgress = false;
  double LastShown = 0;
};

} // namespace

namespace tools {

int RunBatchCommand(int argc, char** argv)
{
  TBatchOptions options;
  options.Jobs = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  std::vector<std::string> files;
  bool progressLines = false;
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    const bool hasValue = i + 1 < argc;
    if (argument == "-o" && hasValue) {
      options.OutputFolder = argv[++i];
    } else if (argument == "--format" && hasValue) {
      options.Format = argv[++i];
    } else if (argument == "--name" && hasValue) {
      options.NamePattern = argv[++i];
    } else if (argument == "--jobs" && hasValue) {
      if (!ParseNumber(std::string_view(argv[++i]), options.Jobs) || options.Jobs < 1 || options.Jobs > 256)
        return WrongArguments("--jobs needs a number from 1 to 256, not \"" + std::string(argv[i]) + "\"");
    } else if (argument == "--shard" && hasValue) {
      if (!ParseShard(argv[++i], options.ShardIndex, options.ShardCount))
        return WrongArguments("--shard needs I/N with 0 <= I < N, not \"" + std::string(argv[i]) + "\"");
    } else if (argument == "--seed" && hasValue) {
      std::uint32_t seed = 0;
      if (!ParseNumber(std::string_view(argv[++i]), seed))
        return WrongArguments("--seed needs a whole number, not \"" + std::string(argv[i]) + "\"");
      options.Seed = seed;
    } else if (argument == "--width" && hasValue) {
      int width = 0;
      if (!ParseNumber(std::string_view(argv[++i]), width) || width < 1 || width > 8192)
        return WrongArguments("--width needs a number of pixels from 1 to 8192, not \"" + std::string(argv[i]) + "\"");
      options.Width = width;
    } else if (argument == "--scale" && hasValue) {
      double scale = 0;
      if (!ParseNumber(std::string_view(argv[++i]), scale) || !(scale > 0) || scale > 16)
        return WrongArguments("--scale needs a number above 0 and at most 16, not \"" + std::string(argv[i]) + "\"");
      options.Scale = scale;
    } else if (argument == "--confine") {
      options.ConfineMedia = true;
    } else if (argument == "--progress") {
      progressLines = true;
    } else if (!argument.empty() && argument[0] == '-') {
      return WrongArguments("unknown option \"" + argument + "\"");
    } else {
      files.push_back(argument);
    }
  }
  if (files.size() != 2 || options.OutputFolder.empty()) return WrongArguments("a card, a list and -o DIR are needed");
  options.CardFile = files[0];
  options.ListFile = files[1];
  options.ProgramFolder = Platform::ProgramFolder().toStdString();
  if (const std::string refusal = FormatRefusal(options.Format); !refusal.empty()) {
    std::fprintf(stderr, "greetix-cli: %s\n", refusal.c_str());
    return 1;
  }

  if (options.Format == "swf" || options.Format == "exe") {
    if (options.Width || options.Scale != 1)
      return WrongArguments("--width and --scale size the pictures of the video, animation and web formats");
  }
  CatchStopSignals();
  options.Stop = &StopAsked;

  try {
    const TBatchPlan plan = PlanBatch(options);
    // Made before the workers start; used only in this process, as their reports come in.
    std::unique_ptr<TStageFit> fit;
    try {
      fit = std::make_unique<TStageFit>(options.CardFile);
    } catch (const std::exception&) {
    }
    TBatchProgress progress(plan.ShardRowCount, progressLines, fit.get());
    for (const std::string& note : plan.Notes) progress.Note(note);
    for (const std::string& warning : plan.Warnings) progress.Warn(warning);
    RunBatch(
        options, plan, [&](const TRowReport& report) { progress.Report(report); },
        [&](const std::string& warning) { progress.Warn(warning); });
    return progress.Finish() ? 0 : 1;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "greetix-cli: %s\n", error.what());
    return 1;
  }
}

} // namespace tools
