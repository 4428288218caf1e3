// Videos and animated pictures read back with FFmpeg's libraries and compared with what
// the player shows and plays.
#include <gtest/gtest.h>

#include <cmath>

#include "ExportTestMovies.h"
#include "MediaProbe.h"
#include "export/ExportOptions.h"
#include "export/MovieExport.h"
#include "support/TestFolder.h"

using namespace exporttest;
using exporter::ExportMovie;
using exporter::TExportOptions;

namespace {

class VideoExport : public ::testing::TestWithParam<const char*> {
 protected:
  TTestFolder Folder{"greetix-export-"};
  std::string Movie = Folder.File("box.swf");
  std::string Target() const { return Folder.File(std::string("box.") + GetParam()); }
};

TEST_P(VideoExport, FramesDurationAndSoundAreThePlayers) {
  WriteTestMovie(Movie);
  ExportMovie(Movie, Target(), {});
  TMediaProbe probe(Target());
  const TStreamFacts video = probe.Video();
  EXPECT_EQ(video.Width, 96);
  EXPECT_EQ(video.Height, 64);
  EXPECT_EQ(video.PixelFormat, "yuv420p");
  EXPECT_NEAR(probe.Duration(), 24.0 / TestRate, 1.0 / TestRate);

  // Every frame looks like the player's, give or take the chroma loss of 4:2:0.
  double worst = 0;
  const int count = probe.ForEachPicture([&](int index, const QImage& picture) {
    worst = std::max(worst, MeanDifference(picture, PlayerFrame(Movie, index, {96, 64})));
  });
  EXPECT_EQ(count, 24);
  EXPECT_LT(worst, 6.0);

  // The chirp starts at frame 6 (half a second in) and the track is as long as the movie.
  ASSERT_TRUE(probe.HasAudio());
  const std::vector<float> sound = probe.MonoSound();
  EXPECT_NEAR(sound.size() / 44100.0, 2.0, 1.0 / TestRate);
  double score = 0;
  const long lag = BestLag(sound, ChirpAsFloats(), &score);
  EXPECT_NEAR(lag, 6 * 44100 / TestRate, 441) << "score " << score;
  EXPECT_GT(score, 0.8);
}

TEST_P(VideoExport, LoopsRepeatALoopingMovieButNotOneThatStops) {
  WriteTestMovie(Movie);
  TExportOptions options;
  options.Loops = 3;
  ExportMovie(Movie, Target(), options);
  EXPECT_EQ(TMediaProbe(Target()).ForEachPicture([](int, const QImage&) {}), 72);
  EXPECT_NEAR(TMediaProbe(Target()).Duration(), 6.0, 1.0 / TestRate);

  WriteTestMovie(Movie, {.Loops = false});
  ExportMovie(Movie, Target(), options);
  EXPECT_EQ(TMediaProbe(Target()).ForEachPicture([](int, const QImage&) {}), 24);
}

TEST_P(VideoExport, SizeFollowsScaleOrWidthWithEvenSides) {
  WriteTestMovie(Movie, {.SoundFrame = -1});
  TExportOptions options;
  options.Scale = 2;
  ExportMovie(Movie, Target(), options);
  TMediaProbe scaled(Target());
  EXPECT_EQ(scaled.Video().Width, 192);
  EXPECT_EQ(scaled.Video().Height, 128);
  // Drawn at the larger size, not enlarged: the box's edge stays sharp.
  scaled.ForEachPicture([&](int index, const QImage& picture) {
    if (index == 3) EXPECT_LT(MeanDifference(picture, PlayerFrame(Movie, 3, {192, 128})), 6.0);
  });

  options.Width = 101;  // 101 x 67.3: rounded up to even sides
  ExportMovie(Movie, Target(), options);
  EXPECT_EQ(TMediaProbe(Target()).Video().Width, 102);
  EXPECT_EQ(TMediaProbe(Target()).Video().Height, 68);
}

INSTANTIATE_TEST_SUITE_P(Formats, VideoExport, ::testing::Values("mp4", "webm"));

TEST(VideoExportFormat, Mp4IsH264WithAacAndItsIndexFirst) {
  TTestFolder folder("greetix-export-");
  WriteTestMovie(folder.File("box.swf"));
  ExportMovie(folder.File("box.swf"), folder.File("box.mp4"), {});
  TMediaProbe probe(folder.File("box.mp4"));
  EXPECT_EQ(probe.Video().Codec, "h264");
  EXPECT_EQ(probe.Audio().Codec, "aac");
  const std::string bytes = ReadWholeFile(folder.File("box.mp4"));
  EXPECT_LT(bytes.find("moov"), bytes.find("mdat"));  // plays before it has all arrived
}

TEST(VideoExportFormat, WebmIsVp9WithOpus) {
  TTestFolder folder("greetix-export-");
  WriteTestMovie(folder.File("box.swf"));
  ExportMovie(folder.File("box.swf"), folder.File("box.webm"), {});
  TMediaProbe probe(folder.File("box.webm"));
  EXPECT_EQ(probe.Video().Codec, "vp9");
  EXPECT_EQ(probe.Audio().Codec, "opus");
}

}  // namespace
