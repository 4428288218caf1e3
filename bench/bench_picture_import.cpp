// Importing a phone photo: examining (decode, turn upright, scale to fit 800 x 600, write the
// work file) a 12-megapixel JPEG and HEIC and a 50-megapixel JPEG, then placing it in a movie.
// Reports the time and the process's peak memory (peak_rss_mb: the most the process held at
// any moment so far, so run one benchmark at a time with --benchmark_filter for a figure of
// its own).
#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "render/Pic.h"
#include "swf/builder/SwfMovie.h"
#include "swf/builder/SwfObject.h"

namespace {

std::string Folder()
{
  static const std::string folder = [] {
    std::string pattern = (std::filesystem::temp_directory_path() / "greetix-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) std::abort();
    return pattern;
  }();
  return folder;
}

// A photo-like test picture of width x height, made by the ffmpeg program so that its
// pixels never count towards this process's peak memory.
std::string MakeJpeg(int width, int height)
{
  const std::string path = Folder() + "/photo-" + std::to_string(width) + "x" + std::to_string(height) + ".jpg";
  if (std::filesystem::exists(path)) return path;
  const std::string command = "ffmpeg -v quiet -y -f lavfi -i testsrc2=size=" + std::to_string(width) + "x" +
                              std::to_string(height) + " -frames:v 1 -q:v 3 '" + path + "'";
  return std::system(command.c_str()) == 0 ? path : std::string();
}

std::string MakeHeic(int width, int height)
{
  const std::string heic = Folder() + "/photo-" + std::to_string(width) + "x" + std::to_string(height) + ".heic";
  if (std::filesystem::exists(heic)) return heic;
  const std::string command = "heif-enc -q 80 -o '" + heic + "' '" + MakeJpeg(width, height) + "' >/dev/null 2>&1";
  return std::system(command.c_str()) == 0 ? heic : std::string();
}

double PeakMegabytes()
{
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return double(usage.ru_maxrss) / 1024.0;
}

void Import(benchmark::State& state, const std::string& path)
{
  if (path.empty()) {
    state.SkipWithError("ffmpeg or heif-enc is not installed");
    return;
  }
  for (auto _ : state) {
    // A fresh examiner each time: one remembers the file it examined last and keeps its work.
    TPic examiner(Folder() + "/Untitled", nullptr);
    examiner.ScalesWithNote = true;
    examiner.SetPictureFile(path);
    if (!examiner.Examine()) state.SkipWithError("refused");
    swf::TSwfMovie movie;
    swf::TSwfObject object;
    object.MakePicture(0, 0, 20 * examiner.Width(), 20 * examiner.Height(), examiner.Width(), examiner.Height(),
                       examiner.WorkFile());
    movie.AddObject(object);
    benchmark::DoNotOptimize(movie.MovieBytes());
  }
  state.counters["peak_rss_mb"] = PeakMegabytes();
}

void BM_Import12MegapixelJpeg(benchmark::State& state) { Import(state, MakeJpeg(4000, 3000)); }
void BM_Import12MegapixelHeic(benchmark::State& state) { Import(state, MakeHeic(4000, 3000)); }
void BM_Import50MegapixelJpeg(benchmark::State& state) { Import(state, MakeJpeg(8660, 5773)); }

BENCHMARK(BM_Import12MegapixelJpeg)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Import12MegapixelHeic)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Import50MegapixelJpeg)->Unit(benchmark::kMillisecond);

} // namespace
