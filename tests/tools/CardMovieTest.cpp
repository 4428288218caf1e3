// A card rendered into a real movie, read back and drawn: the texts stand where the
// effects put them and the player draws their glyphs.
#include <gtest/gtest.h>

#include <QImage>

#include "CardFiles.h"
#include "player/MoviePlayer.h"
#include "swf/builder/SwfAction.h"
#include "swf/builder/SwfMovie.h"
#include "swf/builder/SwfObject.h"
#include "swf/reader/DisplayList.h"
#include "swf/reader/MovieParser.h"
#include "tools/CardRender.h"

namespace {

// "-- None --" at (50, 50), "Move" at (40, 100), "Roll In" "ab" at (60, 150); 18 points.
const std::vector<TCardText> Texts = {
    {"-- None --", 0, 100, 50, 50}, {"Move", 0, 100, 40, 100}, {"Roll In", 0, 239, 60, 150, "ab"}};

class CardMovie : public ::testing::Test {
protected:
  void SetUp() override
  {
    WriteAll(Scratch.File("card.grx"), CardXml(Texts, 0));
    TCardRenderOptions options;
    options.CardFile = Scratch.File("card.grx");
    options.OutputFile = Scratch.File("card.swf");
    options.Final = true;
    swf::TSwfMovie movie;
    swf::TSwfObject object;
    swf::TSwfAction action;
    Result = RenderCardFile(options, movie, object, action, nullptr);
    Movie = swf::LoadMovieFile(options.OutputFile);
  }

  // Whether some object at the frame is translated to (x, y) twips.
  bool ShownAt(int frame, int x, int y) const
  {
    const swf::TDisplayList list = swf::ReplayTimeline(Movie.Timeline, static_cast<uint32_t>(frame));
    for (const auto& [depth, object] : list.Objects())
      if (object.Matrix.TX == x && object.Matrix.TY == y) return true;
    return false;
  }

  TScratch Scratch;
  TCardRenderResult Result;
  swf::TMovie Movie;
};

} // namespace

TEST_F(CardMovie, TextsStandWhereTheirEffectsPutThem)
{
  EXPECT_TRUE(Movie.Warnings.empty());
  // Roll In's last letter runs to 12.75 + 239 -> frame 252: the preview movie has 253
  // frames, and the final render's stop follows on frame 253.
  EXPECT_EQ(Result.FrameCount, 254);
  EXPECT_EQ(Movie.Header.FrameCount, 254);
  // "-- None --" at its own place from its first frame.
  EXPECT_TRUE(ShownAt(0, 1000, 1100));
  EXPECT_TRUE(ShownAt(100, 1000, 1100));
  EXPECT_FALSE(ShownAt(101, 1000, 1100));
  // "Move" slides 50 twips a frame and stands at its own place, on its own line, at 80.
  EXPECT_TRUE(ShownAt(0, 800 + 4000, 2100));
  EXPECT_TRUE(ShownAt(80, 800, 2100));
  EXPECT_TRUE(ShownAt(100, 800 - 1000, 2100));
  // Each "Roll In" letter passes its own place at its step 80: letter 1 at 12.75 + 80.
  EXPECT_TRUE(ShownAt(80, 1200, 3100));
  EXPECT_TRUE(ShownAt(93, 1200 + 504, 3100));
}

TEST_F(CardMovie, ThePlayerDrawsTheGlyphsWhereTheTextStands)
{
  player::TMoviePlayer moviePlayer;
  moviePlayer.LoadFile(Scratch.File("card.swf"), false);
  moviePlayer.GotoFrame(80);
  const QImage image = moviePlayer.RenderImage(QSize(640, 480)).convertToFormat(QImage::Format_RGB32);
  // Bounding box of the blue ink of each line: "-- None --" at y 55 (the top of its line),
  // "Move" at y 105, "Roll In" at y 155; each 25.2 pixels high.
  const auto inkBox = [&](int top, int bottom) {
    QRect box;
    int pixels = 0;
    for (int y = top; y < bottom; ++y)
      for (int x = 0; x < image.width(); ++x) {
        const QColor colour = image.pixelColor(x, y);
        if (colour.blue() > 150 && colour.red() < 120 && colour.green() < 120) {
          box |= QRect(x, y, 1, 1);
          ++pixels;
        }
      }
    return std::make_pair(box, pixels);
  };
  for (const auto& [line, left] : std::vector<std::pair<int, int>>{{55, 50}, {105, 40}, {155, 60}}) {
    const auto [box, pixels] = inkBox(line - 10, line + 40);
    ASSERT_GT(pixels, 40) << "line at " << line;
    // Glyphs of an 18-point line: within the line box, starting at the text's left edge.
    EXPECT_NEAR(box.left(), left, 4) << "line at " << line;
    EXPECT_GE(box.top(), line) << "line at " << line;
    EXPECT_LE(box.bottom(), line + 26) << "line at " << line;
    EXPECT_GT(box.height(), 10) << "line at " << line;
  }
}
