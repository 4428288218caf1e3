// Speed of the sound import on a three-minute MP3 (44.1 kHz stereo, 128 kbit/s, made here
// with lame from a synthesized WAV). The counter "x_realtime" is seconds of sound per second
// of wall time: how many times faster than real time the work runs.
#include <benchmark/benchmark.h>
#include <sndfile.h>
#include <stdlib.h>

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <thread>
#include <vector>

#include "plugins/SoundImport.h"
#include "plugins/StandardModules.h"

namespace {

constexpr int Rate = 44100;
constexpr double Seconds = 180.0;

// The MP3 in a private temporary folder, made once per run and removed at exit; the path
// is empty when lame is missing.
class TBenchSound {
 public:
  TBenchSound() {
    std::string folder = (std::filesystem::temp_directory_path() / "greetix-bench-XXXXXX").string();
    if (!mkdtemp(folder.data())) return;
    FFolder = folder;
    const std::string wav = folder + "/tone.wav";
    const std::string mp3 = folder + "/tone.mp3";
    SF_INFO info{};
    info.samplerate = Rate;
    info.channels = 2;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(wav.c_str(), SFM_WRITE, &info);
    if (!file) return;
    std::vector<short> block(2 * Rate);
    for (int second = 0; second < static_cast<int>(Seconds); ++second) {
      // A chord whose pitch moves, so the encoder has real work on every frame.
      for (int i = 0; i < Rate; ++i) {
        double t = second + static_cast<double>(i) / Rate;
        double hz = 220.0 + 20.0 * (second % 12);
        block[2 * i] = static_cast<short>(9000 * std::sin(2 * M_PI * hz * t));
        block[2 * i + 1] = static_cast<short>(9000 * std::sin(2 * M_PI * hz * 1.5 * t));
      }
      sf_writef_short(file, block.data(), Rate);
    }
    sf_close(file);
    std::string command = "lame --quiet -b 128 '" + wav + "' '" + mp3 + "'";
    if (std::system(command.c_str()) == 0) FMp3 = mp3;
    std::filesystem::remove(wav);
  }
  ~TBenchSound() {
    std::error_code ignored;
    if (!FFolder.empty()) std::filesystem::remove_all(FFolder, ignored);
  }
  const std::string& Mp3() const { return FMp3; }

 private:
  std::string FFolder;
  std::string FMp3;
};

const std::string& ThreeMinuteMp3() {
  static const TBenchSound sound;
  return sound.Mp3();
}

void Report(benchmark::State& state) {
  state.counters["x_realtime"] = benchmark::Counter(
      Seconds * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

// Decoding alone: the mp3 module into an output that only counts, with the same polling
// the import does.
void BM_Mp3Decode(benchmark::State& state) {
  const std::string& mp3 = ThreeMinuteMp3();
  if (mp3.empty()) {
    state.SkipWithError("lame is not installed");
    return;
  }
  std::unique_ptr<plugins::TInModule> in = plugins::MakeMp3InModule();
  plugins::TOutModule out;
  std::atomic<int64_t> frames{0};
  std::atomic<int> rate{1};
  int frameBytes = 4;
  out.Open = [&](int sampleRate, int channels, int bits, int, int) {
    frames = 0;
    rate = sampleRate;
    frameBytes = channels * bits / 8;
    return 0;
  };
  out.Write = [&](const char*, int bytes) {
    frames += bytes / frameBytes;
    return 0;
  };
  out.Close = [] {};
  out.CanWrite = [] { return 1 << 24; };
  out.GetOutputTime = [&] { return static_cast<int>(frames * 1000 / rate); };
  in->Init();
  in->outMod = &out;
  for (auto _ : state) {
    if (in->Play(mp3) != 0) {
      state.SkipWithError("the MP3 does not play");
      break;
    }
    while (out.GetOutputTime() < in->GetLength())
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    in->Stop();
  }
  Report(state);
}
BENCHMARK(BM_Mp3Decode)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// The whole import: decoding, down-mix and writing the mono WAV beside the MP3.
void BM_ImportSound(benchmark::State& state) {
  const std::string& mp3 = ThreeMinuteMp3();
  if (mp3.empty()) {
    state.SkipWithError("lame is not installed");
    return;
  }
  for (auto _ : state) plugins::ImportSound(mp3, nullptr);
  Report(state);
}
BENCHMARK(BM_ImportSound)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace
