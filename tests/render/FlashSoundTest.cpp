// The sound object: its defaults, its binding to the card document and the sound panel, and
// the frame at which the render attaches it.
#include <filesystem>

#include <gtest/gtest.h>

#include "RenderFixture.h"
#include "render/FlashObjRegistry.h"
#include "render/FlashSound.h"
#include "render/FlashText.h"
#include "render/SoundPanel.h"

namespace {

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

TEST(FlashSound, RenderStartsEachSoundAtItsOwnStartTime)
{
  // Wherever the objects before it left the movie: a sound chosen last after a text that ran
  // to frame 23 still starts at frame 0, one set to start at 12 at frame 12. One set past the
  // movie's end starts on its last frame rather than making the movie longer.
  TScratchFolder media;
  for (const char* name : {"song.mp3", "a.wav", "b.wav", "c.wav"}) {
    WriteWholeFile(media.File(name), "sound");
    WriteWholeFile(media.File(std::string(name) + "_tmp.wav"), "wave");
  }
  TTextSpec text;
  text.End = 23;
  TRenderFixture fixture(SoundObjXml("Sound1", media.File("song.mp3")) + TextObjXml(text) +
                         SoundObjXml("Sound2", media.File("a.wav")) + SoundObjXml("Sound3", media.File("b.wav"), 12) +
                         SoundObjXml("Sound4", media.File("c.wav"), 500));
  fixture.Ctx.CardTotalFrames = 100;
  const TRecording recording = RenderCard(fixture);
  std::vector<std::string> soundFrames;
  std::string frame;
  for (const std::string& line : recording.Lines()) {
    if (line.rfind("GotoFrame(", 0) == 0) frame = line;
    if (line.rfind("MakeSound(", 0) == 0) soundFrames.push_back(frame + " " + line.substr(line.rfind('/') + 1));
  }
  EXPECT_EQ(soundFrames, (std::vector<std::string>{"GotoFrame(0) song.mp3_tmp.wav)", "GotoFrame(0) a.wav_tmp.wav)",
                                                   "GotoFrame(12) b.wav_tmp.wav)", "GotoFrame(99) c.wav_tmp.wav)"}));
}

TEST(FlashSound, RenderOfEmptyMissingAndRefusedSounds)
{
  TScratchFolder program;
  std::filesystem::create_directories(program.File("library"));
  for (const char* name : {"library/jingle.wav", "library/jingle.wav_tmp.wav", "stereo.wav", "stereo.wav_tmp.wav",
                           "next.wav", "next.wav_tmp.wav", "unconverted.wav"})
    WriteWholeFile(program.File(name), "bytes");
  TRenderFixture fixture(SoundObjXml("Sound1", "") + SoundObjXml("Sound2", "library/jingle.wav") +
                         SoundObjXml("Sound3", program.File("stereo.wav")) + SoundObjXml("Sound4", program.File("next.wav")) +
                         SoundObjXml("Sound5", program.File("gone.wav")) +
                         SoundObjXml("Sound6", program.File("unconverted.wav")));
  TCollectedMessages messages;
  fixture.Ctx.Messages = &messages;
  fixture.Ctx.ProgramFolder = program.File("");
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
  EXPECT_EQ(log.Lines(), (std::vector<std::string>{"MakeSound(" + program.File("library/jingle.wav_tmp.wav") + ")",
                                                   "MakeSound(" + program.File("stereo.wav_tmp.wav") + ")"}));
  EXPECT_EQ(messages.Shown, (std::vector<std::string>(2, "Please select a sound file with 16Bits mono format!")));
  EXPECT_TRUE(fixture.Builder.Recording.Named("AddObject").empty());

  // A missing sound, or one never converted, is reported as missing: the builder is not
  // asked, and no word of a wrong format.
  messages.Shown.clear();
  log.Calls.clear();
  sound.Render(4);
  sound.Render(5);
  EXPECT_TRUE(log.Calls.empty());
  EXPECT_EQ(messages.Shown,
            (std::vector<std::string>{"The sound file " + program.File("gone.wav") + " is missing.",
                                      "The converted sound " + program.File("unconverted.wav_tmp.wav") +
                                          " is missing: choose " + program.File("unconverted.wav") +
                                          " again in the sound panel."}));

  // Without a message box the message goes to the error stream.
  fixture.Ctx.Messages = nullptr;
  testing::internal::CaptureStderr();
  sound.Render(3);
  EXPECT_NE(testing::internal::GetCapturedStderr().find("16Bits mono"), std::string::npos);

  // A bad index is the document's error and leaves the render.
  EXPECT_THROW(sound.Render(9), std::exception);
}
