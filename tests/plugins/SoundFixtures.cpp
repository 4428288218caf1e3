#include "SoundFixtures.h"

#include <sndfile.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <random>
#include <stdexcept>

namespace plugins::test {

TTempFolder::TTempFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "greetix-sound-XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary folder");
  FPath = pattern;
}

TTempFolder::~TTempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(FPath, ignored);
}

std::vector<std::string> TTempFolder::FileNames() const {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(FPath))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

void WriteSineWav(const std::string& path, int rate, int channels, double seconds) {
  SF_INFO info{};
  info.samplerate = rate;
  info.channels = channels;
  info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
  SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
  if (!file) throw std::runtime_error("cannot write " + path);
  const long long frames = std::llround(seconds * rate);
  std::vector<short> block;
  for (long long start = 0; start < frames; start += 4096) {
    long long count = std::min<long long>(4096, frames - start);
    block.assign(static_cast<size_t>(count * channels), 0);
    for (long long f = 0; f < count; ++f)
      for (int c = 0; c < channels; ++c) {
        double hz = c == 0 ? 440.0 : 660.0;
        double t = static_cast<double>(start + f) / rate;
        block[static_cast<size_t>(f * channels + c)] =
            static_cast<short>(std::lround(12000.0 * std::sin(2 * M_PI * hz * t)));
      }
    sf_writef_short(file, block.data(), count);
  }
  sf_close(file);
}

bool EncodeMp3(const std::string& wav, const std::string& mp3) {
  if (std::system("command -v lame >/dev/null 2>&1") != 0) return false;
  std::string command = "lame --quiet -b 128 '" + wav + "' '" + mp3 + "'";
  return std::system(command.c_str()) == 0;
}

void WriteBytes(const std::string& path, const std::vector<char>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::vector<char> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<char> RandomBytes(size_t count, unsigned seed) {
  std::mt19937 generator(seed);
  std::vector<char> bytes(count);
  for (char& b : bytes) b = static_cast<char>(generator() & 0xFF);
  return bytes;
}

TWavFacts ReadWavFacts(const std::string& path) {
  SF_INFO info{};
  SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
  if (!file) return {};
  sf_close(file);
  return {info.samplerate, info.channels, info.format, static_cast<long long>(info.frames)};
}

std::vector<short> ReadSamples(const std::string& path) {
  SF_INFO info{};
  SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
  if (!file) return {};
  std::vector<short> samples(static_cast<size_t>(info.frames * info.channels));
  sf_readf_short(file, samples.data(), info.frames);
  sf_close(file);
  return samples;
}

}  // namespace plugins::test
