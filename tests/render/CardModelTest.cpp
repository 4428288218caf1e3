// The card model: modes, the movie settings in the document and the panels, the render of
// the stage, background and objects, the preview reload and the header reading.
#include <gtest/gtest.h>

#include <algorithm>

#include "FakeCardHost.h"
#include "RenderFixture.h"
#include "card/FlashCard.h"
#include "render/PictureExaminer.h"
#include "swf/reader/TestMovies.h"

namespace {

std::string Settings(const std::string& bgColor = "16711680", const std::string& loop = "false",
                     const std::string& bgPic = "", int width = 420, int height = 180)
{
  return "<BgColor>" + bgColor + "</BgColor><BgPic>" + bgPic + "</BgPic><Width>" + std::to_string(width) +
         "</Width><Height>" + std::to_string(height) +
         "</Height><Rate>12</Rate><TotalFrames>40</TotalFrames><Times>3</Times><FileSize>0</FileSize>"
         "<MovieName>m</MovieName><Author>a</Author><Loop>" + loop + "</Loop>";
}

TTextSpec FadeText(const std::string& name, int start, int end, const std::string& kind = "Text")
{
  TTextSpec spec;
  spec.Name = name;
  spec.Start = start;
  spec.End = end;
  spec.Effect = "Fade";
  spec.Kind = kind;
  return spec;
}

struct TFakeExaminer : IPictureExaminer {
  std::string File;
  std::string Work = "/tmp/work.jpg";
  int PictureWidth = 101, PictureHeight = 60;
  bool Accept = true;
  bool Throw = false;
  void SetPictureFile(const std::string& path) override { File = path; }
  bool Examine() override
  {
    if (Throw) throw std::runtime_error("cannot read the picture");
    return Accept;
  }
  std::string WorkFile() const override { return Work; }
  int Width() const override { return PictureWidth; }
  int Height() const override { return PictureHeight; }
};

struct TCollectedMessages : IUserMessages {
  std::vector<std::string> Shown;
  void ShowError(const std::string& text) override { Shown.push_back(text); }
};

class TCardFixture {
public:
  explicit TCardFixture(const std::string& movieXml)
  {
    Ctx.SwfMovie = &Builder.Movie;
    Ctx.SwfObject = &Builder.Object;
    Ctx.SwfAction = &Builder.Action;
    Ctx.Preview = &Host;
    Ctx.Messages = &Messages;
    Ctx.Random = TRandomSource(1);
    WriteWholeFile(Source(), movieXml);
    Card.SourceProject = Source();
  }

  std::string Source() const { return Scratch.File("source.grx"); }
  // Enters Edit mode (which renders once) and forgets the calls made so far.
  void Edit()
  {
    Card.SetMode("Edit");
    Builder.Recording.Clear();
    Host.Calls.clear();
  }

  TScratchFolder Scratch;
  TRecordingBuilder Builder;
  TFakeCardHost Host;
  TCollectedMessages Messages;
  TRenderContext Ctx;
  TFlashCard Card{Host, Ctx, Scratch.File("Untitled")};
};

std::vector<std::string> Without(std::vector<std::string> lines, const std::string& prefix)
{
  lines.erase(std::remove_if(lines.begin(), lines.end(), [&](const std::string& line) { return line.rfind(prefix, 0) == 0; }),
              lines.end());
  return lines;
}

} // namespace

TEST(CardModel, StartsWithTheDefaults)
{
  TCardFixture fixture(MovieXml(""));
  const TFlashCard& card = fixture.Card;
  EXPECT_EQ(card.Width, 420);
  EXPECT_EQ(card.Height, 180);
  EXPECT_EQ(card.Rate, 15);
  EXPECT_FALSE(card.Loop());
  EXPECT_EQ(card.Mode(), "");
  EXPECT_EQ(card.CardPath, fixture.Scratch.File("Untitled"));
  EXPECT_EQ(card.WorkProjectFile(), fixture.Scratch.File("Untitled.grx"));
  EXPECT_EQ(card.WorkSwfFile, fixture.Scratch.File("Untitled.swf"));
}

