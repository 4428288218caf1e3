// Relative media paths of a card: beside the card first, then in the program's folder, so
// a card moved together with its pictures and sounds still finds them and a template still
// finds the shipped ones.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "CardFiles.h"
#include "CliRun.h"
#include "render/RenderContext.h"
#include "swf/reader/SwfFile.h"
#include "tools/CardRender.h"

namespace {

namespace fs = std::filesystem;

const std::string SourceDir = GREETIX_SOURCE_DIR;

struct TCollected : IUserMessages {
  std::vector<std::string> Shown;
  void ShowError(const std::string& text) override { Shown.push_back(text); }
};

// The tag codes of a movie file.
std::multiset<int> TagCodes(const std::string& movie)
{
  std::multiset<int> codes;
  const swf::TSwfFile file = swf::TSwfFile::FromFile(movie);  // kept: Tags() refers into it
  for (const swf::TTagRecord& tag : file.Tags()) codes.insert(tag.Code);
  return codes;
}

constexpr int DefineBitsJpeg2 = 21;
constexpr int DefineSound = 14;

} // namespace

TEST(MediaPath, ACardMovedWithItsMediaFindsThemAndATemplateFindsTheShippedOnes)
{
  TScratch scratch;
  // The birthday card with its background, picture and sound in "library/" beside it.
  const fs::path first = scratch.File("first");
  fs::create_directories(first / "library");
  fs::copy_file(SourceDir + "/template/birthday.grx", first / "card.grx");
  for (const char* media : {"party-background.jpg", "balloons.jpg", "jingle.wav", "jingle.wav_tmp.wav"})
    fs::copy_file(SourceDir + "/library/" + media, first / "library" / media);
  fs::create_directory(scratch.File("program")); // a program folder without the media
  const fs::path moved = scratch.File("moved");
  fs::rename(first, moved);

  TCardRenderOptions options;
  options.ProgramFolder = scratch.File("program");
  options.CardFile = (moved / "card.grx").string();
  options.OutputFile = scratch.File("moved.swf");
  TCollected messages;
  EXPECT_EQ(RenderCardFile(options, &messages).ObjectsLeftOut, 0);
  EXPECT_TRUE(messages.Shown.empty()) << messages.Shown.front();
  const std::multiset<int> movedTags = TagCodes(options.OutputFile);
  EXPECT_EQ(movedTags.count(DefineBitsJpeg2), 2u); // background and picture
  EXPECT_EQ(movedTags.count(DefineSound), 1u);

  // The template alone, its media in the program's folder.
  fs::create_directory(scratch.File("alone"));
  fs::copy_file(SourceDir + "/template/birthday.grx", scratch.File("alone/card.grx"));
  options.ProgramFolder = SourceDir;
  options.CardFile = scratch.File("alone/card.grx");
  options.OutputFile = scratch.File("alone.swf");
  messages.Shown.clear();
  EXPECT_EQ(RenderCardFile(options, &messages).ObjectsLeftOut, 0);
  EXPECT_TRUE(messages.Shown.empty()) << messages.Shown.front();
  const std::multiset<int> aloneTags = TagCodes(options.OutputFile);
  EXPECT_EQ(aloneTags.count(DefineBitsJpeg2), 2u);
  EXPECT_EQ(aloneTags.count(DefineSound), 1u);
}

TEST(MediaPath, TheCardsFolderComesFirstAndAbsolutePathsStayAsTheyAre)
{
  TScratch scratch;
  for (const char* folder : {"card/pics", "program/pics"}) fs::create_directories(scratch.File(folder));
  WriteAll(scratch.File("card/pics/both.jpg"), "x");
  WriteAll(scratch.File("program/pics/both.jpg"), "x");
  WriteAll(scratch.File("program/pics/shipped.jpg"), "x");
  TRenderContext context;
  context.CardFolder = scratch.File("card");
  context.ProgramFolder = scratch.File("program");
  EXPECT_EQ(context.ResolveMediaPath("pics/both.jpg"), scratch.File("card/pics/both.jpg"));
  EXPECT_EQ(context.ResolveMediaPath("pics/shipped.jpg"), scratch.File("program/pics/shipped.jpg"));
  // Found nowhere: named as the program's, as before.
  EXPECT_EQ(context.ResolveMediaPath("pics/gone.jpg"), scratch.File("program/pics/gone.jpg"));
  EXPECT_EQ(context.ResolveMediaPath("/elsewhere/a.jpg"), "/elsewhere/a.jpg");
  EXPECT_EQ(context.ResolveMediaPath(""), "");
  context.ProgramFolder.clear();
  EXPECT_EQ(context.ResolveMediaPath("pics/gone.jpg"), scratch.File("card/pics/gone.jpg"));
}

