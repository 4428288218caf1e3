// Export speed of the birthday card per format, as a multiple of real time (the card's 20
// seconds over the time the export took), on one encoder thread.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include <stdlib.h>

#include "export/MovieExport.h"
#include "platform/SystemPaths.h"
#include "swf/builder/SwfAction.h"
#include "swf/builder/SwfMovie.h"
#include "swf/builder/SwfObject.h"
#include "tools/CardRender.h"

namespace {

constexpr double CardSeconds = 240 / 12.0;

struct TBirthdayMovie {
  std::string Folder;
  std::string Movie;
  TBirthdayMovie() {
    Folder = (std::filesystem::temp_directory_path() / "greetix-bench-XXXXXX").string();
    if (!mkdtemp(Folder.data())) throw std::runtime_error("no temporary folder");
    const std::string source = std::string(GREETIX_SOURCE_DIR);
    TCardRenderOptions options;
    options.CardFile = source + "/template/birthday.grx";
    options.OutputFile = Folder + "/birthday.swf";
    options.Final = true;
    options.Seed = 1;
    options.ProgramFolder = source;
    RenderCardFile(options, nullptr);
    Movie = options.OutputFile;
  }
  ~TBirthdayMovie() {
    std::error_code ignored;
    std::filesystem::remove_all(Folder, ignored);
  }
};

const TBirthdayMovie& Birthday() {
  static const TBirthdayMovie movie;
  return movie;
}

void ExportBirthday(benchmark::State& state, const char* extension, double scale) {
  const TBirthdayMovie& birthday = Birthday();
  exporter::TExportOptions options;
  options.Threads = 1;
  options.Scale = scale;
  const std::string target = birthday.Folder + "/out." + extension;
  for (auto _ : state) exporter::ExportMovie(birthday.Movie, target, options);
  state.counters["x_realtime"] =
      benchmark::Counter(CardSeconds * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
  state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(target));
}

}  // namespace

BENCHMARK_CAPTURE(ExportBirthday, mp4, "mp4", 1.0)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);
BENCHMARK_CAPTURE(ExportBirthday, mp4_scale2, "mp4", 2.0)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK_CAPTURE(ExportBirthday, webm, "webm", 1.0)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);
BENCHMARK_CAPTURE(ExportBirthday, gif, "gif", 1.0)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);
BENCHMARK_CAPTURE(ExportBirthday, webp, "webp", 1.0)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);
BENCHMARK_CAPTURE(ExportBirthday, png, "png", 1.0)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);
BENCHMARK_CAPTURE(ExportBirthday, html, "html", 1.0)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK_CAPTURE(ExportBirthday, swf, "swf", 1.0)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);
