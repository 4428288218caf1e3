// The sound object: its defaults, its binding to the card document and the sound panel, and
// the frame at which the render attaches it.
#include <gtest/gtest.h>

#include "RenderFixture.h"
#include "render/FlashObjRegistry.h"
#include "render/FlashSound.h"
#include "render/FlashText.h"
#include "render/SoundPanel.h"

namespace {

std::string SoundObjXml(const std::string& name, const std::string& content)
{
  return "<Obj><ObjName>" + name + "</ObjName><StartTime>0</StartTime><EndTime>1</EndTime><Layer>2</Layer>"
         "<ObjTypeName>Sound</ObjTypeName><ObjType><ObjSound><Content>" + Escape(content) +
         "</Content></ObjSound></ObjType></Obj>";
}

struct TFakeSoundPanel : ISoundPanel {
  std::string Text;
  std::vector<bool> UpdatingChanges;
  std::vector<bool> UpdatingWhenSet;
  bool Updating = false;
  void SetUpdating(bool updating) override
  {
    Updating = updating;
    UpdatingChanges.push_back(updating);
  }
  std::string Content() const override { return Text; }
  void SetContent(const std::string& fileName) override
  {
    UpdatingWhenSet.push_back(Updating);
    Text = fileName;
  }
};

struct TCollectedMessages : IUserMessages {
  std::vector<std::string> Shown;
  void ShowError(const std::string& text) override { Shown.push_back(text); }
};

// A builder whose sounds are refused, as the real one refuses a missing or stereo file.
class TRefusingObject : public TRecordingObject {
public:
  using TRecordingObject::TRecordingObject;
  void MakeSound(const std::string& wavePath) override
  {
    TRecordingObject::MakeSound(wavePath);
    throw std::runtime_error("not 16-bit mono");
  }
};

// Renders every object of the card in document order, as the card does.
TRecording RenderCard(TRenderFixture& fixture)
{
  TFlashText text(fixture.Ctx);
  TFlashSound sound(fixture.Ctx);
  TXMLObjList objects = fixture.Ctx.Movie().Obj();
  fixture.Builder.Movie.GotoFrame(0); // the stage set-up ends at frame 0
  for (int i = 0; i < objects.Count(); ++i) {
    const std::string kind = objects.Item(i).ObjTypeName();
    if (kind == "Text") text.Render(i);
    if (kind == "Sound") sound.Render(i);
  }
  return fixture.Builder.Recording;
}

} // namespace

TEST(FlashSound, AddNewAppendsTheDefaultsInOrderAndSelectsTheNewNode)
{
  TRenderFixture fixture(SoundObjXml("Sound1", "a.wav") + TextObjXml(TTextSpec{}));
  fixture.Preview.Current = 10; // a sound starts at frame 0 wherever the preview stands
  // The card and the library make sound objects by their kind.
  std::unique_ptr<TFlashObj> sound = TFlashObjRegistry::Create("Sound", fixture.Ctx);
  ASSERT_NE(dynamic_cast<TFlashSound*>(sound.get()), nullptr);
  EXPECT_EQ(sound->ObjTypeName, "Sound");
  sound->AddNew();
  EXPECT_EQ(fixture.Library.Nodes, (std::vector<std::string>{"Sound2"}));
  EXPECT_EQ(fixture.Library.SelectLastCalls, 1);
  const std::string saved = ReadWholeFile(fixture.CardFile());
  const std::string expected = "<Obj><ObjName>Sound2</ObjName><StartTime>0</StartTime><EndTime>1</EndTime>"
                               "<Layer>2</Layer><ObjTypeName>Sound</ObjTypeName><ObjType><ObjSound>"
                               "<Content/></ObjSound></ObjType></Obj></Movie>";
  EXPECT_NE(saved.find(expected), std::string::npos) << saved;
}

