// Sound decoding back to the samples that were encoded (PCM exactly, ADPCM and MP3 within
// their codecs' error), the mixer, and the device output without a device.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cmath>
#include <cstdlib>
#include <vector>

#include "player/audio/AdpcmDecoder.h"
#include "player/audio/AudioOutput.h"
#include "player/audio/SoundDecoder.h"
#include "player/audio/SoundMixer.h"
#include "player/audio/StreamSound.h"
#include "swf/format/SwfBitWriter.h"
#include "swf/format/SwfError.h"

using namespace player;

namespace {

swf::TSoundFormat Format(swf::TSoundCodec codec, int rateCode, bool is16, bool stereo) {
  swf::TSoundFormat format;
  format.Codec = codec;
  format.RateCode = static_cast<uint8_t>(rateCode);
  format.Is16Bit = is16;
  format.Stereo = stereo;
  return format;
}

std::vector<int16_t> Sine(size_t count, double period, double amplitude) {
  std::vector<int16_t> samples(count);
  for (size_t i = 0; i < count; ++i) {
    samples[i] = static_cast<int16_t>(std::lround(amplitude * std::sin(2 * M_PI * i / period)));
  }
  return samples;
}

double RmsDifference(const int16_t* a, const int16_t* b, size_t count) {
  double sum = 0;
  for (size_t i = 0; i < count; ++i) sum += (double(a[i]) - b[i]) * (double(a[i]) - b[i]);
  return std::sqrt(sum / count);
}

// An SWF ADPCM encoder that mirrors the decoder's state and picks, sample by sample, the
// code that lands nearest: what it writes must decode back close to the input.
std::vector<uint8_t> EncodeAdpcm(const std::vector<int16_t>& mono, int codeBits) {
  static const int steps[89] = {7, 8, 9, 10, 11, 12, 13, 14, 16, 17, 19, 21, 23, 25, 28, 31, 34,
      37, 41, 45, 50, 55, 60, 66, 73, 80, 88, 97, 107, 118, 130, 143, 157, 173, 190, 209, 230,
      253, 279, 307, 337, 371, 408, 449, 494, 544, 598, 658, 724, 796, 876, 963, 1060, 1166,
      1282, 1411, 1552, 1707, 1878, 2066, 2272, 2499, 2749, 3024, 3327, 3660, 4026, 4428, 4871,
      5358, 5894, 6484, 7132, 7845, 8630, 9493, 10442, 11487, 12635, 13899, 15289, 16818, 18500,
      20350, 22385, 24623, 27086, 29794, 32767};
  static const int index4[8] = {-1, -1, -1, -1, 2, 4, 6, 8};
  static const int index2[2] = {-1, 2};
  const int* indexTable = codeBits == 4 ? index4 : index2;
  swf::TSwfBitWriter w;
  w.UB(2, codeBits - 2);
  int predictor = 0, index = 0;
  for (size_t i = 0; i < mono.size(); ++i) {
    if (i % 4096 == 0) {
      predictor = mono[i];
      w.SB(16, predictor);
      w.UB(6, index);
      continue;
    }
    int bestCode = 0, bestValue = 0, bestError = INT32_MAX;
    for (int code = 0; code < (1 << codeBits); ++code) {
      int step = steps[index], diff = 0;
      for (int k = 1 << (codeBits - 2); k; k >>= 1) {
        if (code & k) diff += step;
        step >>= 1;
      }
      diff += step;
      const int value = std::clamp(predictor + ((code >> (codeBits - 1)) ? -diff : diff), -32768, 32767);
      if (std::abs(value - mono[i]) < bestError) {
        bestError = std::abs(value - mono[i]);
        bestCode = code;
        bestValue = value;
      }
    }
    w.UB(codeBits, bestCode);
    predictor = bestValue;
    index = std::clamp(index + indexTable[bestCode & ((1 << (codeBits - 1)) - 1)], 0, 88);
  }
  w.Flush();
  return w.Take();
}

}  // namespace

