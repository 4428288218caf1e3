// Cards per second of a list of 1,000 rows made from the birthday template (its greeting
// made personal with a field) into SWF movies, with one and with two worker processes.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>

#include <stdlib.h>

#include "tools/BatchRun.h"

namespace {

constexpr int Rows = 1000;

std::string ReadAll(const std::string& file)
{
  std::ifstream input(file, std::ios::binary);
  std::ostringstream bytes;
  bytes << input.rdbuf();
  return bytes.str();
}

void MakeBirthdayCards(benchmark::State& state)
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
  std::ofstream(options.CardFile) << std::regex_replace(ReadAll(std::string(GREETIX_SOURCE_DIR) + "/template/birthday.grx"),
                                                        std::regex("Dear Friend,"), "Dear {Name},");
  std::ofstream list(options.ListFile);
  list << "Name\n";
  for (int i = 0; i < Rows; ++i) list << "Friend " << i << "\n";
  list.close();

  int runs = 0;
  int notMade = 0;
  for (auto _ : state) {
    options.OutputFolder = folder + "/cards-" + std::to_string(runs++); // a fresh folder: no card is skipped
    RunBatch(options, PlanBatch(options), [&](const TRowReport& report) { notMade += report.Outcome != TRowOutcome::Made; },
             nullptr);
  }
  state.counters["cards_per_s"] = benchmark::Counter(static_cast<double>(Rows) * state.iterations(), benchmark::Counter::kIsRate);
  state.counters["not_made"] = notMade;
  std::filesystem::remove_all(folder);
}

} // namespace

BENCHMARK(MakeBirthdayCards)->Arg(1)->Arg(2)->Iterations(2)->Unit(benchmark::kSecond)->UseRealTime();
