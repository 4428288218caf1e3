// Headless renders take the pictures and sounds people have: a sound the editor never
// imported (FLAC here) is converted on demand, and a picture over 800 x 600 is scaled down
// to fit with a note instead of being left out.
#include <gtest/gtest.h>

#include <QImage>

#include <cstdlib>

#include "CardFiles.h"
#include "CliRun.h"
#include "render/EditorInterfaces.h"
#include "swf/builder/SwfAction.h"
#include "swf/builder/SwfMovie.h"
#include "swf/builder/SwfObject.h"
#include "swf/reader/MovieParser.h"
#include "tools/CardRender.h"

namespace {

struct TNotes : IUserMessages {
  std::vector<std::string> Shown;
  void ShowError(const std::string& text) override { Shown.push_back(text); }
};

std::string MediaCardXml(const std::string& picture, const std::string& sound)
{
  return "<?xml version=\"1.0\"?>\n<Movie><BgColor>16777215</BgColor><BgPic></BgPic><Width>640</Width>"
         "<Height>480</Height><Rate>12</Rate><TotalFrames>30</TotalFrames><Times>0</Times><FileSize>0</FileSize>"
         "<MovieName></MovieName><Author></Author><Loop>false</Loop>"
         "<Obj><ObjName>Pic1</ObjName><StartTime>0</StartTime><EndTime>29</EndTime><Layer>2</Layer>"
         "<ObjTypeName>Pic</ObjTypeName><ObjType><ObjPic><Content>" + picture + "</Content><PositionX>0</PositionX>"
         "<PositionY>0</PositionY><Width>400</Width><Height>250</Height><EffectName>-- None --</EffectName></ObjPic>"
         "</ObjType></Obj>"
         "<Obj><ObjName>Sound1</ObjName><StartTime>0</StartTime><EndTime>1</EndTime><Layer>2</Layer>"
         "<ObjTypeName>Sound</ObjTypeName><ObjType><ObjSound><Content>" + sound + "</Content></ObjSound></ObjType></Obj>"
         "</Movie>";
}

TEST(CardMedia, UnimportedSoundIsConvertedAndLargePictureScaledWithANote)
{
  if (std::system("command -v ffmpeg >/dev/null 2>&1") != 0) GTEST_SKIP() << "ffmpeg is not installed";
  TScratch scratch;
  ASSERT_EQ(std::system(("ffmpeg -v quiet -y -f lavfi -i 'sine=frequency=440:duration=0.5' -c:a flac '" +
                         scratch.File("tune.flac") + "'").c_str()),
            0);
  QImage picture(1600, 1000, QImage::Format_ARGB32);
  picture.fill(QColor(10, 100, 200, 128));
  ASSERT_TRUE(picture.save(QString::fromStdString(scratch.File("wide.png"))));
  // Relative names, as a card carried with its media holds them.
  WriteAll(scratch.File("card.grx"), MediaCardXml("wide.png", "tune.flac"));

  swf::TSwfMovie movie;
  swf::TSwfObject object;
  swf::TSwfAction action;
  TNotes notes;
  TCardRenderOptions options;
  options.CardFile = scratch.File("card.grx");
  options.OutputFile = scratch.File("out.swf");
  RenderCardFile(options, movie, object, action, &notes);

  EXPECT_TRUE(std::filesystem::exists(scratch.File("tune.flac_tmp.wav")));
  const swf::TMovie parsed = swf::LoadMovieFile(scratch.File("out.swf"));
  int sounds = 0;
  const swf::TBitmap* bitmap = nullptr;
  for (const auto& [id, character] : parsed.Characters) {
    sounds += std::holds_alternative<swf::TSound>(character);
    if (const auto* b = std::get_if<swf::TBitmap>(&character)) bitmap = b;
  }
  EXPECT_EQ(sounds, 1);
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(bitmap->Kind, swf::TBitmapKind::Lossless2); // its transparency kept
  EXPECT_EQ(bitmap->Width, 800);
  EXPECT_EQ(bitmap->Height, 500);
  ASSERT_EQ(notes.Shown.size(), 1u);
  EXPECT_NE(notes.Shown[0].find("scaled down to 800 x 500"), std::string::npos) << notes.Shown[0];

  // A second render finds the converted sound current and does not convert it again.
  const auto converted = std::filesystem::last_write_time(scratch.File("tune.flac_tmp.wav"));
  RenderCardFile(options, movie, object, action, &notes);
  EXPECT_EQ(std::filesystem::last_write_time(scratch.File("tune.flac_tmp.wav")), converted);
}

TEST(CardMedia, SoundThatCannotBeConvertedIsToldAndTheRestRenders)
{
  TScratch scratch;
  WriteAll(scratch.File("noise.ogg"), "OggS but nothing after it");
  QImage picture(20, 10, QImage::Format_RGB32);
  picture.fill(Qt::red);
  ASSERT_TRUE(picture.save(QString::fromStdString(scratch.File("small.png"))));
  WriteAll(scratch.File("card.grx"), MediaCardXml("small.png", "noise.ogg"));
  swf::TSwfMovie movie;
  swf::TSwfObject object;
  swf::TSwfAction action;
  TNotes notes;
  TCardRenderOptions options;
  options.CardFile = scratch.File("card.grx");
  options.OutputFile = scratch.File("out.swf");
  RenderCardFile(options, movie, object, action, &notes);
  ASSERT_FALSE(notes.Shown.empty());
  EXPECT_NE(notes.Shown[0].find("Can not import " + scratch.File("noise.ogg")), std::string::npos) << notes.Shown[0];
  EXPECT_TRUE(std::filesystem::exists(scratch.File("out.swf")));
}

TEST(CardMedia, SvgWithTextBecomesShapesInTheCommandLinesMovie)
{
  TScratch scratch;
  WriteAll(scratch.File("words.svg"), "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"120\" height=\"40\">"
                                      "<text x=\"5\" y=\"30\" font-size=\"24\" fill=\"#000080\">Hello</text></svg>");
  WriteAll(scratch.File("card.grx"), MediaCardXml("words.svg", ""));
  const TCliOutcome outcome = RunGreetixCli("render '" + scratch.File("card.grx") + "' -o '" + scratch.File("out.swf") + "'");
  EXPECT_EQ(outcome.Status, 0) << outcome.Output;
  EXPECT_EQ(outcome.Output.find("warning"), std::string::npos) << outcome.Output;
  // The letters are outlines of the text's dark blue, not a picture.
  const swf::TMovie parsed = swf::LoadMovieFile(scratch.File("out.swf"));
  int bitmaps = 0, darkBlueLayers = 0;
  for (const auto& [id, character] : parsed.Characters) {
    bitmaps += std::holds_alternative<swf::TBitmap>(character);
    if (const auto* shape = std::get_if<swf::TShape>(&character); shape && shape->Version == 4)
      for (const auto& record : shape->Records)
        if (const auto* change = std::get_if<swf::TStyleChange>(&record); change && change->NewStyles)
          darkBlueLayers += change->NewStyles->Fills.at(0).Color == swf::TRgba{0, 0, 128, 255};
  }
  EXPECT_EQ(bitmaps, 0);
  EXPECT_GE(darkBlueLayers, 1);
}

} // namespace