TEST(CardModel, EditModeCopiesTheSourceLoadsTheDocumentAndRenders)
{
  TCardFixture fixture(MovieXml(TextObjXml(FadeText("Text1", 0, 2)), Settings("$FF", "True")));
  fixture.Card.SetMode("Edit");
  const std::vector<std::string> expectedStart = {
      "FreeToolWindows", "CreateToolWindows", "EnablePlayControls", "EnableEditControls", "ShowLoopState(true)",
      "RebuildLibrary", "ShowLoopState(true)", "SetBackgroundPanelFields while updating",
      "ShowLibraryAndBackgroundPanel"};
  const auto& calls = fixture.Host.Calls;
  ASSERT_GE(calls.size(), expectedStart.size());
  EXPECT_EQ(std::vector<std::string>(calls.begin(), calls.begin() + expectedStart.size()), expectedStart);
  EXPECT_EQ(calls.back(), "ShowPreviewArea(true)");
  EXPECT_EQ(fixture.Host.DocumentFile, fixture.Card.WorkProjectFile());
  EXPECT_EQ(ReadWholeFile(fixture.Card.WorkProjectFile()).substr(0, 20), ReadWholeFile(fixture.Source()).substr(0, 20));
  EXPECT_EQ(fixture.Card.BgColor, 255u);
  EXPECT_TRUE(fixture.Card.Loop());
  EXPECT_TRUE(fixture.Host.StoredLoop);
  EXPECT_EQ(fixture.Card.Rate, 12);
  EXPECT_EQ(fixture.Card.TotalFrames, 40);
  EXPECT_NE(fixture.Ctx.EditingObject("Text"), nullptr);
  // The render wrote the working movie, and the preview shows it.
  EXPECT_EQ(fixture.Host.Movie, fixture.Card.WorkSwfFile);
  EXPECT_EQ(fixture.Host.Total, 3);

  // A second entry reloads the document from the working project file.
  WriteWholeFile(fixture.Card.WorkProjectFile(), MovieXml("", Settings("0", "false", "", 640, 480)));
  fixture.Card.SourceProject.clear();
  fixture.Card.SetMode("Edit");
  EXPECT_EQ(fixture.Card.Width, 640);
  EXPECT_EQ(fixture.Host.Rebuilds, 2);
}

TEST(CardModel, PlayAndCloseFreeTheToolWindows)
{
  TCardFixture fixture(MovieXml(""));
  fixture.Edit();
  fixture.Card.BgColor = 0x00FF00;
  fixture.Card.SetMode("Close");
  EXPECT_EQ(fixture.Host.Calls,
            (std::vector<std::string>{"SetPreviewBackgroundColor(65280)", "SetPreviewMovie(http://)", "FreeToolWindows",
                                      "DisablePlayControls", "DisableEditControls", "ShowLoopState(false)",
                                      "ShowPreviewArea(false)"}));
  EXPECT_FALSE(fixture.Ctx.XMLMovie.has_value());
  EXPECT_EQ(fixture.Ctx.Document, nullptr);
  fixture.Host.Calls.clear();
  fixture.Card.SetMode("Play");
  EXPECT_EQ(fixture.Host.Calls,
            (std::vector<std::string>{"SetPreviewBackgroundColor(65280)", "SetPreviewMovie(http://)", "FreeToolWindows",
                                      "DisableEditControls", "EnablePlayControls", "ShowLoopState(false)",
                                      "ShowPreviewArea(true)"}));
  fixture.Host.Calls.clear();
  fixture.Card.SetMode("Sleep");
  EXPECT_TRUE(fixture.Host.Calls.empty());
  EXPECT_EQ(fixture.Card.Mode(), "Sleep");
}

TEST(CardModel, DocumentFieldsAndPanels)
{
  TCardFixture fixture(MovieXml("", Settings("abc", "yes")));
  fixture.Edit();
  EXPECT_EQ(fixture.Card.BgColor, 0u); // not a number: black
  EXPECT_FALSE(fixture.Card.Loop());

  fixture.Host.Panel = {0xFF0000, 300, 200, 24};
  fixture.Host.StoredLoop = true;
  fixture.Card.ReadAndStore();
  EXPECT_EQ(fixture.Card.TotalFrames, fixture.Host.Total); // from the preview's movie
  const std::string saved = ReadWholeFile(fixture.Card.WorkProjectFile());
  for (const char* element : {"<BgColor>16711680</BgColor>", "<Width>300</Width>", "<Height>200</Height>",
                              "<Rate>24</Rate>", "<Loop>true</Loop>", "<Times>3</Times>", "<Author>a</Author>"})
    EXPECT_NE(saved.find(element), std::string::npos) << element;

  // Without a movie in the preview the frame count stays.
  fixture.Host.Movie = "http://";
  fixture.Host.Total = 99;
  fixture.Card.TotalFrames = 5;
  fixture.Card.ReadFromPanels();
  EXPECT_EQ(fixture.Card.TotalFrames, 5);

  fixture.Card.Width = 111;
  fixture.Card.SetLoop(false);
  fixture.Card.ShowInPanels();
  EXPECT_EQ(fixture.Host.Panel.Width, 111);
  EXPECT_FALSE(fixture.Host.StoredLoop);
  EXPECT_FALSE(fixture.Host.PanelUpdating);
}

