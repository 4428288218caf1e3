// Sounds of every common kind (M4A/AAC, Ogg Vorbis, Opus, FLAC) are imported like MP3 and
// WAV, whatever their names say; damaged ones are refused naming the file. The files are
// made by the ffmpeg program, an encoder independent of our decoding.
#include <gtest/gtest.h>
#include <sndfile.h>

#include <cstdlib>

#include "SoundFixtures.h"
#include "media/AudioDecoder.h"
#include "plugins/SoundImport.h"
#include "plugins/SwfSoundRate.h"

namespace plugins::test {
namespace {

bool HaveFfmpeg() { return std::system("command -v ffmpeg >/dev/null 2>&1") == 0; }

// One second of a 440 Hz sine (stereo, 48 kHz) encoded by ffmpeg with `codec`.
bool MakeSound(const std::string& path, const std::string& codec) {
  const std::string command = "ffmpeg -v quiet -y -f lavfi -i 'sine=frequency=440:sample_rate=48000:duration=1' "
                              "-ac 2 -c:a " + codec + " '" + path + "'";
  return std::system(command.c_str()) == 0;
}

struct TKind {
  const char* File;
  const char* Codec;
};
const TKind Kinds[] = {
    {"song.m4a", "aac"}, {"song.ogg", "libvorbis"}, {"song.opus", "libopus"}, {"song.flac", "flac"}, {"song.aac", "aac"},
};

TEST(SoundKinds, EachKindBecomesASwfWaveOfItsLength) {
  if (!HaveFfmpeg()) GTEST_SKIP() << "ffmpeg is not installed";
  TTempFolder folder;
  for (const TKind& kind : Kinds) {
    SCOPED_TRACE(kind.File);
    ASSERT_TRUE(MakeSound(folder / kind.File, kind.Codec));
    const std::string written = ImportSound(folder / kind.File, nullptr);
    EXPECT_EQ(written, folder / (std::string(kind.File) + "_tmp.wav"));
    const TWavFacts facts = ReadWavFacts(written);
    EXPECT_EQ(facts.Format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    EXPECT_EQ(facts.Channels, 1);
    EXPECT_TRUE(IsSwfSoundRate(facts.Rate)) << facts.Rate;
    EXPECT_NEAR(facts.Seconds(), 1.0, 0.06);
    // A sine, not silence: the samples swing near full scale.
    const std::vector<short> samples = ReadSamples(written);
    short loudest = 0;
    for (short s : samples) loudest = std::max<short>(loudest, static_cast<short>(std::abs(s)));
    EXPECT_GT(loudest, 1000);
  }
}

TEST(SoundKinds, KindIsToldByContentNotByName) {
  if (!HaveFfmpeg()) GTEST_SKIP() << "ffmpeg is not installed";
  TTempFolder folder;
  ASSERT_TRUE(MakeSound(folder / "made.m4a", "aac"));
  std::filesystem::rename(folder / "made.m4a", folder / "named.wav");
  EXPECT_NEAR(ReadWavFacts(ImportSound(folder / "named.wav", nullptr)).Seconds(), 1.0, 0.06);
  EXPECT_TRUE(media::NeedsAudioDecoder(folder / "named.wav"));
  WriteSineWav(folder / "plain.wav", 22050, 1, 0.2);
  EXPECT_FALSE(media::NeedsAudioDecoder(folder / "plain.wav"));
}

TEST(SoundKinds, DamagedFilesAreRefusedAndLeaveNothing) {
  if (!HaveFfmpeg()) GTEST_SKIP() << "ffmpeg is not installed";
  TTempFolder folder;
  for (const TKind& kind : Kinds) {
    SCOPED_TRACE(kind.File);
    ASSERT_TRUE(MakeSound(folder / kind.File, kind.Codec));
    const std::vector<char> whole = ReadBytes(folder / kind.File);
    // The head alone, and the head followed by noise where the sound should be.
    const std::string head = folder / ("head-" + std::string(kind.File));
    WriteBytes(head, std::vector<char>(whole.begin(), whole.begin() + std::min<std::size_t>(whole.size(), 40)));
    std::vector<char> noisy(whole.begin(), whole.begin() + std::min<std::size_t>(whole.size(), 8));
    const std::vector<char> noise = RandomBytes(4000, 7);
    noisy.insert(noisy.end(), noise.begin(), noise.end());
    const std::string garbled = folder / ("noise-" + std::string(kind.File));
    WriteBytes(garbled, noisy);
    for (const std::string& path : {head, garbled}) {
      try {
        ImportSound(path, nullptr);
        ADD_FAILURE() << path << " was imported";
      } catch (const TSoundImportError& error) {
        EXPECT_EQ(std::string(error.what()), "Can not import " + path);
      }
      EXPECT_FALSE(std::filesystem::exists(path + "_tmp.wav")) << path;
    }
  }
}

}  // namespace
}  // namespace plugins::test
