// GIF and WebP animations and the PNG poster: frames, delays and loop counts.
#include <gtest/gtest.h>

#include <QImage>

#include <numeric>

#include "ExportTestMovies.h"
#include "MediaProbe.h"
#include "export/MovieExport.h"
#include "support/TestFolder.h"

using namespace exporttest;
using exporter::ExportMovie;

namespace {

// The loop count of a GIF's NETSCAPE2.0 block; -1 when there is none (played once).
int GifLoopCount(const std::string& bytes) {
  const size_t at = bytes.find("NETSCAPE2.0");
  if (at == std::string::npos) return -1;
  return static_cast<uint8_t>(bytes[at + 13]) | (static_cast<uint8_t>(bytes[at + 14]) << 8);
}

// The loop count in a WebP's ANIM chunk (0: for ever).
int WebpLoopCount(const std::string& bytes) {
  const size_t at = bytes.find("ANIM");
  if (at == std::string::npos) return -1;
  return static_cast<uint8_t>(bytes[at + 12]) | (static_cast<uint8_t>(bytes[at + 13]) << 8);
}

size_t Count(const std::string& bytes, const std::string& what) {
  size_t count = 0;
  for (size_t at = bytes.find(what); at != std::string::npos; at = bytes.find(what, at + 1)) ++count;
  return count;
}

TEST(GifExport, FramesDelaysAndColoursFollowTheMovie) {
  TTestFolder folder("greetix-export-");
  const std::string movie = folder.File("box.swf"), gif = folder.File("box.gif");
  WriteTestMovie(movie);
  ExportMovie(movie, gif, {});

  TMediaProbe probe(gif);
  const std::vector<TPacketTime> packets = probe.VideoPackets();
  ASSERT_EQ(packets.size(), 24u);
  // 12 frames a second in hundredths: delays of 8 and 9 that add up to the movie's time.
  double total = 0;
  for (const TPacketTime& packet : packets) {
    EXPECT_TRUE(std::abs(packet.Duration - 0.08) < 1e-6 || std::abs(packet.Duration - 0.09) < 1e-6)
        << packet.Duration;
    total += packet.Duration;
  }
  EXPECT_NEAR(total, 2.0, 0.011);

  double worst = 0;
  probe.ForEachPicture([&](int index, const QImage& picture) {
    worst = std::max(worst, MeanDifference(picture, PlayerFrame(movie, index, {96, 64})));
  });
  EXPECT_LT(worst, 4.0);
  EXPECT_EQ(GifLoopCount(ReadWholeFile(gif)), 0);  // the movie loops: for ever
}

TEST(GifExport, StoresOnlyWhatChangedAndPlaysOnceWhenTheMovieStops) {
  TTestFolder folder("greetix-export-");
  const std::string movie = folder.File("box.swf"), gif = folder.File("box.gif");
  WriteTestMovie(movie, {.Width = 320, .Height = 240, .Loops = false});
  ExportMovie(movie, gif, {});
  const std::string bytes = ReadWholeFile(gif);
  EXPECT_EQ(GifLoopCount(bytes), -1);
  // A 16-pixel box moving over a plain stage: 24 full frames would be far larger.
  EXPECT_LT(bytes.size(), 24u * 320 * 240 / 20);
}

TEST(WebpExport, AnimatedLossyAndLoopsLikeTheMovie) {
  TTestFolder folder("greetix-export-");
  const std::string movie = folder.File("box.swf"), webp = folder.File("box.webp");
  WriteTestMovie(movie);
  ExportMovie(movie, webp, {});
  std::string bytes = ReadWholeFile(webp);
  EXPECT_EQ(bytes.substr(0, 4), "RIFF");
  EXPECT_EQ(Count(bytes, "ANMF"), 24u);
  EXPECT_EQ(Count(bytes, "VP8L"), 0u);  // lossy frames only
  EXPECT_EQ(WebpLoopCount(bytes), 0);

  WriteTestMovie(movie, {.Loops = false});
  ExportMovie(movie, webp, {});
  EXPECT_EQ(WebpLoopCount(ReadWholeFile(webp)), 1);
}

TEST(PngExport, PosterIsTheLastFrameAtTheChosenSize) {
  TTestFolder folder("greetix-export-");
  const std::string movie = folder.File("box.swf"), png = folder.File("box.png");
  WriteTestMovie(movie);
  exporter::TExportOptions options;
  options.Width = 101;  // pictures keep odd sides; only videos need even ones
  ExportMovie(movie, png, options);
  const QImage poster(QString::fromStdString(png));
  ASSERT_EQ(poster.size(), QSize(101, 67));
  EXPECT_LT(MeanDifference(poster, PlayerFrame(movie, 23, {101, 67})), 0.5);
}

}  // namespace