TEST(SoundDecoding, PcmIsReadLittleEndianAndEightBitIsUnsigned) {
  const std::vector<uint8_t> data16 = {0x01, 0x00, 0xFF, 0xFF, 0x00, 0x80, 0xFF, 0x7F};
  const TPcmSound stereo = DecodeSound(Format(swf::TSoundCodec::PcmLittleEndian, 3, true, true),
                                       2, data16.data(), data16.size());
  EXPECT_EQ(stereo.Rate, 44100);
  EXPECT_EQ(stereo.Channels, 2);
  EXPECT_EQ(stereo.Samples, (std::vector<int16_t>{1, -1, -32768, 32767}));

  const std::vector<uint8_t> data8 = {0x80, 0x00, 0xFF, 0x81};
  const TPcmSound mono = DecodeSound(Format(swf::TSoundCodec::PcmNative, 0, false, false), 4,
                                     data8.data(), data8.size());
  EXPECT_EQ(mono.Rate, 5512);
  EXPECT_EQ(mono.Samples, (std::vector<int16_t>{0, -32768, 32512, 256}));
  // The header's count trims, never enlarges; a half sample frame at the end is dropped.
  const TPcmSound trimmed = DecodeSound(Format(swf::TSoundCodec::PcmNative, 0, true, false), 1,
                                        data8.data(), 3);
  EXPECT_EQ(trimmed.Samples.size(), 1u);
}

TEST(SoundDecoding, AdpcmDecodesBackToTheEncodedWave) {
  const std::vector<int16_t> wave = Sine(10000, 50, 12000);  // spans three packets
  for (int bits : {2, 4}) {
    const std::vector<uint8_t> data = EncodeAdpcm(wave, bits);
    const TPcmSound sound = DecodeSound(Format(swf::TSoundCodec::Adpcm, 2, true, false),
                                        static_cast<uint32_t>(wave.size()), data.data(), data.size());
    ASSERT_EQ(sound.Frames(), wave.size()) << bits << " bits";
    EXPECT_EQ(sound.Rate, 22050);
    EXPECT_LT(RmsDifference(sound.Samples.data(), wave.data(), wave.size()), bits == 4 ? 600 : 3000)
        << bits << " bits";
  }
}

TEST(SoundDecoding, AdpcmStereoInterleavesChannelsAndStopsAtTheDataEnd) {
  // Two channels of packet headers only: one sample frame each, no codes.
  swf::TSwfBitWriter w;
  w.UB(2, 2);  // 4-bit codes
  w.SB(16, 1000);
  w.UB(6, 0);
  w.SB(16, -2000);
  w.UB(6, 0);
  w.Flush();
  const std::vector<uint8_t> data = w.Take();
  const TPcmSound sound = DecodeAdpcm(data.data(), data.size(), 2, 11025);
  EXPECT_EQ(sound.Samples, (std::vector<int16_t>{1000, -2000}));
  EXPECT_TRUE(DecodeAdpcm(data.data(), 0, 1, 11025).Samples.empty());
}

TEST(SoundDecoding, Mp3DecodesBackToTheEncodedWave) {
  const QString lame = QStandardPaths::findExecutable("lame");
  if (lame.isEmpty()) GTEST_SKIP() << "lame is not installed";
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const std::vector<int16_t> wave = Sine(22050, 50, 10000);  // one second at 22.05 kHz, 441 Hz
  const QString raw = dir.filePath("in.raw"), mp3 = dir.filePath("out.mp3");
  {
    QFile file(raw);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(reinterpret_cast<const char*>(wave.data()), wave.size() * 2);
  }
  const QString command = QString("'%1' --quiet -r -s 22.05 --bitwidth 16 --signed --little-endian "
                                  "-m m -b 64 --resample 22.05 '%2' '%3' 2>/dev/null")
                              .arg(lame, raw, mp3);
  ASSERT_EQ(std::system(command.toLocal8Bit().constData()), 0);
  QFile file(mp3);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray frames = file.readAll();
  std::vector<uint8_t> data = {0, 0};  // SeekSamples 0
  data.insert(data.end(), frames.begin(), frames.end());

  const TPcmSound sound = DecodeSound(Format(swf::TSoundCodec::Mp3, 2, true, false), 0,
                                      data.data(), data.size());
  EXPECT_EQ(sound.Rate, 22050);
  EXPECT_EQ(sound.Channels, 1);
  ASSERT_GE(sound.Frames(), wave.size());
  // The encoder delays the wave; find the delay, then compare the middle of the second.
  size_t bestShift = 0;
  double bestRms = 1e9;
  for (size_t shift = 0; shift < 3000 && shift + 16000 < sound.Frames(); ++shift) {
    const double rms = RmsDifference(sound.Samples.data() + shift + 4000, wave.data() + 4000, 2000);
    if (rms < bestRms) bestRms = rms, bestShift = shift;
  }
  EXPECT_LT(RmsDifference(sound.Samples.data() + bestShift + 2000, wave.data() + 2000, 16000), 700);

  // SeekSamples drops the encoder delay.
  data[0] = static_cast<uint8_t>(bestShift & 0xFF);
  data[1] = static_cast<uint8_t>(bestShift >> 8);
  const TPcmSound aligned = DecodeSound(Format(swf::TSoundCodec::Mp3, 2, true, false), 0,
                                        data.data(), data.size());
  EXPECT_LT(RmsDifference(aligned.Samples.data() + 2000, wave.data() + 2000, 16000), 700);
}

