// The new-card guide driven as a user would: pick an occasion, select, click empty space,
// double-click, Escape; and the catalogue it reads from a template folder.
#include <gtest/gtest.h>

#include <QApplication>
#include <algorithm>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "panels/GuideFrm.h"

namespace {

void WriteCard(const QString& file, const QString& title) {
  QDir().mkpath(QFileInfo(file).absolutePath());
  QFile card(file);
  ASSERT_TRUE(card.open(QIODevice::WriteOnly));
  card.write(QStringLiteral("<?xml version=\"1.0\"?><Movie><BgColor>0</BgColor><Width>400</Width>"
                            "<MovieName>%1</MovieName><Obj/></Movie>")
                 .arg(title)
                 .toUtf8());
}

// A template folder as a user may leave it: the two first cards, occasion folders, a card
// of the user's own at the top, one without a title and one that is not XML at all.
struct TemplateFolder {
  QTemporaryDir Dir;
  TemplateFolder() {
    WriteCard(Path("blank.grx"), "Blank card");
    WriteCard(Path("birthday.grx"), "Happy Birthday");
    WriteCard(Path("Christmas/snowy.grx"), "Snowy Night");
    WriteCard(Path("Christmas/jolly.grx"), "Jolly Snowman");
    WriteCard(Path("Birthday/party.grx"), "Party Time");
    WriteCard(Path("Valentine's Day/roses.grx"), "Roses");
    WriteCard(Path("aunt-may.grx"), "");
    QFile broken(Path("Christmas/broken.grx"));
    broken.open(QIODevice::WriteOnly);
    broken.write("not a card <<<");
    QDir().mkpath(Path("art"));
  }
  QString Path(const QString& name) const { return Dir.filePath(name); }
};

struct GuideFixture : ::testing::Test {
  TemplateFolder Templates;
  int Result = 7;
  TGuideForm Guide{Result, TGuideSources{Templates.Dir.path(), {}, {}}};

  QListWidget* List() { return Guide.ListView1; }
  QPushButton* Ok() { return Guide.OkBtn; }
  QPoint CentreOf(int row) { return List()->visualItemRect(List()->item(row)).center(); }
  QStringList Captions() {
    QStringList captions;
    for (int row = 0; row < List()->count(); ++row)
      captions << List()->item(row)->text();
    return captions;
  }
  void ShowIt() {
    Guide.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&Guide));
  }
};

TEST_F(GuideFixture, ListsEveryTemplateByOccasionWithTheFirstTwoInPlace) {
  EXPECT_EQ(Guide.windowTitle(), "New Cards");
  EXPECT_FALSE(Guide.windowFlags() & Qt::WindowCloseButtonHint);
  EXPECT_FALSE(Ok()->isEnabled());
  // Top-level cards belong to the occasion of their name; the rest are in "All Cards" only.
  EXPECT_EQ(Captions(), (QStringList{"Blank card", "Happy Birthday", "Party Time", "broken", "Jolly Snowman",
                                     "Snowy Night", "Roses", "aunt-may"}));
  QStringList occasions;
  for (int row = 0; row < Guide.OccasionList->count(); ++row)
    occasions << Guide.OccasionList->item(row)->text();
  EXPECT_EQ(occasions, (QStringList{"All Cards", "Birthday", "Christmas", "Valentine's Day"}));

  Guide.OccasionList->setCurrentRow(1);
  EXPECT_EQ(Captions(), (QStringList{"Happy Birthday", "Party Time"}));
  Guide.OccasionList->setCurrentRow(2);
  EXPECT_EQ(Captions(), (QStringList{"broken", "Jolly Snowman", "Snowy Night"}));
}

TEST_F(GuideFixture, AChoiceInAnOccasionRecordsItsPlaceInTheCatalogue) {
  ShowIt();
  Guide.OccasionList->setCurrentRow(3);
  QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, CentreOf(0));
  EXPECT_EQ(Guide.PreviewTitle->text(), "Roses");
  QTest::mouseClick(Ok(), Qt::LeftButton);
  EXPECT_EQ(Guide.result(), QDialog::Accepted);
  EXPECT_EQ(Guide.Catalogue().FileAt(Result), Templates.Path("Valentine's Day/roses.grx"));
}

