// The media paths a saved card keeps: relative to the card within its folder, absolute
// elsewhere, words of a text never touched, a card without such paths kept byte for byte.
#include <gtest/gtest.h>

#include "card/CardMediaPaths.h"

TEST(CardMediaPaths, OnlyPathsInTheCardsFolderOrBelowBecomeRelative)
{
  EXPECT_EQ(MediaPathForCard("/home/ann/Trip/sea.jpg", "/home/ann/Trip"), "sea.jpg");
  EXPECT_EQ(MediaPathForCard("/home/ann/Trip/sound/waves.mp3", "/home/ann/Trip/"), "sound/waves.mp3");
  EXPECT_EQ(MediaPathForCard("/home/ann/Trip/./a/../b.png", "/home/ann/Trip"), "b.png");
  // Outside, beside it under a longer name, or climbing out: as they were.
  EXPECT_EQ(MediaPathForCard("/home/ann/cake.jpg", "/home/ann/Trip"), "/home/ann/cake.jpg");
  EXPECT_EQ(MediaPathForCard("/home/ann/Trip2/x.jpg", "/home/ann/Trip"), "/home/ann/Trip2/x.jpg");
  EXPECT_EQ(MediaPathForCard("/home/ann/Trip/../x.jpg", "/home/ann/Trip"), "/home/ann/Trip/../x.jpg");
  EXPECT_EQ(MediaPathForCard("/home/ann/Trip", "/home/ann/Trip"), "/home/ann/Trip");
  // Already relative (the templates' library), empty, or no folder.
  EXPECT_EQ(MediaPathForCard("library/cake.jpg", "/home/ann/Trip"), "library/cake.jpg");
  EXPECT_EQ(MediaPathForCard("", "/home/ann/Trip"), "");
  EXPECT_EQ(MediaPathForCard("/home/ann/Trip/a.jpg", ""), "/home/ann/Trip/a.jpg");
}

TEST(CardMediaPaths, TheCardKeepsBackgroundPicturesAndSoundsRelativeAndTextsAsWritten)
{
  const std::string card =
      "<Movie><BgPic>/t/Card/back.jpg</BgPic>"
      "<Obj><ObjName>Text1</ObjName><ObjTypeName>Text</ObjTypeName><ObjType><ObjText>"
      "<Content>/t/Card/not-a-path.txt</Content></ObjText></ObjType></Obj>"
      "<Obj><ObjName>Pic1</ObjName><ObjTypeName>Pic</ObjTypeName><ObjType><ObjPic>"
      "<Content>/t/Card/pics/a.png</Content></ObjPic></ObjType></Obj>"
      "<Obj><ObjName>Pic2</ObjName><ObjTypeName>Pic</ObjTypeName><ObjType><ObjPic>"
      "<Content>/elsewhere/b.png</Content></ObjPic></ObjType></Obj>"
      "<Obj><ObjName>Sound1</ObjName><ObjTypeName>Sound</ObjTypeName><ObjType><ObjSound>"
      "<Content>/t/Card/song.mp3</Content></ObjSound></ObjType></Obj></Movie>";
  const std::string saved = CardXmlWithRelativeMedia(card, "/t/Card");
  EXPECT_NE(saved.find("<BgPic>back.jpg</BgPic>"), std::string::npos) << saved;
  EXPECT_NE(saved.find("<Content>/t/Card/not-a-path.txt</Content>"), std::string::npos);
  EXPECT_NE(saved.find("<Content>pics/a.png</Content>"), std::string::npos);
  EXPECT_NE(saved.find("<Content>/elsewhere/b.png</Content>"), std::string::npos);
  EXPECT_NE(saved.find("<Content>song.mp3</Content>"), std::string::npos);

  // Nothing to change: the very bytes, declaration and all.
  const std::string plain = "<?xml version=\"1.0\"?>\n<Movie><BgPic>library/x.jpg</BgPic></Movie>";
  EXPECT_EQ(CardXmlWithRelativeMedia(plain, "/t/Card"), plain);
  EXPECT_THROW(CardXmlWithRelativeMedia("<Movie>", "/t/Card"), std::exception);
}

TEST(CardMediaPaths, MissingMediaAreListedOnceAndReplacedWhereverNamed)
{
  const std::string card =
      "<Movie><BgPic>old/back.jpg</BgPic>"
      "<Obj><ObjName>Pic1</ObjName><ObjTypeName>Pic</ObjTypeName><ObjType><ObjPic>"
      "<Content>/gone/a.png</Content></ObjPic></ObjType></Obj>"
      "<Obj><ObjName>Pic2</ObjName><ObjTypeName>Pic</ObjTypeName><ObjType><ObjPic>"
      "<Content>/gone/a.png</Content></ObjPic></ObjType></Obj>"
      "<Obj><ObjName>Text1</ObjName><ObjTypeName>Text</ObjTypeName><ObjType><ObjText>"
      "<Content>/gone/words</Content></ObjText></ObjType></Obj>"
      "<Obj><ObjName>Sound1</ObjName><ObjTypeName>Sound</ObjTypeName><ObjType><ObjSound>"
      "<Content/></ObjSound></ObjType></Obj></Movie>";
  EXPECT_EQ(MediaPathsOf(card), (std::vector<std::string>{"old/back.jpg", "/gone/a.png"}));
  const std::string relinked = CardXmlWithMediaReplaced(card, {{"/gone/a.png", "/here/a.png"}});
  EXPECT_EQ(MediaPathsOf(relinked), (std::vector<std::string>{"old/back.jpg", "/here/a.png"}));
  EXPECT_NE(relinked.find("<Content>/gone/words</Content>"), std::string::npos);
  EXPECT_EQ(CardXmlWithMediaReplaced(card, {{"/elsewhere.png", "/x.png"}}), card);
}
