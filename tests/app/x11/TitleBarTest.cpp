// The painted title strip under a real X server and window manager, driven by real pointer
// input: a click leaves the window where it is and the next click reaches its control, a
// double-click maximises and restores, a drag moves the window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "app/ErrorBox.h"
#include "app/FileDialogs.h"
#include "app/ImageBox.h"
#include "app/MainFrm.h"
#include "app/PictureButton.h"
#include "player/widget/FlashPlayer.h"
#include "platform/Registry.h"

namespace {

// The pointer as a user moves it; waits for the program to see what it did.
void Pointer(const QStringList& arguments) {
  ASSERT_EQ(QProcess::execute("xdotool", arguments), 0) << arguments.join(' ').toStdString();
  QTest::qWait(250);
}

void MoveTo(QPoint screenPoint) {
  Pointer({"mousemove", QString::number(screenPoint.x()), QString::number(screenPoint.y())});
}

class TitleBar : public ::testing::Test {
protected:
  void SetUp() override {
    Platform::TRegistry::SetFileName(Dir.filePath("Registry.ini"));
    ErrorBox::SetReporter([](const QString&) {});
    Form = std::make_unique<TMainForm>(QStringList{});
    Form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Form.get()));
    QTest::qWait(500); // the window manager places the window
    Form->move(200, 150);
    // A busy window manager takes its time: start only once the window stands where it goes.
    QTest::qWaitFor([&] { return Form->pos() == QPoint(200, 150); }, 5000);
    QTest::qWait(250);
  }
  void TearDown() override {
    Form.reset();
    ErrorBox::SetReporter({});
    Platform::TRegistry::SetFileName(QString());
  }
  // A point on the title strip, clear of its labels and buttons.
  QPoint OnTitle() const { return Form->ImgTitle->mapToGlobal(QPoint(300, 14)); }

  QTemporaryDir Dir;
  std::unique_ptr<TMainForm> Form;
};

TEST_F(TitleBar, AClickLeavesTheWindowAndTheNextClickReachesItsButton) {
  const QPoint before = Form->pos();
  MoveTo(OnTitle());
  Pointer({"click", "1"});
  EXPECT_EQ(Form->pos(), before);
  const bool playing = Form->ShockwaveFlash->Playing();
  TPictureButton* button = playing ? Form->BtnStop : Form->BtnPlay;
  MoveTo(button->mapToGlobal(button->rect().center()));
  Pointer({"click", "1"});
  QTest::qWaitFor([&] { return Form->ShockwaveFlash->Playing() != playing; }, 3000);
  EXPECT_EQ(Form->pos(), before);
  EXPECT_NE(Form->ShockwaveFlash->Playing(), playing);
}

TEST_F(TitleBar, ADoubleClickMaximisesAndAnotherRestores) {
  MoveTo(OnTitle());
  Pointer({"click", "--repeat", "2", "--delay", "80", "1"});
  QTest::qWaitFor([&] { return bool(Form->windowState() & Qt::WindowMaximized); }, 3000);
  EXPECT_TRUE(Form->windowState() & Qt::WindowMaximized);
  MoveTo(OnTitle());
  Pointer({"click", "--repeat", "2", "--delay", "80", "1"});
  QTest::qWaitFor([&] { return !(Form->windowState() & Qt::WindowMaximized); }, 3000);
  EXPECT_FALSE(Form->windowState() & Qt::WindowMaximized);
}

TEST_F(TitleBar, DraggingTheStripMovesTheWindow) {
  const QPoint before = Form->pos();
  MoveTo(OnTitle());
  Pointer({"mousedown", "1"});
  // The first few pixels start the move; the window follows the pointer from there.
  Pointer({"mousemove_relative", "--", "6", "0"});
  QTest::qWait(500);  // the window manager takes the pointer over for the move
  Pointer({"mousemove_relative", "--", "50", "40"});
  Pointer({"mouseup", "1"});
  QTest::qWaitFor([&] { return Form->pos().x() - before.x() >= 42; }, 5000);
  EXPECT_NEAR(Form->pos().x() - before.x(), 50, 8);
  EXPECT_NEAR(Form->pos().y() - before.y(), 40, 8);
}

} // namespace
