// The sound decoder over FFmpeg: a tiny file that unpacks into more than an hour of sound is
// refused while decoding, block by block, without the whole ever lying in memory.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

#include "media/AudioDecoder.h"
#include "media/MediaError.h"

namespace {

TEST(AudioDecoder, SoundLongerThanAnHourIsRefused)
{
  if (std::system("command -v ffmpeg >/dev/null 2>&1") != 0) GTEST_SKIP() << "ffmpeg is not installed";
  const std::string path = (std::filesystem::temp_directory_path() / "greetix-long-silence.flac").string();
  // 62 minutes of silence at 1000 Hz: a few kilobytes of FLAC.
  ASSERT_EQ(std::system(("ffmpeg -v quiet -y -f lavfi -i anullsrc=r=1000:cl=mono -t 3720 -c:a flac '" + path + "'").c_str()), 0);
  EXPECT_LT(std::filesystem::file_size(path), 1u << 20);
  media::TAudioDecoder decoder(path);
  EXPECT_EQ(decoder.SampleRate(), 1000);
  std::vector<std::int16_t> block(4096);
  std::int64_t frames = 0;
  try {
    while (const std::size_t got = decoder.Read(block.data(), block.size())) frames += std::int64_t(got);
    ADD_FAILURE() << "decoded " << frames << " frames";
  } catch (const media::TMediaError& error) {
    EXPECT_NE(std::string(error.what()).find(path), std::string::npos) << error.what();
  }
  EXPECT_LE(frames, media::TAudioDecoder::MaxSeconds * 1000);
  std::filesystem::remove(path);
}

TEST(AudioDecoder, WhatIsNotASoundIsRefusedAtOnce)
{
  const std::string path = (std::filesystem::temp_directory_path() / "greetix-not-a-sound.m4a").string();
  { std::ofstream(path) << std::string("\0\0\0\x18" "ftypM4A ", 12) << std::string(200, 'x'); }
  EXPECT_THROW(media::TAudioDecoder decoder(path), media::TMediaError);
  EXPECT_THROW(media::TAudioDecoder decoder("/nonexistent/song.ogg"), media::TMediaError);
  std::filesystem::remove(path);
}

// Two MP3 streams of other channels and rates spliced into one Matroska file: the decoder
// changes both mid-stream. The sound keeps its first channels and rate, whole.
TEST(AudioDecoder, ChannelsAndRateChangingMidStreamKeepTheFirstOnes)
{
  if (std::system("command -v ffmpeg >/dev/null 2>&1") != 0) GTEST_SKIP() << "ffmpeg is not installed";
  const std::filesystem::path folder = std::filesystem::temp_directory_path();
  const std::string stereo = (folder / "greetix-stereo.mp3").string(), mono = (folder / "greetix-mono.mp3").string();
  const std::string spliced = (folder / "greetix-spliced.mka").string();
  ASSERT_EQ(std::system(("ffmpeg -v quiet -y -f lavfi -i sine=frequency=440:duration=0.5:sample_rate=44100 -ac 2 "
                         "-c:a libmp3lame '" + stereo + "' && ffmpeg -v quiet -y -f lavfi -i "
                         "sine=frequency=660:duration=0.5:sample_rate=22050 -ac 1 -c:a libmp3lame '" + mono +
                         "' && cat '" + stereo + "' '" + mono + "' | ffmpeg -v quiet -y -f mp3 -i - -c copy '" +
                         spliced + "'").c_str()), 0);
  media::TAudioDecoder decoder(spliced);
  EXPECT_EQ(decoder.SampleRate(), 44100);
  EXPECT_EQ(decoder.Channels(), 2);
  std::vector<std::int16_t> block(4096 * 2);
  std::int64_t frames = 0;
  while (const std::size_t got = decoder.Read(block.data(), 4096)) frames += std::int64_t(got);
  // Half a second of each at 44.1 kHz, give or take the encoder's padding.
  EXPECT_GT(frames, 44100 * 9 / 10);
  EXPECT_LT(frames, 44100 * 12 / 10);
  for (const std::string& path : {stereo, mono, spliced}) std::filesystem::remove(path);
}

} // namespace
