// Relative media paths of a card: beside the card first, then in the program's folder, so
// a card moved together with its pictures and sounds still finds them and a template still
// finds the shipped ones.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "CardFiles.h"
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
