// The new-card guide driven as a user would: select, click empty space, double-click, Escape.
#include <gtest/gtest.h>

#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "panels/GuideFrm.h"

namespace {

struct GuideFixture : ::testing::Test {
  int Result = 7;
  TGuideForm Guide{Result};

  QListWidget* List() { return Guide.findChild<QListWidget*>("ListView1"); }
  QPushButton* Ok() { return Guide.findChild<QPushButton*>("OkBtn"); }
  QPoint CentreOf(int row) { return List()->visualItemRect(List()->item(row)).center(); }
  void ShowIt() {
    Guide.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&Guide));
  }
};

TEST_F(GuideFixture, ShowsTheTwoTemplatesAndStartsWithOkDisabled) {
  ASSERT_NE(List(), nullptr);
  ASSERT_EQ(List()->count(), 2);
  EXPECT_EQ(List()->item(0)->text(), "Blank");
  EXPECT_EQ(List()->item(1)->text(), "Birthday");
  EXPECT_FALSE(Ok()->isEnabled());
  EXPECT_EQ(Guide.windowTitle(), "New Cards");
  EXPECT_EQ(Guide.size(), QSize(379, 277));
  EXPECT_FALSE(Guide.windowFlags() & Qt::WindowCloseButtonHint);
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

TEST_F(GuideFixture, OkRecordsTheSelectedEntry) {
  ShowIt();
  QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, CentreOf(0));
  QTest::mouseClick(Ok(), Qt::LeftButton);
  EXPECT_EQ(Guide.result(), QDialog::Accepted);
  EXPECT_EQ(Result, 0);
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

} // namespace