TEST(CardModel, BuildMovieRendersTheStageThenTheObjectsAndWritesTheWorkingMovie)
{
  TCardFixture fixture(MovieXml(TextObjXml(FadeText("Text1", 0, 1)) + TextObjXml(FadeText("Lower", 0, 1, "text")),
                                Settings("$336699")));
  fixture.Edit();
  fixture.Host.Total = 10;
  fixture.Card.BuildMovie("", "");
  const std::vector<std::string> expected = {
      "SetSize(8400,3600)", "SetFrameRate(12)", "GotoFrame(0)", "SetFrameBkColor(153,102,51)",
      "MakeTextSimple(DejaVu Sans,Hi,1000,1100,504)",
      "GotoFrame(0)", "RemoveObject()", "SetSolidFill(0,0,255,127.5)", "AddObject()",
      "GotoFrame(1)", "RemoveObject()", "SetSolidFill(0,0,255,255)", "AddObject()",
      "GotoFrame(2)", "RemoveObject()",
      // The lower-case kind is not rendered; no stop action without scope "All".
      "WriteMovie(" + fixture.Card.WorkSwfFile + ")"};
  EXPECT_EQ(fixture.Builder.Recording.Lines(), expected);
}

TEST(CardModel, StopActionOnlyWithScopeAllAndLoopingOff)
{
  TCardFixture fixture(MovieXml(TextObjXml(FadeText("Text1", 0, 1))));
  fixture.Edit();
  fixture.Host.Total = 30; // the movie the preview shows
  const std::string exported = fixture.Scratch.File("export.swf");
  fixture.Card.BuildMovie("All", exported);
  auto lines = fixture.Builder.Recording.Lines();
  ASSERT_GE(lines.size(), 4u);
  EXPECT_EQ(std::vector<std::string>(lines.end() - 4, lines.end()),
            (std::vector<std::string>{"GotoFrame(30)", "MakeActionStop()", "AddAction()", "WriteMovie(" + exported + ")"}));
  // The preview goes on showing the working movie.
  EXPECT_EQ(fixture.Host.Movie, fixture.Card.WorkSwfFile);

  for (const auto& [scope, loop] : std::vector<std::pair<std::string, bool>>{{"Preview", false}, {"", false}, {"All", true}}) {
    fixture.Builder.Recording.Clear();
    fixture.Card.SetLoop(loop);
    fixture.Card.BuildMovie(scope, "");
    EXPECT_TRUE(fixture.Builder.Recording.Named("AddAction").empty()) << scope << loop;
  }
}

TEST(CardModel, BuildMovieKeepsTheFrameAndResumesPlaying)
{
  TCardFixture fixture(MovieXml(TextObjXml(FadeText("Text1", 0, 30))));
  fixture.Edit();
  fixture.Host.Frame = 7;
  fixture.Host.Playing = true;
  fixture.Card.BuildMovie("", "");
  EXPECT_EQ(fixture.Card.SavedFrame, 7);
  EXPECT_EQ(fixture.Host.Frame, 7);
  EXPECT_TRUE(fixture.Host.Playing);
  EXPECT_TRUE(fixture.Host.PlayingFlagValue);
  const auto& calls = fixture.Host.Calls;
  EXPECT_NE(std::find(calls.begin(), calls.end(), "PreviewPlay"), calls.end());
  EXPECT_NE(std::find(calls.begin(), calls.end(), "SetSliderMax(30)"), calls.end());
}

TEST(CardModel, AnObjectThatFailsIsReportedByNameAndTheOthersArePlaced)
{
  TTextSpec broken = FadeText("Text2", 0, 1);
  broken.Colour = "blue"; // not a number: the renderer fails
  TCardFixture fixture(
      MovieXml(TextObjXml(FadeText("Text1", 0, 1)) + TextObjXml(broken) + TextObjXml(FadeText("Text3", 0, 1))));
  fixture.Edit();
  fixture.Messages.Shown.clear();
  fixture.Card.BuildMovie("All", "");
  EXPECT_EQ(fixture.Builder.Recording.Named("MakeTextSimple").size(), 2u);
  ASSERT_EQ(fixture.Messages.Shown.size(), 1u);
  EXPECT_EQ(fixture.Messages.Shown[0].rfind("\"Text2\" is left out of the movie: ", 0), 0u) << fixture.Messages.Shown[0];
  EXPECT_EQ(fixture.Builder.Recording.Lines().back(), "WriteMovie(" + fixture.Card.WorkSwfFile + ")");

  // An error from WriteMovie reaches the caller.
  fixture.Builder.Movie.FailWrite = true;
  EXPECT_THROW(fixture.Card.BuildMovie("", ""), std::runtime_error);
}