namespace {

std::string PicObject(const std::string& name, const std::string& content)
{
  return "<Obj><ObjName>" + name + "</ObjName><StartTime>0</StartTime><EndTime>10</EndTime><Layer>2</Layer>"
         "<ObjTypeName>Pic</ObjTypeName><ObjType><ObjPic><Content>" + content +
         "</Content><PositionX>10</PositionX><PositionY>10</PositionY><Width>40</Width><Height>40</Height>"
         "<EffectName>-- None --</EffectName></ObjPic></ObjType></Obj>";
}

} // namespace

// A card received from someone names the user's private picture in every way it can: by
// its absolute path, by "../" out of the card's folder, and by a link beside the card.
// Confined, it reads only its own folder and the library; the thumbnailer always is.
TEST(MediaPath, AConfinedCardReadsOnlyItsFolderAndTheLibrary)
{
  TScratch scratch;
  const std::string secret = scratch.File("home/.ssh/secret.jpg");
  fs::create_directories(scratch.File("home/.ssh"));
  fs::copy_file(SourceDir + "/library/party-background.jpg", secret);
  fs::create_directories(scratch.File("home/Downloads/card/pics"));
  fs::copy_file(SourceDir + "/library/balloons.jpg", scratch.File("home/Downloads/card/pics/own.jpg"));
  fs::create_symlink(secret, scratch.File("home/Downloads/card/pics/link.jpg"));
  const std::string card = scratch.File("home/Downloads/card/card.grx");
  std::string xml = CardXml({}, 10, false, 200, 150);
  xml.insert(xml.rfind("</Movie>"), PicObject("Own", "pics/own.jpg") + PicObject("Shipped", "library/balloons.jpg") +
                                        PicObject("Absolute", secret) + PicObject("Up", "../../.ssh/secret.jpg") +
                                        PicObject("Link", "pics/link.jpg"));
  WriteAll(card, xml);

  TCardRenderOptions options;
  options.CardFile = card;
  options.ProgramFolder = SourceDir;
  options.OutputFile = scratch.File("free.swf");
  TCollected messages;
  EXPECT_EQ(RenderCardFile(options, &messages).ObjectsLeftOut, 0);
  // Unconfined, as before: the balloons (beside the card and in the library, one picture)
  // and the private picture.
  EXPECT_EQ(TagCodes(options.OutputFile).count(DefineBitsJpeg2), 2u);

  options.ConfineMedia = true;
  options.OutputFile = scratch.File("confined.swf");
  messages.Shown.clear();
  EXPECT_EQ(RenderCardFile(options, &messages).ObjectsLeftOut, 3);
  EXPECT_EQ(TagCodes(options.OutputFile).count(DefineBitsJpeg2), 1u); // its own and the library's
  EXPECT_EQ(std::set<std::string>(messages.Shown.begin(), messages.Shown.end()).size(), 3u);
  for (const char* name : {"\"Absolute\"", "\"Up\"", "\"Link\""}) {
    const bool told = std::any_of(messages.Shown.begin(), messages.Shown.end(), [&](const std::string& text) {
      return text.find(name) != std::string::npos && text.find("outside the card's folder") != std::string::npos;
    });
    EXPECT_TRUE(told) << name;
  }

  // The thumbnailer and the commands' --confine.
  const TCliOutcome thumbnail = RunGreetixCli("thumbnail " + card + " " + scratch.File("thumb.png") + " --size 64");
  EXPECT_EQ(thumbnail.Status, 0) << thumbnail.Output;
  EXPECT_NE(thumbnail.Output.find("outside the card's folder"), std::string::npos) << thumbnail.Output;
  const TCliOutcome render = RunGreetixCli("render " + card + " -o " + scratch.File("cli.swf") + " --confine");
  EXPECT_EQ(render.Status, 1) << render.Output; // objects were left out
  EXPECT_EQ(TagCodes(scratch.File("cli.swf")).count(DefineBitsJpeg2), 1u) << render.Output;
  const TCliOutcome exported = RunGreetixCli("export " + card + " -o " + scratch.File("cli.png") + " --confine");
  EXPECT_EQ(exported.Status, 0) << exported.Output;
  EXPECT_NE(exported.Output.find("outside the card's folder"), std::string::npos) << exported.Output;
}
