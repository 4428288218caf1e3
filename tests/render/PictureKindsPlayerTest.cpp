// Pictures of the new kinds in a rendered card, drawn by our player: a transparent PNG goes
// into the movie lossless with its alpha and shows the stage through it, and an animated
// GIF shows frame k at the time its delays say, looping within the object's frames.
#include <gtest/gtest.h>

#include <png.h>

#include <QImage>

#include <cstdlib>

#include "FakeCardHost.h"
#include "PicFixture.h"
#include "PictureKindFiles.h"
#include "card/FlashCard.h"
#include "player/MoviePlayer.h"
#include "swf/builder/SwfAction.h"
#include "swf/builder/SwfMovie.h"
#include "swf/builder/SwfObject.h"
#include "swf/reader/MovieParser.h"

namespace {

class PictureKindsInThePlayer : public ::testing::Test {
protected:
  PictureKindsInThePlayer()
  {
    Ctx.SwfMovie = &Movie;
    Ctx.SwfObject = &Object;
    Ctx.SwfAction = &Action;
    Ctx.Preview = &Host;
    Ctx.Messages = &Messages;
    Ctx.WorkBasePath = Scratch.File("Untitled");
    Card.WorkSwfFile = Scratch.File("Untitled.swf");
  }

  // A 200 x 100 stage of the given colour at 10 frames a second holding the objects.
  std::unique_ptr<player::TMoviePlayer> RenderAndLoad(const std::string& objects, const std::string& bgColor)
  {
    const std::string settings = "<BgColor>" + bgColor + "</BgColor><BgPic/><Width>200</Width><Height>100</Height>"
                                 "<Rate>10</Rate><TotalFrames>40</TotalFrames><Times>0</Times><FileSize>0</FileSize>"
                                 "<MovieName/><Author/><Loop>true</Loop>";
    WriteWholeFile(Scratch.File("source.grx"), MovieXml(objects, settings));
    Card.SourceProject = Scratch.File("source.grx");
    Card.SetMode("Edit");
    Card.BuildMovie("", "");
    auto movie = std::make_unique<player::TMoviePlayer>();
    movie->LoadFile(Card.WorkSwfFile, false);
    return movie;
  }
  static QColor At(player::TMoviePlayer& movie, int frame, int x, int y)
  {
    movie.GotoFrame(frame);
    return movie.RenderImage(QSize(200, 100)).pixelColor(x, y);
  }

  TScratchFolder Scratch;
  swf::TSwfMovie Movie;
  swf::TSwfObject Object;
  swf::TSwfAction Action;
  TFakeCardHost Host;
  TCollectedMessages Messages;
  TRenderContext Ctx;
  TFlashCard Card{Host, Ctx, Scratch.File("Untitled")};
};

void ExpectColour(const QColor& got, int red, int green, int blue, const std::string& where)
{
  EXPECT_NEAR(got.red(), red, 2) << where;
  EXPECT_NEAR(got.green(), green, 2) << where;
  EXPECT_NEAR(got.blue(), blue, 2) << where;
}

TEST_F(PictureKindsInThePlayer, TransparentPngIsLosslessAndShowsTheStageThroughIt)
{
  // 40 x 20: the left half transparent, the right half red at half alpha, one opaque column.
  WritePng(Scratch.File("glass.png"), 40, 20, PNG_COLOR_TYPE_RGB_ALPHA, 8, false, [](int x, int) {
    if (x < 20) return TRgba8{0, 0, 0, 0};
    if (x == 39) return TRgba8{10, 200, 30, 255};
    return TRgba8{255, 0, 0, 128};
  });
  // Placed 1:1 at (50, 40); the stage is blue (the card's colour is BGR: 0xFF0000).
  auto movie = RenderAndLoad(PicObjXml({.Start = 0, .End = 30, .Content = Scratch.File("glass.png"), .X = 50, .Y = 40,
                                        .W = 40, .H = 20}),
                             "16711680");
  ASSERT_TRUE(Messages.Shown.empty()) << Messages.Shown[0];

  const swf::TMovie parsed = swf::LoadMovieFile(Card.WorkSwfFile);
  int lossless = 0, jpegs = 0;
  for (const auto& [id, character] : parsed.Characters)
    if (const auto* bitmap = std::get_if<swf::TBitmap>(&character)) {
      lossless += bitmap->Kind == swf::TBitmapKind::Lossless2;
      jpegs += bitmap->IsJpeg();
    }
  EXPECT_EQ(lossless, 1);
  EXPECT_EQ(jpegs, 0);

  ExpectColour(At(*movie, 5, 60, 50), 0, 0, 255, "through the transparent half");
  ExpectColour(At(*movie, 5, 80, 50), 128, 0, 127, "red at half alpha over blue");
  ExpectColour(At(*movie, 5, 89, 50), 10, 200, 30, "the opaque column");
  ExpectColour(At(*movie, 5, 150, 50), 0, 0, 255, "the stage beside the picture");
}

TEST_F(PictureKindsInThePlayer, AnimatedGifShowsEachFrameAtItsTimeAndLoops)
{
  // Frames of 0.2 s (red), 0.3 s (green) and 0.1 s (blue): at 10 frames a second the card
  // shows red on 2 frames, green on 3, blue on 1, then red again.
  const TRgba8 red{255, 0, 0, 255}, green{0, 255, 0, 255}, blue{0, 0, 255, 255};
  WriteWholeFile(Scratch.File("anim.gif"),
                 GifBytes(20, 10, {SolidGifFrame(20, 10, red, 20), SolidGifFrame(20, 10, green, 30),
                                   SolidGifFrame(20, 10, blue, 10)}));
  auto movie = RenderAndLoad(PicObjXml({.Start = 4, .End = 20, .Content = Scratch.File("anim.gif"), .X = 10, .Y = 10,
                                        .W = 20, .H = 10}),
                             "16777215");
  ASSERT_TRUE(Messages.Shown.empty()) << Messages.Shown[0];
  const char* expected = "RRGGGBRRGGGBRRGG"; // frames 4 .. 19 (the picture leaves at its end, 20)
  for (int i = 0; expected[i]; ++i) {
    const QColor c = At(*movie, 4 + i, 20, 15);
    const char got = c.red() > 200 && c.green() < 50 ? 'R' : c.green() > 200 && c.red() < 50 ? 'G'
                     : c.blue() > 200 && c.red() < 50 ? 'B' : '?';
    EXPECT_EQ(got, expected[i]) << "card frame " << 4 + i;
  }
  const QColor before = At(*movie, 3, 20, 15); // not yet on the stage
  EXPECT_EQ(before, QColor(255, 255, 255));
  // Each distinct frame is defined once, however often it comes back.
  const swf::TMovie parsed = swf::LoadMovieFile(Card.WorkSwfFile);
  int bitmaps = 0;
  for (const auto& [id, character] : parsed.Characters) bitmaps += std::holds_alternative<swf::TBitmap>(character);
  EXPECT_EQ(bitmaps, 3);
}

TEST_F(PictureKindsInThePlayer, MovingAnimationShowsItsFramesWhileItSlides)
{
  const TRgba8 red{255, 0, 0, 255}, blue{0, 0, 255, 255};
  WriteWholeFile(Scratch.File("blink.gif"), GifBytes(10, 10, {SolidGifFrame(10, 10, red, 10), SolidGifFrame(10, 10, blue, 10)}));
  auto movie = RenderAndLoad(PicObjXml({.Start = 0, .End = 10, .Content = Scratch.File("blink.gif"), .Effect = "Move",
                                        .X = 100, .Y = 10, .W = 10, .H = 10}),
                             "16777215");
  ASSERT_TRUE(Messages.Shown.empty()) << Messages.Shown[0];
  // At frame i the picture's left edge is 100 - 2 i; it blinks red, blue, red ...
  EXPECT_GT(At(*movie, 0, 104, 15).red(), 200);
  EXPECT_GT(At(*movie, 1, 102, 15).blue(), 200);
  EXPECT_GT(At(*movie, 2, 100, 15).red(), 200);
  EXPECT_GT(At(*movie, 5, 94, 15).blue(), 200);
}

} // namespace