TEST(SoundDecoding, DamagedAndUnsupportedDataGiveErrorsNotCrashes) {
  const std::vector<uint8_t> junk(500, 0x55);
  EXPECT_THROW(DecodeSound(Format(swf::TSoundCodec::Mp3, 2, true, false), 0, junk.data(), junk.size()),
               swf::TSwfError);
  EXPECT_THROW(DecodeSound(Format(swf::TSoundCodec::Mp3, 2, true, false), 0, junk.data(), 1),
               swf::TSwfError);
  EXPECT_THROW(DecodeSound(Format(swf::TSoundCodec::Nellymoser, 2, true, false), 0, junk.data(),
                           junk.size()),
               swf::TSwfError);
}

TEST(StreamSound, BlocksOfEveryFrameMakeOneSoundWithFrameOffsets) {
  swf::TTimeline timeline;
  timeline.FrameCount = 4;
  timeline.Frames.resize(4);
  swf::TSoundStreamHead head;
  head.Stream = Format(swf::TSoundCodec::PcmLittleEndian, 1, true, false);  // 11 kHz mono
  timeline.Frames[0].StreamHead = head;
  for (int f : {0, 1, 3}) {  // frame 2 carries no block
    swf::TSoundStreamBlock block;
    block.Data.assign(2 * 100, static_cast<uint8_t>(f));
    timeline.Frames[f].StreamBlocks.push_back(block);
  }
  const TStreamSound stream = DecodeStreamSound(timeline);
  ASSERT_NE(stream.Sound, nullptr);
  EXPECT_EQ(stream.Sound->Frames(), 300u);
  EXPECT_EQ(stream.FrameStart, (std::vector<size_t>{0, 100, 200, 200}));
  EXPECT_EQ(stream.InPointOf(1), 400u);  // 100 samples at 11025 Hz in 44.1 kHz units
  EXPECT_EQ(stream.Sound->Samples[150], 0x0101);

  timeline.Frames[0].StreamHead->Stream.Codec = swf::TSoundCodec::Speex;
  EXPECT_EQ(DecodeStreamSound(timeline).Sound, nullptr);
}

TEST(SoundMixer, ResamplesToTheOutputRateAndAddsVoices) {
  auto sound = std::make_shared<TPcmSound>();
  sound->Rate = 22050;
  sound->Channels = 1;
  sound->Samples.assign(100, 1000);
  TSoundMixer mixer;
  mixer.Start(7, sound, {});
  mixer.Start(7, sound, {});  // an event sound may play twice at once
  std::vector<int16_t> out(2 * 300, -1);
  mixer.Render(out.data(), 300);
  EXPECT_EQ(out[0], 2000);
  EXPECT_EQ(out[1], 2000);
  EXPECT_EQ(out[2 * 150], 2000);  // 100 frames at 22.05 kHz last 200 output frames
  EXPECT_EQ(out[2 * 250], 0);
  EXPECT_EQ(mixer.VoiceCount(), 0u);

  TSoundPlayback loops;
  loops.Loops = 3;
  mixer.Start(7, sound, loops);
  mixer.Render(out.data(), 300);
  EXPECT_EQ(out[2 * 299], 1000);
  EXPECT_TRUE(mixer.IsPlaying(7));
  mixer.Stop(7);
  EXPECT_FALSE(mixer.IsPlaying(7));
}

TEST(SoundMixer, ClampsLoudSumsAndCapsVoices) {
  auto loud = std::make_shared<TPcmSound>();
  loud->Rate = 44100;
  loud->Channels = 2;
  loud->Samples.assign(200, 30000);
  TSoundMixer mixer;
  for (int i = 0; i < 100; ++i) mixer.Start(i, loud, {});
  EXPECT_EQ(mixer.VoiceCount(), TSoundMixer::MaxVoices);
  std::vector<int16_t> out(2 * 10);
  mixer.Render(out.data(), 10);
  EXPECT_EQ(out[0], 32767);
  mixer.StopAll();
  EXPECT_EQ(mixer.VoiceCount(), 0u);
}

TEST(AudioOutput, WithoutARealDeviceItIsSilentAndFailsNothing) {
  // The tests run with SDL_AUDIODRIVER=dummy: the output opens and plays into nothing.
  TSoundMixer mixer;
  auto output = OpenAudioOutput(mixer);
  ASSERT_NE(output, nullptr);
  EXPECT_FALSE(output->IsAudible());
  output.reset();
  EXPECT_FALSE(SilentAudioOutput()->IsAudible());
}
