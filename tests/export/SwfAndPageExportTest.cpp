// The compressed movie and the web page.
#include <gtest/gtest.h>

#include <QImage>

#include <cstdlib>
#include <filesystem>
#include <regex>

#include "ExportTestMovies.h"
#include "MediaProbe.h"
#include "export/MovieExport.h"
#include "export/WebPage.h"
#include "player/MoviePlayer.h"
#include "player/audio/SoundMixer.h"
#include "support/TestFolder.h"
#include "swf/reader/MovieParser.h"

using namespace exporttest;
using exporter::ExportMovie;

namespace {

// What the player mixes during the first `frames` frames, as mono floats.
std::vector<float> PlayedSound(const std::string& movie, int frames) {
  player::TMoviePlayer player(player::TAudioMode::Silent);
  player.LoadFile(movie);
  std::vector<float> mono;
  std::vector<int16_t> stereo(2 * 44100 / TestRate);
  for (int i = 0; i < frames; ++i) {
    player.MixSounds(stereo.data(), 44100 / TestRate);
    for (size_t s = 0; s < stereo.size(); s += 2) mono.push_back(stereo[s] / 32768.0f);
    player.Tick();
  }
  return mono;
}

TEST(CompressedSwf, SmallerWithMp3SoundsAndPlaysTheSame) {
  TTestFolder folder("greetix-export-");
  const std::string movie = folder.File("box.swf"), small = folder.File("small.swf");
  WriteTestMovie(movie);
  ExportMovie(movie, small, {});
  const std::string bytes = ReadWholeFile(small);
  EXPECT_EQ(bytes.substr(0, 3), "CWS");
  EXPECT_LT(bytes.size() * 3, ReadWholeFile(movie).size());

  const swf::TMovie parsed = swf::LoadMovieFile(small);
  EXPECT_TRUE(parsed.Warnings.empty());
  const swf::TSound* sound = parsed.Find<swf::TSound>(2);
  ASSERT_NE(sound, nullptr);
  EXPECT_EQ(sound->Format.Codec, swf::TSoundCodec::Mp3);
  EXPECT_EQ(sound->SampleCount, Chirp().size());

  for (int frame : {0, 7, 23}) {
    EXPECT_EQ(PlayerFrame(small, frame, {96, 64}), PlayerFrame(movie, frame, {96, 64})) << frame;
  }
  // The chirp still starts at frame 6: the encoder's delay is skipped.
  double score = 0;
  const long lag = BestLag(PlayedSound(small, 24), ChirpAsFloats(), &score);
  EXPECT_NEAR(lag, 6 * 44100 / TestRate, 44);
  EXPECT_GT(score, 0.9);
}

TEST(WebPage, PageNamesItsFilesAndFetchesNothingFromElsewhere) {
  exporter::TPageFacts facts;
  facts.Title = "Tom & Jerry's <party>";
  facts.Name = "my card";
  facts.Size = {400, 300};
  facts.Loops = false;
  const std::string page = exporter::WebPageText(facts);
  EXPECT_NE(page.find("<title>Tom &amp; Jerry&#39;s &lt;party&gt;</title>"), std::string::npos);
  EXPECT_NE(page.find("<meta property=\"og:title\" content=\"Tom &amp; Jerry&#39;s &lt;party&gt;\">"), std::string::npos);
  EXPECT_NE(page.find("og:image\" content=\"my%20card.png\""), std::string::npos);
  EXPECT_NE(page.find("src=\"my%20card.webm\""), std::string::npos);
  EXPECT_NE(page.find("src=\"my%20card.mp4\""), std::string::npos);
  EXPECT_NE(page.find(" autoplay muted playsinline"), std::string::npos);
  EXPECT_EQ(page.find(" loop"), std::string::npos);
  EXPECT_NE(page.find("id=\"sound\""), std::string::npos);
  EXPECT_NE(page.find("id=\"replay\""), std::string::npos);
  EXPECT_EQ(page.find("http"), std::string::npos);
  EXPECT_EQ(page.find("//"), std::string::npos);
}

std::string Chromium() {
  for (const char* name : {"/usr/bin/chromium", "/usr/bin/chromium-browser"}) {
    if (std::filesystem::exists(name)) return name;
  }
  return "";
}

// Runs headless Chromium on the page; returns its standard output.
std::string RunChromium(const std::string& browser, const TTestFolder& folder, const std::string& page,
                        const std::string& extra) {
  const std::string output = folder.File("chromium.out");
  const std::string command =
      browser + " --headless --no-sandbox --disable-gpu --disable-quic --no-first-run"
                " --disable-background-networking --disable-component-update --disable-sync"
                " --user-data-dir=" + folder.File("profile") + " --window-size=480,400 " + extra +
      " file://" + page + " >" + output + " 2>/dev/null";
  if (std::system(command.c_str()) != 0) return "";
  return ReadWholeFile(output);
}

TEST(WebPage, HeadlessBrowserPlaysTheWebm) {
  const std::string browser = Chromium();
  if (browser.empty()) GTEST_SKIP() << "chromium is not installed";
  TTestFolder folder("greetix-export-");
  const std::string movie = folder.File("box.swf"), page = folder.File("card.html");
  WriteTestMovie(movie, {.Width = 320, .Height = 240, .Frames = 48});
  ExportMovie(movie, page, {});
  for (const char* name : {"card.html", "card.webm", "card.mp4", "card.png"}) {
    EXPECT_TRUE(std::filesystem::exists(folder.File(name))) << name;
  }
  // Without the MP4 the page can only play its WebM.
  std::filesystem::remove(folder.File("card.mp4"));
  // A browser starved of CPU sometimes ends its time budget before the video starts, or
  // before its first time update: try again, with a longer budget each time.
  const std::regex positionWidth("id=\"position\" style=\"width: ([0-9.]+)%");
  std::string dom;
  for (const int budget : {3000, 6000, 10000, 20000, 30000}) {
    dom = RunChromium(browser, folder, page, "--virtual-time-budget=" + std::to_string(budget) + " --dump-dom");
    if (dom.find("data-state=\"playing\"") != std::string::npos && std::regex_search(dom, positionWidth))
      break;
  }
  ASSERT_FALSE(dom.empty());
  EXPECT_NE(dom.find("data-state=\"playing\""), std::string::npos) << dom;
  std::smatch position;
  ASSERT_TRUE(std::regex_search(dom, position, positionWidth)) << dom;
  EXPECT_GT(std::stod(position[1]), 0.0);  // the video's time moved on

  // The card's stage colour fills the middle of the video.
  int stagePixels = 0;
  for (int attempt = 0; attempt < 3 && stagePixels <= 500; ++attempt) {
    RunChromium(browser, folder, page, "--virtual-time-budget=2000 --screenshot=" + folder.File("shot.png"));
    const QImage shot(QString::fromStdString(folder.File("shot.png")));
    ASSERT_FALSE(shot.isNull());
    stagePixels = 0;
    for (int y = 0; y < shot.height(); y += 4) {
      for (int x = 0; x < shot.width(); x += 4) {
        const QColor c = shot.pixelColor(x, y);
        if (std::abs(c.red() - 20) < 12 && std::abs(c.green() - 110) < 12 && std::abs(c.blue() - 130) < 12) ++stagePixels;
      }
    }
  }
  EXPECT_GT(stagePixels, 500);
}

}  // namespace