namespace {

// The SVG drawn by rsvg-convert, `zoom` times its size, over white.
QImage ReferenceDrawing(const std::string& svg, const std::string& png, int zoom)
{
  const std::string command = "rsvg-convert -z " + std::to_string(zoom) + " -b white -o '" + png + "' '" + svg + "'";
  if (std::system(command.c_str()) != 0) return {};
  return QImage(QString::fromStdString(png)).convertToFormat(QImage::Format_RGB32);
}

TEST_F(PictureKindsInThePlayer, SvgStaysSharpWhenTheMovieIsShownFourTimesLarger)
{
  WriteWholeFile(Scratch.File("badge.svg"),
                 "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"60\" height=\"40\">"
                 "<defs><radialGradient id=\"g\" fx=\"0.3\"><stop offset=\"0\" stop-color=\"#ff0\"/>"
                 "<stop offset=\"1\" stop-color=\"#c30\"/></radialGradient></defs>"
                 "<ellipse cx=\"30\" cy=\"20\" rx=\"28\" ry=\"18\" fill=\"url(#g)\" stroke=\"#004\" stroke-width=\"1.5\"/>"
                 "<text x=\"12\" y=\"26\" font-family=\"DejaVu Sans\" font-size=\"16\" fill=\"#004\">Hi!</text></svg>");
  auto movie = RenderAndLoad(PicObjXml({.Start = 0, .End = 30, .Content = Scratch.File("badge.svg"), .X = 50, .Y = 30,
                                        .W = 60, .H = 40}),
                             "16777215");
  ASSERT_TRUE(Messages.Shown.empty()) << Messages.Shown[0];
  movie->GotoFrame(5);
  const QImage ours = movie->RenderImage(QSize(800, 400)).convertToFormat(QImage::Format_RGB32);
  const QImage reference = ReferenceDrawing(Scratch.File("badge.svg"), Scratch.File("badge-x4.png"), 4);
  ASSERT_EQ(reference.size(), QSize(240, 160));
  // Pixels that differ: a drawing shown from pixels of its own size would blur every edge.
  int off = 0;
  for (int y = 0; y < 160; ++y)
    for (int x = 0; x < 240; ++x) {
      const QRgb p = ours.pixel(200 + x, 120 + y), q = reference.pixel(x, y);
      if (std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)), std::abs(qBlue(p) - qBlue(q))}) > 40) ++off;
    }
  EXPECT_LT(off, 240 * 160 / 100);
}

} // namespace
