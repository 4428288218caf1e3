// Sound files made by the tests themselves: a private temporary folder, sine-wave WAV files
// written with libsndfile, MP3 files encoded from them with the lame program.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace plugins::test {

// A fresh folder under the system's temporary folder, removed with its contents at the end.
class TTempFolder {
 public:
  TTempFolder();
  ~TTempFolder();
  const std::filesystem::path& Path() const { return FPath; }
  std::string operator/(const std::string& name) const { return (FPath / name).string(); }
  std::vector<std::string> FileNames() const;  // sorted

 private:
  std::filesystem::path FPath;
};

// A 440 Hz sine (the second channel at 660 Hz) of the given length, 16-bit PCM.
void WriteSineWav(const std::string& path, int rate, int channels, double seconds);

// Encodes a WAV into an MP3 with lame; false when lame is not installed or fails.
bool EncodeMp3(const std::string& wav, const std::string& mp3);

void WriteBytes(const std::string& path, const std::vector<char>& bytes);
std::vector<char> ReadBytes(const std::string& path);
std::vector<char> RandomBytes(size_t count, unsigned seed);

struct TWavFacts {
  int Rate = 0;
  int Channels = 0;
  int Format = 0;  // libsndfile format code
  long long Frames = 0;
  double Seconds() const { return Rate > 0 ? static_cast<double>(Frames) / Rate : 0.0; }
};
TWavFacts ReadWavFacts(const std::string& path);  // all zero when unreadable
std::vector<short> ReadSamples(const std::string& path);

}  // namespace plugins::test
