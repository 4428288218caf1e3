// The guide's pictures made by the real greetix-cli: a poster and an animation of a card,
// kept for the next guide; a card that cannot be drawn gets none and is not tried again.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QSignalSpy>
#include <QTemporaryDir>

#include "panels/TemplatePictures.h"

namespace {

constexpr int WaitMs = 60000;

QString WriteCard(const QTemporaryDir& dir, const QString& name, const QByteArray& xml) {
  QFile card(dir.filePath(name));
  card.open(QIODevice::WriteOnly);
  card.write(xml);
  return card.fileName();
}

const QByteArray SmallCard =
    "<?xml version=\"1.0\"?><Movie><BgColor>255</BgColor><BgPic/><Width>80</Width><Height>60</Height>"
    "<Rate>12</Rate><TotalFrames>6</TotalFrames><Times>0</Times><FileSize>0</FileSize><MovieName>Red</MovieName>"
    "<Author/><Loop>true</Loop></Movie>";

TEST(TemplatePictures, MakesAPosterAndAnAnimationOnceAndKeepsThem) {
  QTemporaryDir dir;
  const QString card = WriteCard(dir, "red.grx", SmallCard);
  const QString cache = dir.filePath("cache");
  {
    TTemplatePictures pictures(GREETIX_CLI, cache);
    QSignalSpy posters(&pictures, &TTemplatePictures::PosterReady);
    QSignalSpy animations(&pictures, &TTemplatePictures::AnimationReady);
    EXPECT_TRUE(pictures.Poster(card, 64).isEmpty());
    EXPECT_TRUE(pictures.Animation(card, 64).isEmpty());
    ASSERT_TRUE(animations.size() == 1 || animations.wait(WaitMs));
    ASSERT_TRUE(posters.size() == 1 || posters.wait(WaitMs));
    const QString poster = posters.first().at(1).toString();
    const QImage image(poster);
    EXPECT_EQ(image.size(), QSize(64, 48));
    EXPECT_EQ(image.pixelColor(32, 24), QColor(255, 0, 0));
    EXPECT_EQ(QImageReader(animations.first().at(1).toString()).format(), "gif");
  }
  // Another guide finds them at once; nothing half made is left in the cache.
  TTemplatePictures again(GREETIX_CLI, cache);
  EXPECT_FALSE(again.Poster(card, 64).isEmpty());
  EXPECT_FALSE(again.Animation(card, 64).isEmpty());
  EXPECT_EQ(QDir(cache).entryList(QDir::Files).size(), 2);
}

TEST(TemplatePictures, ACardThatCannotBeDrawnGetsNoPicture) {
  QTemporaryDir dir;
  const QString card = WriteCard(dir, "broken.grx", "<Movie><Width>wide</Width></Movie>");
  TTemplatePictures pictures(GREETIX_CLI, dir.filePath("cache"));
  QSignalSpy posters(&pictures, &TTemplatePictures::PosterReady);
  QSignalSpy animations(&pictures, &TTemplatePictures::AnimationReady);
  pictures.Poster(card, 64);
  pictures.Poster(WriteCard(dir, "red.grx", SmallCard), 64);
  // The good card's poster comes after the broken one's failure, which sends nothing.
  ASSERT_TRUE(posters.wait(WaitMs));
  EXPECT_EQ(posters.size(), 1);
  EXPECT_TRUE(pictures.Poster(card, 64).isEmpty());
  EXPECT_TRUE(animations.isEmpty());
  EXPECT_EQ(QDir(dir.filePath("cache")).entryList(QDir::Files).size(), 1);
}

TEST(TemplatePictures, AGuideClosedWhileAPictureIsMadeLeavesNothingHalfMade) {
  QTemporaryDir dir;
  const QString card = WriteCard(dir, "red.grx", SmallCard);
  {
    TTemplatePictures pictures(GREETIX_CLI, dir.filePath("cache"));
    pictures.Animation(card, 64);
  }
  EXPECT_TRUE(QDir(dir.filePath("cache")).entryList(QDir::Files).isEmpty());
}

TEST(TemplatePictures, WithoutTheProgramThereAreNoPictures) {
  QTemporaryDir dir;
  TTemplatePictures pictures(dir.filePath("no-such-program"), dir.filePath("cache"));
  EXPECT_TRUE(pictures.Poster(WriteCard(dir, "red.grx", SmallCard), 64).isEmpty());
  EXPECT_FALSE(QDir(dir.filePath("cache")).exists());
}

} // namespace
