#include "tools/BatchCommand.h"

#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>

#include "platform/SystemPaths.h"
#include "tools/BatchRun.h"

namespace {

constexpr const char* Usage =
    "usage: greetix-cli batch CARD.grx LIST.csv -o DIR [--format swf|exe|mp4|webm|gif|webp|html]\n"
    "                         [--name PATTERN] [--jobs N] [--shard I/N] [--seed N] [--progress]\n"
    "                         [--width W | --scale S]";

std::atomic<bool> StopAsked{false};

extern "C" void OnStopSignal(int) { StopAsked.store(true); }

// Ctrl-C or a polite kill (the editor's Cancel) stops the run between and inside cards,
// so the summary is told and no unfinished file stays; the workers inherit the handler.
void CatchStopSignals()
{
  struct sigaction action {};
  action.sa_handler = OnStopSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  ::sigaction(SIGINT, &action, nullptr);
  ::sigaction(SIGTERM, &action, nullptr);
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

// Counts what was made and shows it: a progress line on a terminal, the faults as they come.
class TBatchProgress {
public:
  TBatchProgress(const TBatchPlan& plan, std::size_t total, bool progressLines)
      : Plan(plan), Total(total), OnTerminal(::isatty(STDERR_FILENO)), ProgressLines(progressLines),
        Start(std::chrono::steady_clock::now())
  {
  }

  void Report(const TRowReport& report)
  {
    const TBatchRow& row = Plan.Rows.at(static_cast<std::size_t>(report.Index));
    ++Counts[static_cast<int>(report.Outcome)];
    if (report.Outcome == TRowOutcome::Failed) {
      Tell(row.Where() + ": " + report.Message);
    } else if (report.Outcome == TRowOutcome::Made) {
      for (const std::string& note : row.Notes) Tell(row.Where() + ": written as \"" + row.FileName + "\": " + note);
    }
    ShowProgress(false);
    if (ProgressLines) {
      std::printf("progress %d %zu\n", Made() + Skipped() + Failed() + Stopped(), Total);
      std::fflush(stdout);
    }
  }

  void Warn(const std::string& text) { Tell("warning: " + text); }

  // Prints the summary; true when no row failed.
  bool Finish()
  {
    ShowProgress(true);
    if (ShownProgress) std::fputc('\n', stderr);
    const double seconds = Elapsed();
    std::printf("%zu cards: %d made, %d already there, %d failed", Total, Made(), Skipped(), Failed());
    if (Stopped() > 0) std::printf(", %d not made (stopped)", Stopped());
    std::printf(" (%.1f s", seconds);
    if (Made() > 0 && seconds > 0) std::printf(", %.0f cards/s", Made() / seconds);
    std::printf(")\n");
    return Failed() == 0 && Stopped() == 0;
  }

private:
  int Made() const { return Counts[static_cast<int>(TRowOutcome::Made)]; }
  int Skipped() const { return Counts[static_cast<int>(TRowOutcome::Skipped)]; }
  int Failed() const { return Counts[static_cast<int>(TRowOutcome::Failed)]; }
  int Stopped() const { return Counts[static_cast<int>(TRowOutcome::Stopped)]; }
  double Elapsed() const { return std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count(); }

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

  const TBatchPlan& Plan;
  std::size_t Total;
  bool OnTerminal;
  bool ProgressLines; // "progress DONE TOTAL" on standard output, for a program showing it
  std::chrono::steady_clock::time_point Start;
  int Counts[4] = {0, 0, 0, 0};
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
    TBatchProgress progress(plan, plan.ShardRows(options.ShardIndex, options.ShardCount).size(), progressLines);
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