TEST_F(GuideFixture, SelectingEnablesOkAndClickingEmptySpaceDisablesItAgain) {
  ShowIt();
  QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, CentreOf(1));
  EXPECT_TRUE(Ok()->isEnabled());
  QTest::mouseClick(List()->viewport(), Qt::LeftButton, {},
                    QPoint(List()->viewport()->width() - 5, List()->viewport()->height() - 5));
  EXPECT_TRUE(List()->selectedItems().isEmpty());
  EXPECT_FALSE(Ok()->isEnabled());
  EXPECT_EQ(Result, 7);
}

TEST_F(GuideFixture, DoubleClickOnBirthdayClosesWithOkAndResultOne) {
  ShowIt();
  QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, CentreOf(1));
  QTest::mouseDClick(List()->viewport(), Qt::LeftButton, {}, CentreOf(1));
  EXPECT_FALSE(Guide.isVisible());
  EXPECT_EQ(Guide.result(), QDialog::Accepted);
  EXPECT_EQ(Result, 1);
}

TEST_F(GuideFixture, DoubleClickOnEmptySpaceDoesNothing) {
  ShowIt();
  QPoint empty(List()->viewport()->width() - 5, List()->viewport()->height() - 5);
  QTest::mouseDClick(List()->viewport(), Qt::LeftButton, {}, empty);
  EXPECT_TRUE(Guide.isVisible());
  EXPECT_EQ(Result, 7);
}

TEST_F(GuideFixture, EscapeCancelsWhateverIsSelected) {
  ShowIt();
  QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, CentreOf(1));
  QTest::keyClick(List(), Qt::Key_Escape);
  EXPECT_FALSE(Guide.isVisible());
  EXPECT_EQ(Guide.result(), QDialog::Rejected);
  EXPECT_EQ(Result, 7);
}

TEST_F(GuideFixture, ModalRunReturnsOkWithBirthday) {
  QTimer::singleShot(0, &Guide, [this] {
    List()->setCurrentRow(1);
    QTest::mouseClick(Ok(), Qt::LeftButton);
  });
  EXPECT_EQ(Guide.exec(), QDialog::Accepted);
  EXPECT_EQ(Result, 1);
}

TEST(TemplateCatalogue, TheUsersOwnTemplatesJoinTheirOccasions) {
  TemplateFolder templates;
  QTemporaryDir own;
  WriteCard(own.filePath("Christmas/family.grx"), "Family Christmas");
  WriteCard(own.filePath("Retirement/gold-watch.grx"), "Gold Watch");
  int result = 0;
  TGuideForm guide(result, TGuideSources{templates.Dir.path(), {}, {}, own.path()});
  EXPECT_TRUE(guide.Catalogue().Occasions().contains("Retirement"));
  const QList<TTemplateEntry>& entries = guide.Catalogue().Entries();
  const auto family = std::find_if(entries.begin(), entries.end(),
                                   [](const TTemplateEntry& entry) { return entry.Title == "Family Christmas"; });
  ASSERT_NE(family, entries.end());
  EXPECT_EQ(family->Occasion, "Christmas");
  EXPECT_EQ(guide.Catalogue().FileAt(int(family - entries.begin())), own.filePath("Christmas/family.grx"));
  EXPECT_EQ(guide.Catalogue().FileAt(1), templates.Path("birthday.grx"));
}

TEST(TemplateCatalogue, AChoiceBeyondTheListOrAMissingFolderGivesTheBlankCard) {
  TemplateFolder templates;
  const TTemplateCatalogue catalogue(templates.Dir.path());
  EXPECT_EQ(catalogue.FileAt(1), templates.Path("birthday.grx"));
  EXPECT_EQ(catalogue.FileAt(-1), templates.Path("blank.grx"));
  EXPECT_EQ(catalogue.FileAt(catalogue.Entries().size()), templates.Path("blank.grx"));

  const TTemplateCatalogue none(templates.Path("missing"));
  EXPECT_TRUE(none.Entries().isEmpty());
  EXPECT_EQ(QFileInfo(none.FileAt(0)).fileName(), "blank.grx");
}

} // namespace
