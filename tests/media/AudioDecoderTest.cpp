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

} // namespace
