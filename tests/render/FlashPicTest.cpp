// The picture object: defaults, document and panel binding, the effects' builder calls, and
// what a refused picture leaves in the movie (nothing).
#include <gtest/gtest.h>

#include "EffectTestSupport.h"
#include "PicFixture.h"
#include "render/FlashPic.h"
#include "render/PicEffects.h"

namespace {

const std::string Cannot = "Sorry, can not use the picture!";

// Renders object `index` of a card holding the given pictures, with a real 30 x 40 JPEG
// named picture.jpg as every empty Content; "@name" is the file of that name in the scratch
// folder.
struct TPicRender {
  explicit TPicRender(std::vector<TPicSpec> pictures, const std::string& extraXml = "")
  {
    WriteJpeg(Fixture.Scratch.File("picture.jpg"), 30, 40);
    std::string objects;
    for (auto& picture : pictures) {
      if (picture.Content.empty()) picture.Content = Fixture.Scratch.File("picture.jpg");
      if (picture.Content[0] == '@') picture.Content = Fixture.Scratch.File(picture.Content.substr(1));
      objects += PicObjXml(picture);
    }
    Fixture.LoadCard(MovieXml(objects + extraXml));
  }
  TRecording Render(int index = 0)
  {
    Fixture.Builder.Recording.Clear();
    TFlashPic renderer(Fixture.Ctx);
    renderer.Render(index);
    return Fixture.Builder.Recording;
  }
  TPicFixture Fixture;
};

std::string PictureLine(const TPicFixture& fixture, int left, int top, int right, int bottom, int w, int h)
{
  return "MakePicture(" + std::to_string(left) + "," + std::to_string(top) + "," + std::to_string(right) + "," +
         std::to_string(bottom) + "," + std::to_string(w) + "," + std::to_string(h) + "," + fixture.WorkFile() + ")";
}

TEST(FlashPic, AddNewAppendsThePictureDefaultsAndSelectsIt)
{
  TPicFixture fixture(PicObjXml({.Name = "Pic1"}));
  fixture.Preview.Current = 10;
  TFlashPic picture(fixture.Ctx);
  picture.AddNew();

  EXPECT_EQ(picture.ObjName, "Pic2");
  EXPECT_EQ(fixture.Library.Nodes, std::vector<std::string>{"Pic2"});
  EXPECT_EQ(fixture.Library.SelectLastCalls, 1);
  const std::string saved = ReadWholeFile(fixture.CardFile());
  EXPECT_NE(saved.find("<Obj><ObjName>Pic2</ObjName><StartTime>10</StartTime><EndTime>34</EndTime><Layer>2</Layer>"
                       "<ObjTypeName>Pic</ObjTypeName><ObjType><ObjPic><Content/><PositionX>0</PositionX>"
                       "<PositionY>0</PositionY><Width>0</Width><Height>0</Height><EffectName>-- None --</EffectName>"
                       "</ObjPic></ObjType></Obj>"),
            std::string::npos)
      << saved;
}

TEST(FlashPic, NoneMakesThePictureOnceAndTakesItAwayAtItsLastFrame)
{
  TPicRender card({{.Start = 5, .End = 20, .X = 10, .Y = 20, .W = 30, .H = 40}});
  const TRecording recording = card.Render();
  EXPECT_EQ(recording.Lines(), (std::vector<std::string>{
                                   PictureLine(card.Fixture, 200, 400, 800, 1200, 30, 40),
                                   "GotoFrame(5)", "AddObject()",
                                   "GotoFrame(20)", "RemoveObject()", // Finish after frame 19
                                   "GotoFrame(20)", "RemoveObject()", // the end of every picture
                               }));
  EXPECT_TRUE(card.Fixture.Messages.Shown.empty());
}

TEST(FlashPic, MoveSlidesTwoPixelsAFrame)
{
  TPicRender card({{.Start = 0, .End = 20, .Effect = "Move", .X = 300, .Y = 7, .W = 30, .H = 40}});
  const TRecording recording = card.Render();

  const std::vector<TRecordedCall> frame10 = FrameStepAt(recording, 10);
  ASSERT_FALSE(frame10.empty());
  EXPECT_EQ(frame10[1].Line, "RemoveObject()");
  EXPECT_EQ(frame10[2].Line, PictureLine(card.Fixture, 5600, 140, 20 * (280 + 30), 940, 30, 40));
  EXPECT_EQ(frame10[3].Line, "AddObject()");
  EXPECT_EQ(recording.Named("MakePicture").size(), 20u); // frames 0 to 19

  // Every frame step removes first, the first one too.
  EXPECT_EQ(FrameStepAt(recording, 0)[1].Name, "RemoveObject");
  const std::vector<std::string> lines = recording.Lines();
  EXPECT_EQ(std::vector<std::string>(lines.end() - 4, lines.end()),
            (std::vector<std::string>{"GotoFrame(20)", "RemoveObject()", "GotoFrame(20)", "RemoveObject()"}));
}

TEST(FlashPic, MoveFromALaterFrameStartsAtItsOwnPlace)
{
  TPicRender card({{.Start = 30, .End = 40, .Effect = "Move", .X = 300, .W = 30}});
  const TRecording recording = card.Render();
  EXPECT_EQ(ArgumentOf(FrameStepAt(recording, 30), "MakePicture"), 6000);
  EXPECT_EQ(ArgumentOf(FrameStepAt(recording, 39), "MakePicture"), 20 * (300 - 18));
  EXPECT_EQ(Frames(recording).front(), 30);
}

TEST(FlashPic, PictureOfOneFrameBeforeTheCardsEndShowsNothing)
{
  TPicRender card({{.Start = 7, .End = 7}});
  EXPECT_EQ(card.Render().Lines(), (std::vector<std::string>{"GotoFrame(7)"}));
}

TEST(FlashPic, EffectsThatShowNothingOnlyGoToTheLastFrame)
{
  for (const std::string effect : {"Come In", "Come Out", "move", "Fade"}) {
    SCOPED_TRACE(effect);
    TPicRender card({{.Start = 0, .End = 30, .Effect = effect}});
    // Only the end of every picture, with nothing of its own to take away.
    EXPECT_EQ(card.Render().Lines(), (std::vector<std::string>{"GotoFrame(30)"}));
  }
}

TEST(FlashPic, LastFrameIsLeftAloneWhenTheCardEndsBeforeIt)
{
  TPicRender card({{.Start = 0, .End = 60}});
  card.Fixture.Ctx.CardTotalFrames = 50;
  EXPECT_EQ(card.Render().Lines(), (std::vector<std::string>{PictureLine(card.Fixture, 200, 400, 800, 1200, 30, 40),
                                                             "GotoFrame(0)", "AddObject()", "GotoFrame(61)",
                                                             "RemoveObject()"}));
}

TEST(FlashPic, EmptyContentRendersNothing)
{
  TPicFixture fixture(PicObjXml({.Content = ""}));
  TFlashPic renderer(fixture.Ctx);
  renderer.Render(0);
  EXPECT_TRUE(fixture.Builder.Recording.Calls.empty());
  EXPECT_TRUE(fixture.Messages.Shown.empty());
}

TEST(FlashPic, RefusedPictureIsLeftOutInsteadOfTheLastGoodOne)
{
  const std::vector<std::pair<std::string, std::string>> refusals = {
      {"large.bmp", "This picture width>800 or height>600!"},
      {"large.jpg", "The picture width>800 or height>600!"},
      {"damaged.jpg", "is not a readable JPEG picture"},
      {"missing.jpg", "Cannot open the picture file"},
      {"picture.gif", "is not a readable GIF picture"},
      {"words.png", "is not a picture of a kind Greetix reads"},
  };
  for (const auto& [file, message] : refusals) {
    SCOPED_TRACE(file);
    TPicRender card({{.Name = "Pic1"}, {.Name = "Pic2", .Content = "@" + file}});
    WriteBmp(card.Fixture.Scratch.File("large.bmp"), 801, 600);
    WriteJpeg(card.Fixture.Scratch.File("large.jpg"), 1024, 768);
    WriteWholeFile(card.Fixture.Scratch.File("damaged.jpg"),
                   ReadWholeFile(card.Fixture.Scratch.File("picture.jpg")).substr(0, 300));
    WriteWholeFile(card.Fixture.Scratch.File("picture.gif"), "GIF89a");
    WriteWholeFile(card.Fixture.Scratch.File("words.png"), "not a picture");

    ASSERT_EQ(card.Render(0).Named("MakePicture").size(), 1u); // Pic1 fills the work file
    EXPECT_TRUE(card.Render(1).Calls.empty());                 // Pic2 shows nothing, not Pic1's picture
    ASSERT_EQ(card.Fixture.Messages.Shown.size(), 1u);
    EXPECT_NE(card.Fixture.Messages.Shown[0].find(message), std::string::npos) << card.Fixture.Messages.Shown[0];
  }
}

TEST(FlashPic, PictureTheBuilderRefusesGivesTheMessageAndIsNotPlaced)
{
  TPicRender card({{.Effect = "Move"}});
  card.Fixture.Builder.Object.FailPictures = true;
  const TRecording recording = card.Render();
  EXPECT_TRUE(recording.Named("AddObject").empty());
  EXPECT_EQ(recording.Named("MakePicture").size(), 1u); // the first frame's, then it stops
  EXPECT_EQ(card.Fixture.Messages.Shown, std::vector<std::string>{Cannot});
}

TEST(FlashPic, RelativeContentIsFoundBesideTheProgram)
{
  TPicRender card({{.Content = "media/photo.jpg"}});
  std::filesystem::create_directory(card.Fixture.Scratch.File("media"));
  WriteJpeg(card.Fixture.Scratch.File("media/photo.jpg"), 30, 40);
  card.Fixture.Ctx.ProgramFolder = card.Fixture.Scratch.File("");
  EXPECT_EQ(card.Render().Named("MakePicture").size(), 1u);
  EXPECT_TRUE(card.Fixture.Messages.Shown.empty());
}

TEST(FlashPic, ShowInPanelFillsTheControlsAndTheThumbnail)
{
  TPicRender card({{.Start = 9, .End = 33, .Effect = "Move", .X = -5, .Y = 6, .W = 70, .H = 80}});
  TFlashPic picture(card.Fixture.Ctx);
  picture.LoadAndShow(0);
  const TFakePicturePanel& panel = card.Fixture.PicPanel;
  EXPECT_EQ(panel.UpdatingChanges, (std::vector<bool>{true, false}));
  EXPECT_EQ(panel.Shown, card.Fixture.Scratch.File("picture.jpg"));
  EXPECT_EQ((std::vector<int>{panel.X, panel.Y, panel.W, panel.H, panel.Begin, panel.End}),
            (std::vector<int>{-5, 6, 70, 80, 10, 34}));
  EXPECT_EQ(panel.Index, 1);

  // An effect the list does not hold selects "-- None --"; a picture that cannot be shown
  // clears the thumbnail rather than leaving the one shown before.
  picture.EffectName = "Come In";
  picture.Content = card.Fixture.Scratch.File("missing.jpg");
  picture.ShowInPanel();
  EXPECT_EQ(panel.Index, 0);
  EXPECT_EQ(panel.Shown, "");
}

TEST(FlashPic, ReadAndStoreWritesTheSelectedPictureOnly)
{
  TPicFixture fixture(TextObjXml({.Name = "Text1"}) + PicObjXml({.Name = "Pic1", .Content = "a.jpg"}) +
                      PicObjXml({.Name = "Pic2", .Content = "b.jpg"}));
  TFlashPic picture(fixture.Ctx);
  picture.LoadFromDocument(2);
  fixture.Library.Selected = "Pic2";
  fixture.PicPanel.X = 11;
  fixture.PicPanel.Y = 12;
  fixture.PicPanel.W = 13;
  fixture.PicPanel.H = 14;
  fixture.PicPanel.Begin = 11;
  fixture.PicPanel.End = 35;
  fixture.PicPanel.Index = 1;
  picture.ReadAndStore();

  TFlashPic stored(fixture.Ctx);
  fixture.LoadCard(ReadWholeFile(fixture.CardFile()));
  stored.LoadFromDocument(2);
  EXPECT_EQ(stored.Content, "b.jpg"); // not read from the panel
  EXPECT_EQ((std::vector<int>{stored.PositionX, stored.PositionY, stored.Width, stored.Height, stored.StartTime,
                              stored.EndTime, stored.Layer}),
            (std::vector<int>{11, 12, 13, 14, 10, 34, 2}));
  EXPECT_EQ(stored.EffectName, "Move");
  stored.LoadFromDocument(1);
  EXPECT_EQ(stored.PositionX, 10);
}

TEST(FlashPic, StoreFindsNoSelectedPictureAndWritesNothing)
{
  TPicFixture fixture(TextObjXml({.Name = "Pic1"}));
  const std::string before = ReadWholeFile(fixture.CardFile());
  TFlashPic picture(fixture.Ctx);
  picture.Content = "x.jpg";
  picture.StoreInDocument(); // no node selected: nothing written, nothing saved
  EXPECT_EQ(ReadWholeFile(fixture.CardFile()), before);

  fixture.Library.Selected = "Pic1"; // a text bears the name: saved, but not written
  picture.StoreInDocument();
  EXPECT_EQ(ReadWholeFile(fixture.CardFile()).find("x.jpg"), std::string::npos);
}

TEST(FlashPic, PanelOffersNoneAndMove)
{
  EXPECT_EQ(TPicEffects::OfferedNames(), (std::vector<std::string>{"-- None --", "Move"}));
  for (const char* name : {"-- None --", "Come In", "Come Out", "Move"}) EXPECT_NE(TPicEffects::Find(name), nullptr);
  EXPECT_EQ(TPicEffects::Find("move"), nullptr);
}

} // namespace