TEST(CardModel, OneBudgetServesAllObjectsOfARenderAndEachRenderAfresh)
{
  // 25 frame steps may be taken: two texts of ten frames fit, the third does not, and the
  // one-step text after it still does. The next render has the whole budget again.
  std::string objects;
  for (const char* name : {"Text1", "Text2", "Text3"}) objects += TextObjXml(FadeText(name, 0, 9));
  TTextSpec still = FadeText("Text4", 0, 9);
  still.Effect = "-- None --";
  objects += TextObjXml(still);
  TCardFixture fixture(MovieXml(objects));
  fixture.Ctx.Budget = TRenderBudget({.FrameSteps = 25});
  fixture.Edit();
  for (int render = 0; render < 2; ++render) {
    fixture.Builder.Recording.Clear();
    fixture.Messages.Shown.clear();
    fixture.Card.BuildMovie("", "");
    EXPECT_EQ(fixture.Builder.Recording.Named("MakeTextSimple").size(), 3u);
    ASSERT_EQ(fixture.Messages.Shown.size(), 1u);
    EXPECT_EQ(fixture.Messages.Shown[0].rfind("\"Text3\" is left out of the movie: it needs 10 frame steps", 0), 0u)
        << fixture.Messages.Shown[0];
  }
}

TEST(CardModel, BackgroundPictureIsCentredRoundingHalfToEven)
{
  TCardFixture fixture(MovieXml(TextObjXml(FadeText("Text1", 0, 0)), Settings("0", "false", "pictures/bg.jpg")));
  auto examiner = std::make_unique<TFakeExaminer>();
  TFakeExaminer& fake = *examiner;
  fixture.Ctx.SharedExaminer = std::move(examiner);
  fixture.Ctx.ProgramFolder = "/opt/greetix";
  fixture.Edit();
  fixture.Card.BuildMovie("", "");
  auto lines = fixture.Builder.Recording.Lines();
  // 420 - 101 = 319: x = 159.5 -> 160; y = 60.
  EXPECT_EQ(lines[4], "MakePicture(3200,1200,5220,2400,101,60,/tmp/work.jpg)");
  EXPECT_EQ(lines[5], "AddObject()");
  EXPECT_EQ(lines[6].rfind("MakeTextSimple", 0), 0u);
  EXPECT_EQ(fake.File, "/opt/greetix/pictures/bg.jpg");
  EXPECT_EQ(fixture.Card.PreparedBgFile, "/tmp/work.jpg");

  // Larger than the stage: at the top left corner.
  fake.PictureWidth = 500;
  fake.PictureHeight = 300;
  fixture.Builder.Recording.Clear();
  fixture.Card.BuildMovie("", "");
  EXPECT_EQ(fixture.Builder.Recording.Lines()[4], "MakePicture(0,0,10000,6000,500,300,/tmp/work.jpg)");

  // Refused: no background (the work file may hold another picture by now), the objects
  // are still rendered.
  fake.Accept = false;
  fake.Work = "/tmp/other.jpg";
  fixture.Builder.Recording.Clear();
  fixture.Card.BuildMovie("", "");
  EXPECT_TRUE(fixture.Builder.Recording.Named("MakePicture").empty());
  EXPECT_EQ(fixture.Builder.Recording.Named("MakeTextSimple").size(), 1u);

  // Unreadable: its message, and the objects are still rendered.
  fake.Throw = true;
  fixture.Builder.Recording.Clear();
  fixture.Card.BuildMovie("", "");
  EXPECT_EQ(fixture.Messages.Shown, (std::vector<std::string>{"cannot read the picture"}));
  EXPECT_EQ(fixture.Builder.Recording.Named("MakeTextSimple").size(), 1u);

  // The builder refuses it: the fixed message, and the objects are still rendered.
  fake.Throw = false;
  fake.Accept = true;
  fixture.Builder.Object.FailPictures = true;
  fixture.Builder.Recording.Clear();
  fixture.Card.BuildMovie("", "");
  EXPECT_EQ(fixture.Messages.Shown.back(), "Sorry, can not use the picture!");
  EXPECT_EQ(fixture.Builder.Recording.Named("MakeTextSimple").size(), 1u);
}

