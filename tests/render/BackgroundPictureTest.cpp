// The card's background picture through the real examiner: centred with ties to even at
// frame 0 behind the objects, and left out when it is refused.
#include <gtest/gtest.h>

#include "FakeCardHost.h"
#include "PicFixture.h"
#include "card/FlashCard.h"

namespace {

std::string CardXml(const std::string& bgPic, const std::string& objects)
{
  return MovieXml(objects, "<BgColor>0</BgColor><BgPic>" + bgPic +
                               "</BgPic><Width>420</Width><Height>180</Height><Rate>15</Rate><TotalFrames>100"
                               "</TotalFrames><Times>0</Times><FileSize>0</FileSize><MovieName/><Author/>"
                               "<Loop>true</Loop>");
}

class BackgroundPicture : public ::testing::Test {
protected:
  BackgroundPicture()
  {
    Ctx.SwfMovie = &Builder.Movie;
    Ctx.SwfObject = &Builder.Object;
    Ctx.SwfAction = &Builder.Action;
    Ctx.Preview = &Host;
    Ctx.Messages = &Messages;
    Ctx.WorkBasePath = Scratch.File("Untitled");
    WriteJpeg(Scratch.File("object.jpg"), 30, 40);
  }
  // Enters Edit mode with the card, which renders it once.
  TRecording Edit(const std::string& xml)
  {
    WriteWholeFile(Scratch.File("source.grx"), xml);
    Card.SourceProject = Scratch.File("source.grx");
    Builder.Recording.Clear();
    Card.SetMode("Edit");
    return Builder.Recording;
  }
  TRecording Render()
  {
    Builder.Recording.Clear();
    Card.BuildMovie("", "");
    return Builder.Recording;
  }
  std::string ObjectPicture() { return PicObjXml({.Start = 0, .End = 99, .Content = Scratch.File("object.jpg")}); }

  TScratchFolder Scratch;
  TRecordingBuilder Builder;
  TFakeCardHost Host;
  TCollectedMessages Messages;
  TRenderContext Ctx;
  TFlashCard Card{Host, Ctx, Scratch.File("Untitled")};
};

TEST_F(BackgroundPicture, CentredTiesToEvenAtFrameZeroBeforeTheObjects)
{
  WriteJpeg(Scratch.File("bg.jpg"), 101, 60);
  const std::vector<std::string> lines = Edit(CardXml(Scratch.File("bg.jpg"), ObjectPicture())).Lines();
  const auto background = std::find(lines.begin(), lines.end(),
                                    "MakePicture(3200,1200,5220,2400,101,60," + Scratch.File("Untitled.jpg") + ")");
  ASSERT_NE(background, lines.end());
  EXPECT_EQ(*(background - 1), "SetFrameBkColor(0,0,0)"); // after GotoFrame(0) and the stage colour
  EXPECT_EQ(*(background + 1), "AddObject()");
  EXPECT_EQ((background + 2)->rfind("MakePicture(200,400,", 0), 0u); // then the picture object
  EXPECT_TRUE(Messages.Shown.empty());
  EXPECT_EQ(Card.BgPicWidth, 101);
  EXPECT_EQ(Card.BgPicHeight, 60);
}

TEST_F(BackgroundPicture, TooLargeIsLeftOutWithItsMessage)
{
  WriteJpeg(Scratch.File("bg.jpg"), 1024, 768);
  const TRecording recording = Edit(CardXml(Scratch.File("bg.jpg"), ObjectPicture()));
  EXPECT_EQ(Messages.Shown, std::vector<std::string>{"The picture width>800 or height>600!"});
  ASSERT_EQ(recording.Named("MakePicture").size(), 1u); // the object's picture only
  EXPECT_EQ(recording.Named("MakePicture")[0].Numbers[0], 200);
}

TEST_F(BackgroundPicture, RefusedLaterDoesNotShowTheLastPictureExamined)
{
  WriteBmp(Scratch.File("bg.bmp"), 101, 60);
  ASSERT_EQ(Edit(CardXml(Scratch.File("bg.bmp"), ObjectPicture())).Named("MakePicture").size(), 2u);

  // The work file now holds the object's picture; the background becomes unreadable.
  WriteWholeFile(Scratch.File("bg.bmp"), "BM damaged");
  const TRecording recording = Render();
  ASSERT_EQ(Messages.Shown.size(), 1u);
  EXPECT_NE(Messages.Shown[0].find("is not a readable bitmap"), std::string::npos);
  ASSERT_EQ(recording.Named("MakePicture").size(), 1u);
  EXPECT_EQ(recording.Named("MakePicture")[0].Numbers[0], 200);
}

} // namespace
