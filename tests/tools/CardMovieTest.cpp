// A card rendered into a real movie, read back and drawn: the texts stand where the
// effects put them and the player draws their glyphs.
#include <gtest/gtest.h>

#include <optional>

#include <QImage>

#include "CardFiles.h"
#include "CardFrames.h"
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
    options.Final = false;
    options.OutputFile = Scratch.File("preview.swf");
    PreviewFrames = RenderCardFile(options, movie, object, action, nullptr).FrameCount;
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
  int PreviewFrames = 0;
};

} // namespace

TEST_F(CardMovie, TextsStandWhereTheirEffectsPutThem)
{
  EXPECT_TRUE(Movie.Warnings.empty());
  // Roll In's last letter runs to 12.75 + 239 -> frame 252; the final render's stop
  // follows on the frame whose index is the preview movie's frame count.
  EXPECT_GE(PreviewFrames, 253);
  EXPECT_EQ(Result.FrameCount, PreviewFrames + 1);
  EXPECT_EQ(Movie.Header.FrameCount, PreviewFrames + 1);
  ASSERT_FALSE(Movie.Timeline.Frames.empty());
  EXPECT_FALSE(Movie.Timeline.Frames.back().Actions.empty());
  // "-- None --" at its own place from its first frame.
  EXPECT_TRUE(ShownAt(0, 1000, 1100));
  EXPECT_TRUE(ShownAt(100, 1000, 1100));
  EXPECT_FALSE(ShownAt(101, 1000, 1100));
  // "Move" slides 50 twips a frame and stands at its own place, on its own line, at 80.
  EXPECT_TRUE(ShownAt(0, 800 + 4000, 2100));
  EXPECT_TRUE(ShownAt(80, 800, 2100));
  EXPECT_TRUE(ShownAt(100, 800 - 1000, 2100));
  // Each "Roll In" letter passes the text's place at its step 80: letter 1 at 12.75 + 80.
  EXPECT_TRUE(ShownAt(80, 1200, 3100));
  EXPECT_TRUE(ShownAt(93, 1200, 3100));
  EXPECT_FALSE(ShownAt(93, 1200 + 504, 3100));
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

TEST(CardMovieEffects, EveryEffectDrawsItsTextAtItsPlace)
{
  // One text per effect, each on its own line; the scaled and rotated ones turn about
  // their own origin, which stays where "-- None --" puts the text.
  const char* const effects[] = {"-- None --", "Come In", "Fade",    "Heart Beat", "Kerning",
                                 "Move",       "Radiation", "Rainbow", "Roll In",    "Rotate"};
  std::vector<TCardText> texts;
  for (int i = 0; i < 10; ++i) texts.push_back({effects[i], 0, 24, 20, 10 + 40 * i, "Ab", 28});
  TScratch scratch;
  const swf::TMovie written = swf::LoadMovieFile(RenderCardXml(scratch, CardXml(texts, 0), 3));
  const swf::TDisplayList at6 = swf::ReplayTimeline(written.Timeline, 6);
  const auto find = [&](int x, int y) -> const swf::TDisplayObject* {
    for (const auto& [depth, shown] : at6.Objects())
      if (shown.Matrix.TX == x && shown.Matrix.TY == y) return &shown;
    return nullptr;
  };
  for (int i = 0; i < 10; ++i) {
    const int y = 20 * (10 + 40 * i) + 100;
    const std::string effect = effects[i];
    if (effect == "Move" || effect == "Roll In") continue; // they slide in from the right
    // Letter effects place letter 1 of "Ab" 28 F twips right of letter 0.
    const bool letters = effect == "Come In" || effect == "Heart Beat" || effect == "Rainbow";
    const swf::TDisplayObject* shown = find(400, y);
    ASSERT_NE(shown, nullptr) << effect;
    if (letters && effect != "Come In") EXPECT_NE(find(400 + 28 * 28, y), nullptr) << effect;
    if (effect == "Heart Beat") EXPECT_EQ(shown->Matrix.A, 105326) << effect; // 2.5 x 6 / 12 x 36 / 28
    if (effect == "Rotate") EXPECT_NE(shown->Matrix.B, 0) << effect;
    if (effect == "Fade") EXPECT_EQ(shown->CxForm.AAdd, 71) << effect; // 255 / 25 x 7 = 71.4
  }
  // Move and Roll In stand at the text's place at frame 80 only if they last that long;
  // at frame 6 they are 200 - 15 pixels right of it on their own line.
  EXPECT_NE(find(400 + 4000 - 300, 20 * 210 + 100), nullptr);
  EXPECT_NE(find(400 + 4000 - 300, 20 * 330 + 100), nullptr);
}

TEST(CardMovieEffects, TextsTurnedOrBeatenIntoPlaceEndAtTheirStillSize)
{
  // A "Rotate" text followed by a still copy, as a card shows a greeting that turns into
  // place and stays: the last turned frame has the still copy's size and place, so
  // nothing jumps. "Heart Beat" falls back to the same size on its last frame.
  const std::vector<TCardText> texts = {{"Rotate", 0, 49, 40, 100, "Dear", 20},
                                        {"-- None --", 50, 80, 40, 100, "Dear", 20},
                                        {"Heart Beat", 0, 24, 40, 200, "D", 20}};
  TScratch scratch;
  const swf::TMovie written = swf::LoadMovieFile(RenderCardXml(scratch, CardXml(texts, 0)));
  const auto matrixAt = [&](int frame, int y) -> std::optional<swf::TMatrix> {
    const swf::TDisplayList list = swf::ReplayTimeline(written.Timeline, frame);
    for (const auto& [depth, shown] : list.Objects())
      if (shown.Matrix.TY == 20 * y + 100) return shown.Matrix;
    return std::nullopt;
  };
  const auto turned = matrixAt(49, 100), still = matrixAt(50, 100), beaten = matrixAt(24, 200);
  ASSERT_TRUE(turned && still && beaten);
  EXPECT_EQ(*turned, *still);
  EXPECT_EQ(still->A, 65536);
  EXPECT_EQ(beaten->A, 65536);
  EXPECT_EQ(beaten->D, 65536);
}