TEST(FlashSound, DocumentAndPanelBinding)
{
  TRenderFixture fixture(SoundObjXml("Sound1", "/music/a.mp3") + SoundObjXml("Sound2", "/music/b.wav") +
                         TextObjXml(TTextSpec{}));
  TFakeSoundPanel panel;
  fixture.Ctx.SoundPanel = &panel;

  TFlashSound sound(fixture.Ctx);
  sound.StartTime = 7;
  sound.LoadAndShow(1);
  EXPECT_EQ(sound.Content, "/music/b.wav");
  EXPECT_EQ(sound.StartTime, 7); // only Content is loaded
  EXPECT_EQ(panel.Text, "/music/b.wav");
  EXPECT_EQ(panel.UpdatingWhenSet, (std::vector<bool>{true}));
  EXPECT_EQ(panel.UpdatingChanges, (std::vector<bool>{true, false}));

  // The walk writes the object named by the selected node; without a selection nothing
  // is written or saved.
  panel.Text = "/other/c.mp3";
  const std::string before = ReadWholeFile(fixture.CardFile());
  sound.ReadAndStore();
  EXPECT_EQ(sound.Content, "/other/c.mp3");
  EXPECT_EQ(ReadWholeFile(fixture.CardFile()), before);

  fixture.Library.Selected = "Sound2";
  sound.ReadAndStore();
  TRenderFixture reread;
  reread.LoadCard(ReadWholeFile(fixture.CardFile()));
  EXPECT_EQ(reread.Ctx.Movie().Obj().Item(0).ObjType().ObjSound().Content(), "/music/a.mp3");
  EXPECT_EQ(reread.Ctx.Movie().Obj().Item(1).ObjType().ObjSound().Content(), "/other/c.mp3");

  // A selected node of another kind: nothing written.
  fixture.Library.Selected = "Text1";
  sound.Content = "/elsewhere.wav";
  sound.StoreInDocument();
  EXPECT_EQ(ReadWholeFile(fixture.CardFile()).find("elsewhere"), std::string::npos);

  // Without a panel the binding to it is an error, not a crash.
  fixture.Ctx.SoundPanel = nullptr;
  EXPECT_THROW(sound.ShowInPanel(), std::logic_error);
}

TEST(FlashSound, RenderAttachesTheConvertedFileWhereTheRenderStands)
{
  // First object: frame 0. After a text from 0 to 23 in a longer movie: frame 24, where the
  // text's Finish went. Two sounds in a row: the same frame.
  TTextSpec text;
  text.End = 23;
  TRenderFixture fixture(SoundObjXml("Sound1", "/m/song.mp3") + TextObjXml(text) +
                         SoundObjXml("Sound2", "/m/a.wav") + SoundObjXml("Sound3", "/m/b.wav"));
  fixture.Preview.Total = 100;
  const TRecording recording = RenderCard(fixture);
  const std::vector<std::string> lines = recording.Lines();
  ASSERT_GE(lines.size(), 4u);
  EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 3),
            (std::vector<std::string>{"GotoFrame(0)", "MakeSound(/m/song.mp3_tmp.wav)", "AddObject()"}));
  const std::vector<std::string> tail(lines.end() - 6, lines.end());
  EXPECT_EQ(tail, (std::vector<std::string>{"GotoFrame(24)", "RemoveObject()", "MakeSound(/m/a.wav_tmp.wav)",
                                            "AddObject()", "MakeSound(/m/b.wav_tmp.wav)", "AddObject()"}));
  // The sound itself moves to no frame and takes nothing away.
  std::vector<double> frames;
  for (const auto& call : recording.Named("GotoFrame")) frames.push_back(call.Numbers[0]);
  EXPECT_EQ(frames, (std::vector<double>{0, 0, 24})); // the set-up's, the text's and its Finish
}

TEST(FlashSound, RenderOfEmptyMissingAndRefusedSounds)
{
  TRenderFixture fixture(SoundObjXml("Sound1", "") + SoundObjXml("Sound2", "library/jingle.wav") +
                         SoundObjXml("Sound3", "/m/stereo.wav") + SoundObjXml("Sound4", "/m/next.wav"));
  TCollectedMessages messages;
  fixture.Ctx.Messages = &messages;
  fixture.Ctx.ProgramFolder = "/opt/greetix";
  TRecording log;
  TRefusingObject refusing(log);
  fixture.Ctx.SwfObject = &refusing;
  TFlashSound sound(fixture.Ctx);

  // No file: nothing rendered, nothing said.
  sound.Render(0);
  EXPECT_TRUE(log.Calls.empty());
  EXPECT_TRUE(messages.Shown.empty());

  // A card's relative path is taken from the program folder. A refused file is reported
  // and the render goes on.
  sound.Render(1);
  sound.Render(2);
  EXPECT_EQ(log.Lines(), (std::vector<std::string>{"MakeSound(/opt/greetix/library/jingle.wav_tmp.wav)",
                                                   "MakeSound(/m/stereo.wav_tmp.wav)"}));
  EXPECT_EQ(messages.Shown, (std::vector<std::string>(2, "Please select a sound file with 16Bits mono format!")));
  EXPECT_TRUE(fixture.Builder.Recording.Named("AddObject").empty());

  // Without a message box the message goes to the error stream.
  fixture.Ctx.Messages = nullptr;
  testing::internal::CaptureStderr();
  sound.Render(3);
  EXPECT_NE(testing::internal::GetCapturedStderr().find("16Bits mono"), std::string::npos);

  // A bad index is the document's error and leaves the render.
  EXPECT_THROW(sound.Render(9), std::exception);
}
