// How long the builder takes to make and write a movie of 200 text shapes, each placed on
// every one of 240 frames with a new colour and scale (as the fading and growing text
// effects do), and how large the file becomes.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "swf/builder/SwfMovie.h"
#include "swf/builder/SwfObject.h"

namespace {

constexpr int Texts = 200;
constexpr int Frames = 240;

void PlaceTexts(swf::TSwfMovie& movie, swf::TSwfObject& object) {
  movie.SetSize(550 * 20, 400 * 20);
  movie.SetFrameRate(24);
  for (int k = 0; k < Texts; ++k) {
    object.MakeTextSimple("DejaVu Sans", "Greeting " + std::to_string(k), 20.0 * 25 * (k % 20),
                          20.0 * 40 * (k / 20) + 100, 28 * 18);
    for (int i = 0; i < Frames; ++i) {
      movie.GotoFrame(i);
      movie.RemoveObject(object);
      object.SetSolidFill(k, i, 255 - k, 255.0 / Frames * (i + 1));
      double scale = 65536.0 * (0.5 + i / 480.0);
      object.Scale(scale, scale);
      movie.AddObject(object);
    }
    movie.GotoFrame(Frames);
    movie.RemoveObject(object);
  }
}

// Making the shapes, recording the placements and writing the file.
void BM_MakeAndWriteMovie(benchmark::State& state) {
  std::string path = (std::filesystem::temp_directory_path() / "greetix_bench_write_movie.swf").string();
  double size = 0;
  for (auto _ : state) {
    swf::TSwfMovie movie;
    swf::TSwfObject object;
    PlaceTexts(movie, object);
    movie.WriteMovie(path);
    size = static_cast<double>(std::filesystem::file_size(path));
  }
  std::remove(path.c_str());
  state.counters["file_bytes"] = size;
  state.counters["placements"] = Texts * Frames;
}
BENCHMARK(BM_MakeAndWriteMovie)->Unit(benchmark::kMillisecond);

// Serialising alone, from a timeline recorded once.
void BM_SerializeMovie(benchmark::State& state) {
  swf::TSwfMovie movie;
  swf::TSwfObject object;
  PlaceTexts(movie, object);
  double size = 0;
  for (auto _ : state) {
    auto bytes = movie.MovieBytes();
    size = static_cast<double>(bytes.size());
    benchmark::DoNotOptimize(bytes.data());
  }
  state.counters["file_bytes"] = size;
}
BENCHMARK(BM_SerializeMovie)->Unit(benchmark::kMillisecond);

}  // namespace
