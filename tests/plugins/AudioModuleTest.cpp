// The module protocol itself: the registry, the output's conversion and its time, and the
// input's length meeting the output time exactly.
#include <gtest/gtest.h>
#include <sndfile.h>

#include <atomic>
#include <cstdint>
#include <cstring>
#include <thread>

#include "SoundFixtures.h"
#include "plugins/AudioModules.h"
#include "plugins/StandardModules.h"

namespace plugins::test {
namespace {

TEST(AudioModules, LoadByNameWithTheRightExports) {
  const TAudioModules& modules = TAudioModules::Standard();
  EXPECT_EQ(modules.Load("missing.dll"), nullptr);
  EXPECT_FALSE(modules.FindInput("missing.dll"));
  EXPECT_TRUE(modules.FindInput("MP3.DLL"));  // file names ignore case
  EXPECT_TRUE(modules.FindInput("wave.dll"));
  EXPECT_FALSE(modules.FindInput("sound.dll"));  // an output library has no input export
  EXPECT_FALSE(modules.FindOutput("mp3.dll"));
  ASSERT_TRUE(modules.FindOutput("sound.dll"));

  auto library = modules.Load("mp3.dll");
  EXPECT_FALSE(library->FindInModuleGetter("someOtherExport"));
  // Each load has its own module state.
  auto getterA = modules.FindInput("mp3.dll");
  auto getterB = modules.FindInput("mp3.dll");
  EXPECT_NE(getterA(), getterB());
  EXPECT_EQ(getterA(), getterA());
}

class SoundOutput : public ::testing::Test {
 protected:
  void SetUp() override {
    Out = MakeSoundOutModule();
    Out->OutputFile = Folder / "out.wav";
    Out->Init();
  }
  void WriteFrames(const void* data, int bytes) {
    ASSERT_EQ(Out->Write(static_cast<const char*>(data), bytes), 0);
  }

