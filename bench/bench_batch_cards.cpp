// Cards of a list made from the birthday template (its greeting made personal with a field),
// with one and with two worker processes: 1,000 rows into SWF movies (cards per second) and
// a few rows into MP4 videos (seconds per card).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>

#include <stdlib.h>
#include <sys/resource.h>

#include "tools/BatchRun.h"

namespace {

std::string ReadAll(const std::string& file)
{
  std::ifstream input(file, std::ios::binary);
  std::ostringstream bytes;
  bytes << input.rdbuf();
  return bytes.str();
}

// Processor time of this process and its ended workers: on a busy machine the clock on the
// wall says little, this says what the cards cost.
double ProcessorSeconds()
{
  double seconds = 0;
  for (const int who : {RUSAGE_SELF, RUSAGE_CHILDREN}) {
    rusage usage {};
    getrusage(who, &usage);
    seconds += usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
  }
  return seconds;
}

void MakeBirthdayCards(benchmark::State& state, const std::string& format, int rows)
{
  std::string folder = (std::filesystem::temp_directory_path() / "greetix-bench-XXXXXX").string();
  if (!mkdtemp(folder.data())) {
    state.SkipWithError("no temporary folder");
    return;
  }
  TBatchOptions options;
  options.CardFile = folder + "/birthday.grx";
  options.ListFile = folder + "/list.csv";
  options.ProgramFolder = GREETIX_SOURCE_DIR; // the template's pictures and sound lie there
  options.Jobs = static_cast<int>(state.range(0));
  options.Seed = 1;
  options.Format = format;
  std::ofstream(options.CardFile) << std::regex_replace(ReadAll(std::string(GREETIX_SOURCE_DIR) + "/template/birthday.grx"),
                                                        std::regex("Dear Friend,"), "Dear {Name},");
  std::ofstream list(options.ListFile);
  list << "Name\n";
  for (int i = 0; i < rows; ++i) list << "Friend " << i << "\n";
  list.close();

  const double processorStart = ProcessorSeconds();
  int runs = 0;
  int notMade = 0;
  for (auto _ : state) {
    options.OutputFolder = folder + "/cards-" + std::to_string(runs++); // a fresh folder: no card is skipped
    const TBatchPlan plan = PlanBatch(options);
    RunBatch(options, plan, [&](const TRowReport& report) { notMade += report.Outcome != TRowOutcome::Made; },
             nullptr);
  }
  const double cards = static_cast<double>(rows) * static_cast<double>(state.iterations());
  state.counters["cards_per_s"] = benchmark::Counter(cards, benchmark::Counter::kIsRate);
  state.counters["cpu_s_per_card"] = (ProcessorSeconds() - processorStart) / cards;
  state.counters["s_per_card"] = benchmark::Counter(cards, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  state.counters["not_made"] = notMade;
  std::filesystem::remove_all(folder);
}

} // namespace

BENCHMARK_CAPTURE(MakeBirthdayCards, swf_1000, std::string("swf"), 1000)
    ->Arg(1)->Arg(2)->Iterations(2)->Unit(benchmark::kSecond)->UseRealTime();
// Two workers first: once this process has painted and encoded it has threads, and a
// process with threads makes its rows itself.
BENCHMARK_CAPTURE(MakeBirthdayCards, mp4_4, std::string("mp4"), 4)
    ->Arg(2)->Arg(1)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();