TEST(CardModel, ReloadPreviewFitsTheWindowToTheMovie)
{
  TCardFixture fixture(MovieXml("", Settings("0", "false", "", 300, 200)));
  fixture.Edit();
  EXPECT_EQ(fixture.Host.ClientWidth, 195 + 380);
  EXPECT_EQ(fixture.Host.ClientHeight, 83 + 330);
  EXPECT_EQ(fixture.Host.AreaWidth, 380);
  EXPECT_EQ(fixture.Host.AreaHeight, 330);
  fixture.Card.Width = 640;
  fixture.Card.Height = 480;
  fixture.Card.BuildMovie("", "");
  EXPECT_EQ(fixture.Host.ClientWidth, 640 + 195);
  EXPECT_EQ(fixture.Host.ClientHeight, 480 + 83 + 18);
  const auto fit = Without(Without(fixture.Host.Calls, "SetPreview"), "SetSlider");
  EXPECT_FALSE(fixture.Host.Fitting);
  EXPECT_NE(std::find(fit.begin(), fit.end(), "SetWindowFitting(true)"), fit.end());

  // A working movie that cannot be read: the error reaches the caller, the flag is cleared.
  std::filesystem::remove(fixture.Card.WorkSwfFile);
  EXPECT_THROW(fixture.Card.ReloadPreview("Size"), std::runtime_error);
  EXPECT_FALSE(fixture.Host.Fitting);
  EXPECT_NO_THROW(fixture.Card.ReloadPreview(""));
}

TEST(CardModel, StageSizeFromTheMovieHeader)
{
  TScratchFolder scratch;
  TRecording recording;
  TRecordingMovie movie(recording);
  const std::string file = scratch.File("stage.swf");
  movie.SetSize(8400, 3600);
  movie.WriteMovie(file);
  EXPECT_EQ(TFlashCard::SwfStageWidth(file), 420);
  EXPECT_EQ(TFlashCard::SwfStageHeight(file), 180);
  movie.SetSize(8419, 3619);
  movie.WriteMovie(file);
  EXPECT_EQ(TFlashCard::SwfStageWidth(file), 420); // the remainder is dropped
  EXPECT_EQ(TFlashCard::SwfStageHeight(file), 180);

  // n = 15, as a 420 x 180 movie made by other tools: 0x78 then Xmin 0, Xmax 8400 ...
  std::string header = "FWS\x08" + std::string(4, '\0');
  const unsigned char rect[] = {0x78, 0x00, 0x04, 0x1A, 0x00, 0x00, 0x07, 0x08, 0x00};
  header.append(reinterpret_cast<const char*>(rect), sizeof rect);
  header += std::string(8, '\0');
  WriteWholeFile(file, header);
  EXPECT_EQ(TFlashCard::SwfStageWidth(file), 420);
  EXPECT_EQ(TFlashCard::SwfStageHeight(file), 180);

  WriteWholeFile(file, header.substr(0, 24));
  EXPECT_THROW(TFlashCard::SwfStageWidth(file), std::runtime_error);
  EXPECT_THROW(TFlashCard::SwfStageWidth(scratch.File("missing.swf")), std::runtime_error);
}

TEST(CardModel, StageSizeOfACompressedMovie)
{
  TScratchFolder scratch;
  TRecording recording;
  TRecordingMovie movie(recording);
  const std::string plain = scratch.File("plain.swf");
  movie.SetSize(8400, 3600);
  movie.WriteMovie(plain);
  const std::string bytes = ReadWholeFile(plain);
  const std::vector<std::uint8_t> fws(bytes.begin(), bytes.end());
  for (const auto& packed : {swf::test::ToCws(fws), swf::test::ToZws(fws)}) {
    SCOPED_TRACE(std::string(1, char(packed[0])));
    const std::string file = scratch.File("packed.swf");
    WriteWholeFile(file, std::string(packed.begin(), packed.end()));
    EXPECT_EQ(TFlashCard::SwfStageWidth(file), 420);
    EXPECT_EQ(TFlashCard::SwfStageHeight(file), 180);
    // Cut inside its compressed header it cannot tell.
    WriteWholeFile(file, std::string(packed.begin(), packed.begin() + 10));
    EXPECT_THROW(TFlashCard::SwfStageWidth(file), std::runtime_error);
  }
}
