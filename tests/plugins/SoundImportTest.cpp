// The sound import end to end through the real modules: converted file, format, length,
// module choice, the messages for missing modules and damaged files.
#include <gtest/gtest.h>
#include <sndfile.h>

#include <cmath>

#include "SoundFixtures.h"
#include "support/FileSizeLimit.h"
#include "plugins/SoundImport.h"
#include "plugins/StandardModules.h"
#include "plugins/SwfSoundRate.h"

namespace plugins::test {
namespace {

constexpr double OneFrame = 1.0 / 12.0;  // seconds; a card plays at 12 frames a second

void ExpectSwfSound(const std::string& path, double seconds) {
  TWavFacts facts = ReadWavFacts(path);
  EXPECT_EQ(facts.Format, SF_FORMAT_WAV | SF_FORMAT_PCM_16) << path;
  EXPECT_EQ(facts.Channels, 1) << path;
  EXPECT_TRUE(IsSwfSoundRate(facts.Rate)) << facts.Rate;
  EXPECT_NEAR(facts.Seconds(), seconds, OneFrame) << path;
}

std::string ImportMessage(const std::string& source, const TAudioModules& modules) {
  try {
    TSoundImporter importer(modules);
    importer.Import(source, nullptr);
  } catch (const TSoundImportError& error) {
    return error.what();
  }
  return "(no error)";
}

TEST(SoundImport, Mp3BecomesMonoWaveBesideIt) {
  TTempFolder folder;
  WriteSineWav(folder / "source.wav", 44100, 2, 2.5);
  if (!EncodeMp3(folder / "source.wav", folder / "name.mp3")) GTEST_SKIP() << "lame missing";

  int polls = 0;
  std::string written = ImportSound(folder / "name.mp3", [&] { ++polls; });
  EXPECT_EQ(written, folder / "name.mp3_tmp.wav");
  ExpectSwfSound(written, 2.5);
  EXPECT_EQ(ReadWavFacts(written).Rate, 44100);
  // Nothing but the source files and the converted one: no temporary file remains.
  EXPECT_EQ(folder.FileNames(),
            (std::vector<std::string>{"name.mp3", "name.mp3_tmp.wav", "source.wav"}));
}

TEST(SoundImport, WaveAt48kIsResampledAndReplacesAnEarlierImport) {
  TTempFolder folder;
  const std::string source = folder / "song.wav";
  WriteSineWav(source, 48000, 2, 1.0);
  WriteBytes(ConvertedSoundPath(source), std::vector<char>(10, 'x'));  // a stale import

  ImportSound(source, nullptr);
  ExpectSwfSound(ConvertedSoundPath(source), 1.0);
  EXPECT_EQ(ReadWavFacts(ConvertedSoundPath(source)).Rate, 44100);

  // A 16-bit mono WAV at a SWF rate goes through sample for sample.
  WriteSineWav(source, 22050, 1, 0.5);
  ImportSound(source, nullptr);
  EXPECT_EQ(ReadSamples(ConvertedSoundPath(source)), ReadSamples(source));
}

TEST(SoundImport, LowRatesGoUpToTheNextSwfRate) {
  EXPECT_EQ(SwfSoundRateFor(8000), 11025);
  EXPECT_EQ(SwfSoundRateFor(5512), 5512);
  EXPECT_EQ(SwfSoundRateFor(16000), 22050);
  EXPECT_EQ(SwfSoundRateFor(32000), 44100);
  EXPECT_EQ(SwfSoundRateFor(96000), 44100);

  TTempFolder folder;
  WriteSineWav(folder / "low.wav", 8000, 1, 1.0);
  ExpectSwfSound(ImportSound(folder / "low.wav", nullptr), 1.0);
  EXPECT_EQ(ReadWavFacts(folder / "low.wav_tmp.wav").Rate, 11025);
}

TEST(SoundImport, InputModuleFollowsTheExtension) {
  EXPECT_EQ(InputModuleNameFor("C:/Music/SONG.Mp3"), "mp3.dll");
  EXPECT_EQ(InputModuleNameFor("/music/a.mp3"), "mp3.dll");
  EXPECT_EQ(InputModuleNameFor("song.wav"), "wave.dll");
  EXPECT_EQ(InputModuleNameFor("song.mp2"), "wave.dll");
  EXPECT_EQ(InputModuleNameFor("song.mp3.wav"), "wave.dll");
  EXPECT_EQ(InputModuleNameFor("/music.mp3/song"), "wave.dll");  // the folder's dot does not count
  EXPECT_EQ(InputModuleNameFor(""), "wave.dll");
}

TEST(SoundImport, UpperCaseMp3IsDecodedByTheMp3Module) {
  TTempFolder folder;
  WriteSineWav(folder / "source.wav", 44100, 2, 1.0);
  if (!EncodeMp3(folder / "source.wav", folder / "SONG.Mp3")) GTEST_SKIP() << "lame missing";

  // Without "wave.dll" the import can only succeed through "mp3.dll".
  TAudioModules modules = TAudioModules::Standard();
  modules.Remove("wave.dll");
  TSoundImporter importer(modules);
  importer.Import(folder / "SONG.Mp3", nullptr);
  ExpectSwfSound(folder / "SONG.Mp3_tmp.wav", 1.0);
  // And the other way round: without "mp3.dll" the same file is refused.
  modules = TAudioModules::Standard();
  modules.Remove("mp3.dll");
  EXPECT_EQ(ImportMessage(folder / "SONG.Mp3", modules), "Failed to load input plugin !");
}

TEST(SoundImport, MissingModulesGiveTheirMessages) {
  TTempFolder folder;
  const std::string source = folder / "a.wav";
  WriteSineWav(source, 44100, 1, 0.2);

  TAudioModules noWave = TAudioModules::Standard();
  noWave.Remove("wave.dll");
  EXPECT_EQ(ImportMessage(source, noWave), "Failed to load input plugin !");

  // A library that loads but exports no input module getter.
  TAudioModules noExport = TAudioModules::Standard();
  noExport.Register("wave.dll", [] { return std::make_unique<TAudioLibrary>("wave.dll"); });
  EXPECT_EQ(ImportMessage(source, noExport), "Failed to load input plugin !");

  TAudioModules noModule = TAudioModules::Standard();
  noModule.Register("wave.dll",
                    [] { return std::make_unique<TInputLibrary>("wave.dll", nullptr); });
  EXPECT_EQ(ImportMessage(source, noModule), "Load input plugin first !");

  TAudioModules noOutput = TAudioModules::Standard();
  noOutput.Remove("sound.dll");
  EXPECT_EQ(ImportMessage(source, noOutput), "Failed to load output plugin !");

  EXPECT_EQ(folder.FileNames(), std::vector<std::string>{"a.wav"});
}

TEST(SoundImport, DamagedFilesFailCleanlyAndKeepTheEarlierImport) {
  TTempFolder folder;
  WriteSineWav(folder / "good.wav", 44100, 2, 1.0);
  const bool haveMp3 = EncodeMp3(folder / "good.wav", folder / "good.mp3");
  const std::vector<char> wave = ReadBytes(folder / "good.wav");

  std::vector<std::pair<std::string, std::vector<char>>> damaged = {
      {"noise.wav", RandomBytes(20000, 1)},
      {"noise.mp3", RandomBytes(20000, 2)},
      {"header.wav", std::vector<char>(wave.begin(), wave.begin() + 30)},
      {"half.wav", std::vector<char>(wave.begin(), wave.begin() + wave.size() / 2)},
      {"empty.mp3", {}},
  };
  if (haveMp3) {
    std::vector<char> mp3 = ReadBytes(folder / "good.mp3");
    damaged.push_back({"start.mp3", std::vector<char>(mp3.begin(), mp3.begin() + 100)});
    damaged.push_back({"half.mp3", std::vector<char>(mp3.begin(), mp3.begin() + mp3.size() / 2)});
  }
  for (const auto& [name, bytes] : damaged) {
    WriteBytes(folder / name, bytes);
    EXPECT_EQ(ImportMessage(folder / name, TAudioModules::Standard()),
              "Can not import " + folder / name);
    EXPECT_FALSE(std::filesystem::exists(folder / (name + "_tmp.wav"))) << name;
  }

  // A good import, then the source is damaged: the failed import leaves the converted file.
  const std::string source = folder / "song.wav";
  WriteSineWav(source, 44100, 1, 0.5);
  ImportSound(source, nullptr);
  const std::vector<char> converted = ReadBytes(ConvertedSoundPath(source));
  WriteBytes(source, RandomBytes(5000, 3));
  EXPECT_THROW(ImportSound(source, nullptr), TSoundImportError);
  EXPECT_EQ(ReadBytes(ConvertedSoundPath(source)), converted);

  // Only the files the test wrote and the one good import: no temporary file is left.
  for (const std::string& name : folder.FileNames()) EXPECT_NE(name.front(), '.') << name;
}

TEST(SoundImport, EmptyNameAndNonFilesAreRefused) {
  TSoundImporter importer;
  try {
    importer.Import("", nullptr);
    FAIL() << "an empty name imported";
  } catch (const TSoundImportError& error) {
    EXPECT_STREQ(error.what(), "Can not import ");
    EXPECT_FALSE(error.Detail().empty());
  }
  // Neither is a folder or a device file decoded (a device could block or never end).
  TTempFolder folder;
  EXPECT_THROW(importer.Import("/dev/zero", nullptr, folder / "zero.wav"), TSoundImportError);
  EXPECT_THROW(importer.Import(folder.Path().string(), nullptr, folder / "dir.wav"),
               TSoundImportError);
  EXPECT_TRUE(folder.FileNames().empty());
}

// An output that accepts everything but whose time never moves.
std::unique_ptr<TAudioLibrary> StuckOutputLibrary() {
  std::unique_ptr<TOutModule> module = MakeSoundOutModule();
  module->GetOutputTime = [] { return 0; };
  return std::make_unique<TOutputLibrary>("sound.dll", std::move(module));
}

TEST(SoundImport, OutputThatNeverCatchesUpEndsTheWaitWithAnError) {
  TTempFolder folder;
  const std::string source = folder / "a.wav";
  WriteSineWav(source, 44100, 1, 0.5);
  TAudioModules modules = TAudioModules::Standard();
  modules.Register("sound.dll", &StuckOutputLibrary);
  TSoundImportOptions options;
  options.StallTimeout = std::chrono::milliseconds(100);

  TSoundImporter importer(modules, options);
  int polls = 0;
  try {
    importer.Import(source, [&] { ++polls; });
    FAIL() << "a stuck output imported";
  } catch (const TSoundImportError& error) {
    EXPECT_EQ(std::string(error.what()), "Can not import " + source);
  }
  EXPECT_GT(polls, 0);
  EXPECT_EQ(folder.FileNames(), std::vector<std::string>{"a.wav"});
}

TEST(SoundImport, ImporterKeepsWorkingAcrossImports) {
  TTempFolder folder;
  WriteSineWav(folder / "one.wav", 44100, 1, 0.3);
  WriteSineWav(folder / "two.wav", 11025, 2, 0.6);
  TSoundImporter importer;
  importer.Import(folder / "one.wav", nullptr);
  EXPECT_THROW(importer.Import(folder / "missing.wav", nullptr), TSoundImportError);
  importer.Import(folder / "two.wav", nullptr);
  ExpectSwfSound(folder / "one.wav_tmp.wav", 0.3);
  ExpectSwfSound(folder / "two.wav_tmp.wav", 0.6);

  // A destination of the caller's choice; a folder that does not exist is an error.
  EXPECT_EQ(importer.Import(folder / "two.wav", nullptr, folder / "chosen.wav"),
            folder / "chosen.wav");
  ExpectSwfSound(folder / "chosen.wav", 0.6);
  EXPECT_THROW(importer.Import(folder / "two.wav", nullptr, folder / "none/x.wav"),
               TSoundImportError);
}

}  // namespace
}  // namespace plugins::test

namespace plugins::test {
namespace {

TEST(SoundImport, AFullDiskKeepsTheEarlierImportAndItsMode) {
  TTempFolder folder;
  const std::string source = folder / "song.wav";
  WriteSineWav(source, 44100, 1, 0.5);
  const std::string converted = ConvertedSoundPath(source);
  WriteBytes(converted, std::vector<char>(10, 'x'));
  ASSERT_EQ(::chmod(converted.c_str(), 0600), 0);
  {
    TFileSizeLimit full(4000);
    EXPECT_THROW(ImportSound(source, nullptr), TSoundImportError);
  }
  EXPECT_EQ(ReadBytes(converted), std::vector<char>(10, 'x'));
  for (const std::string& name : folder.FileNames()) EXPECT_NE(name.front(), '.') << name;

  ImportSound(source, nullptr);
  ExpectSwfSound(converted, 0.5);
  EXPECT_EQ(std::filesystem::status(converted).permissions(),
            std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
}

}  // namespace
}  // namespace plugins::test