  TTempFolder Folder;
  std::unique_ptr<TOutModule> Out;
};

TEST_F(SoundOutput, DownMixesEverySampleSizeToSixteenBitMono) {
  ASSERT_EQ(Out->Open(22050, 2, 16, -1, -1), 0);
  int16_t stereo[] = {1000, 3000, -200, -400, 32767, 32767};
  // Split inside a sample frame: the output keeps the partial frame for the next write.
  WriteFrames(stereo, 5);
  WriteFrames(reinterpret_cast<char*>(stereo) + 5, sizeof stereo - 5);
  Out->Close();
  EXPECT_EQ(ReadSamples(Folder / "out.wav"), (std::vector<short>{2000, -300, 32767}));

  ASSERT_EQ(Out->Open(11025, 1, 8, -1, -1), 0);
  uint8_t bytes8[] = {128, 0, 255};
  WriteFrames(bytes8, sizeof bytes8);
  Out->Close();
  EXPECT_EQ(ReadSamples(Folder / "out.wav"), (std::vector<short>{0, -32768, 32512}));

  ASSERT_EQ(Out->Open(44100, 1, 24, -1, -1), 0);
  uint8_t bytes24[] = {0x00, 0x00, 0x40, 0x00, 0x00, 0xC0};  // +0.5, -0.5
  WriteFrames(bytes24, sizeof bytes24);
  Out->Close();
  EXPECT_EQ(ReadSamples(Folder / "out.wav"), (std::vector<short>{16384, -16384}));
  EXPECT_EQ(ReadWavFacts(Folder / "out.wav").Format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
}

TEST_F(SoundOutput, TimeCountsSourceFramesAndStaysAfterClose) {
  ASSERT_EQ(Out->Open(48000, 2, 16, -1, -1), 0);
  EXPECT_EQ(Out->GetOutputTime(), 0);
  std::vector<int16_t> silence(2 * 48000 * 3 / 4);  // 0.75 s
  WriteFrames(silence.data(), static_cast<int>(silence.size() * sizeof(int16_t)));
  EXPECT_EQ(Out->GetOutputTime(), 750);
  Out->Close();
  EXPECT_EQ(Out->GetOutputTime(), 750);
  TWavFacts facts = ReadWavFacts(Folder / "out.wav");
  EXPECT_EQ(facts.Rate, 44100);
  EXPECT_NEAR(facts.Frames, 44100 * 3 / 4, 2);  // the resampler's tail is flushed at Close
  Out->Init();
  EXPECT_EQ(Out->GetOutputTime(), 0);
}

TEST_F(SoundOutput, RefusesWhatItCannotWrite) {
  EXPECT_LT(Out->Open(44100, 2, 12, -1, -1), 0);
  EXPECT_LT(Out->Open(44100, 0, 16, -1, -1), 0);
  EXPECT_LT(Out->Open(0, 1, 16, -1, -1), 0);
  Out->OutputFile.clear();
  EXPECT_LT(Out->Open(44100, 1, 16, -1, -1), 0);
  Out->OutputFile = Folder / "no-such-folder/out.wav";
  EXPECT_LT(Out->Open(44100, 1, 16, -1, -1), 0);
  EXPECT_FALSE(Out->GetErrorMessage().empty());
  EXPECT_NE(Out->Write("\0\0", 2), 0);  // not open
}

// Waits for the two times to meet as the importer does, with a bound on the number of
// polls instead of a clock.
bool WaitUntilMet(TInModule& in, TOutModule& out) {
  for (int i = 0; i < 200000; ++i) {
    if (out.GetOutputTime() == in.GetLength()) return true;
    std::this_thread::sleep_for(std::chrono::microseconds(100));
  }
  return false;
}

TEST(InputModule, LengthMeetsOutputTimeExactlyAndAfterAFailedPlay) {
  TTempFolder folder;
  WriteSineWav(folder / "a.wav", 44100, 2, 1.2345);
  std::unique_ptr<TInModule> in = MakeWaveInModule();
  std::unique_ptr<TOutModule> out = MakeSoundOutModule();
  out->OutputFile = folder / "out.wav";
  in->Init();
  out->Init();
  in->outMod = out.get();

  // Before any Play, and after one that fails, the two are equal.
  EXPECT_EQ(in->GetLength(), out->GetOutputTime());
  EXPECT_NE(in->Play(folder / "missing.wav"), 0);
  EXPECT_EQ(in->GetLength(), out->GetOutputTime());
  EXPECT_FALSE(in->GetErrorMessage().empty());

  std::atomic<int> blocks{0};
  in->SAAddPCMData = [&](const void*, int, int, int) { ++blocks; };
  // A sound processor on the way: it inverts every sample.
  in->dsp_isactive = [] { return 1; };
  in->dsp_dosamples = [](short* samples, int frames, int, int channels, int) {
    for (int i = 0; i < frames * channels; ++i) samples[i] = static_cast<short>(-samples[i]);
    return frames;
  };
  ASSERT_EQ(in->Play(folder / "a.wav"), 0);
  ASSERT_TRUE(WaitUntilMet(*in, *out));
  EXPECT_EQ(in->GetLength(), 1234);  // 54440 frames at 44.1 kHz
  in->Stop();
  EXPECT_EQ(in->GetLength(), out->GetOutputTime());
  EXPECT_GT(blocks.load(), 0);
  EXPECT_TRUE(in->GetErrorMessage().empty());
  std::vector<short> source = ReadSamples(folder / "a.wav");
  std::vector<short> written = ReadSamples(folder / "out.wav");
  ASSERT_EQ(written.size() * 2, source.size());
  EXPECT_NEAR(written[100], -(source[200] + source[201]) / 2.0, 1.0);

  // A later failed Play still leaves the two equal, now at the earlier output time.
  EXPECT_NE(in->Play(""), 0);
  EXPECT_EQ(in->GetLength(), out->GetOutputTime());
}

}  // namespace
}  // namespace plugins::test
