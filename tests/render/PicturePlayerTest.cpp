// A card with a background picture and a moving picture, rendered by the real builder and
// drawn by our player: the pictures stand where and as large as the card says, frame by
// frame.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QImage>

#include "FakeCardHost.h"
#include "PicFixture.h"
#include "card/FlashCard.h"
#include "player/MoviePlayer.h"
#include "swf/builder/SwfAction.h"
#include "swf/builder/SwfMovie.h"
#include "swf/builder/SwfObject.h"

namespace {

class PictureInThePlayer : public ::testing::Test {
protected:
  PictureInThePlayer()
  {
    Ctx.SwfMovie = &Movie;
    Ctx.SwfObject = &Object;
    Ctx.SwfAction = &Action;
    Ctx.Preview = &Host;
    Ctx.Messages = &Messages;
    Ctx.WorkBasePath = Scratch.File("Untitled");
    Card.WorkSwfFile = Scratch.File("Untitled.swf");
  }

  // Renders the card as the editor does: entering Edit mode renders once with no movie in
  // the preview, the next render knows the preview's frame count. Returns the player.
  std::unique_ptr<player::TMoviePlayer> RenderAndLoad(const std::string& xml)
  {
    WriteWholeFile(Scratch.File("source.grx"), xml);
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
    return movie.RenderImage(QSize(420, 180)).pixelColor(x, y);
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

MATCHER_P3(IsNear, red, green, blue, "")
{
  *result_listener << "is " << arg.red() << ", " << arg.green() << ", " << arg.blue();
  return std::abs(arg.red() - red) <= 16 && std::abs(arg.green() - green) <= 16 && std::abs(arg.blue() - blue) <= 16;
}

TEST_F(PictureInThePlayer, BackgroundAndMovingPictureStandWhereTheCardSays)
{
  WriteJpeg(Scratch.File("bg.jpg"), 101, 60, 30, 60, 220);     // blue, centred at (160, 60)
  WriteBmp(Scratch.File("red.bmp"), 30, 40, 220, 30, 30);       // red, 30 x 40
  const std::string objects =
      PicObjXml({.Start = 0, .End = 20, .Content = Scratch.File("red.bmp"), .Effect = "Move", .X = 300, .Y = 20,
                 .W = 30, .H = 40});
  const std::string settings = "<BgColor>16777215</BgColor><BgPic>" + Scratch.File("bg.jpg") +
                               "</BgPic><Width>420</Width><Height>180</Height><Rate>15</Rate>"
                               "<TotalFrames>100</TotalFrames><Times>0</Times><FileSize>0</FileSize><MovieName/>"
                               "<Author/><Loop>true</Loop>";
  auto movie = RenderAndLoad(MovieXml(objects, settings));
  ASSERT_TRUE(Messages.Shown.empty());
  EXPECT_EQ(movie->TotalFrames(), 21);

  // The background: (160, 60) to (261, 120), on every frame.
  for (int frame : {0, 10, 20}) {
    SCOPED_TRACE(frame);
    EXPECT_THAT(At(*movie, frame, 163, 63), IsNear(30, 60, 220));
    EXPECT_THAT(At(*movie, frame, 258, 117), IsNear(30, 60, 220));
    EXPECT_THAT(At(*movie, frame, 157, 90), IsNear(255, 255, 255));
    EXPECT_THAT(At(*movie, frame, 210, 123), IsNear(255, 255, 255));
  }

  // The moving picture: its left edge at 300 - 2 i pixels, from 20 to 60 down, 30 wide.
  EXPECT_THAT(At(*movie, 0, 302, 22), IsNear(220, 30, 30));
  EXPECT_THAT(At(*movie, 0, 327, 57), IsNear(220, 30, 30));
  EXPECT_THAT(At(*movie, 0, 297, 40), IsNear(255, 255, 255));
  EXPECT_THAT(At(*movie, 10, 282, 40), IsNear(220, 30, 30));
  EXPECT_THAT(At(*movie, 10, 307, 40), IsNear(220, 30, 30));
  EXPECT_THAT(At(*movie, 10, 312, 40), IsNear(255, 255, 255)); // where it stood at frame 0
  EXPECT_THAT(At(*movie, 10, 295, 63), IsNear(255, 255, 255));
  EXPECT_THAT(At(*movie, 19, 264, 40), IsNear(220, 30, 30));
  EXPECT_THAT(At(*movie, 20, 264, 40), IsNear(255, 255, 255)); // gone at its last frame
}

TEST_F(PictureInThePlayer, PictureLeavesAtItsLastFrame)
{
  WriteJpeg(Scratch.File("green.jpg"), 40, 40, 30, 200, 40);
  const std::string objects =
      PicObjXml({.Start = 2, .End = 5, .Content = Scratch.File("green.jpg"), .X = 100, .Y = 50, .W = 80, .H = 20}) +
      TextObjXml({.Name = "Text1", .Start = 0, .End = 9, .Content = "."});
  auto movie = RenderAndLoad(MovieXml(objects));
  // Shown stretched to 80 x 20 from frame 2 to frame 4; taken away at its last frame 5.
  EXPECT_THAT(At(*movie, 1, 140, 60), IsNear(255, 255, 255));
  EXPECT_THAT(At(*movie, 2, 103, 53), IsNear(30, 200, 40));
  EXPECT_THAT(At(*movie, 4, 177, 67), IsNear(30, 200, 40));
  EXPECT_THAT(At(*movie, 4, 140, 73), IsNear(255, 255, 255));
  EXPECT_THAT(At(*movie, 5, 140, 60), IsNear(255, 255, 255));
  EXPECT_THAT(At(*movie, 6, 140, 60), IsNear(255, 255, 255));
}

} // namespace
