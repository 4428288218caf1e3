// The painted title strip under a real X server and window manager, driven by real pointer
// input: a click leaves the window where it is and the next click reaches its control, a
// double-click maximises and restores, a drag moves the window, the menu opens by its
// button, Alt and F10.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include "app/ErrorBox.h"
#include "app/x11/X11Pointer.h"
#include "app/FileDialogs.h"
#include "app/ImageBox.h"
#include "app/MainFrm.h"
#include "app/PictureButton.h"
#include "card/FlashCard.h"
#include "panels/ColorButton.h"
#include "panels/SpinEdit.h"
#include "panels/TextFrm.h"
#include "player/widget/FlashPlayer.h"
#include "platform/Registry.h"
#include "render/RenderContext.h"

namespace {

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

TEST_F(TitleBar, ADoubleClickMaximisesAndAnotherGivesTheCardItsSizeBack) {
  TFlashCard& card = *Form->Global().FlashCard;
  const QSize stage(card.Width, card.Height);
  for (int round = 0; round < 2; ++round) {
    MoveTo(OnTitle());
    Pointer({"click", "--repeat", "2", "--delay", "80", "1"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return bool(Form->windowState() & Qt::WindowMaximized); }, 3000));
    QTest::qWait(500);
    EXPECT_NE(QSize(card.Width, card.Height), stage);
    MoveTo(OnTitle());
    Pointer({"click", "--repeat", "2", "--delay", "80", "1"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return !(Form->windowState() & Qt::WindowMaximized); }, 3000));
    QTest::qWait(500);
    EXPECT_EQ(QSize(card.Width, card.Height), stage);
  }
}

TEST_F(TitleBar, PopupsTheDragAndTheMenuFollowTheWindowWhereverItStands) {
  // Away from the corner, by the program and then by the title strip.
  Form->move(300, 200);
  QTest::qWaitFor([&] { return ServerOrigin(Form.get()) == QPoint(300, 200); }, 5000);
  QTest::qWait(250);
  MoveTo(OnScreen(Form->ImgTitle, QPoint(300, 14)));
  Pointer({"mousedown", "1"});
  Pointer({"mousemove_relative", "--", "6", "0"});
  QTest::qWait(500);
  Pointer({"mousemove_relative", "--", "30", "20"});
  Pointer({"mouseup", "1"});
  QTest::qWait(500);
  ASSERT_NE(ServerOrigin(Form.get()), QPoint(300, 200));

  Form->InsertTextActExecute();
  auto* panel = qobject_cast<TTextForm*>(Form->Global().TextForm.data());
  ASSERT_NE(panel, nullptr);
  panel->Content->setText(QStringLiteral("Merry Christmas"));
  QTest::qWait(1500); // the panel's apply timer renders the text
  QApplication::processEvents();

  // The colour palette opens just below its button.
  MoveTo(OnScreen(panel->FontColor, panel->FontColor->rect().center()));
  Pointer({"click", "1"});
  QMenu* palette = panel->FontColor->Palette();
  ASSERT_TRUE(QTest::qWaitFor([&] { return palette->isVisible(); }, 3000));
  const QPoint below = OnScreen(panel->FontColor, QPoint(0, panel->FontColor->height()));
  const QPoint opened = ServerOrigin(palette);
  EXPECT_LE((opened - below).manhattanLength(), 40) << opened.x() << "," << opened.y();
  Pointer({"key", "Escape"});

  // The text follows a drag on the preview.
  const int x = panel->PositionX->Value();
  const int y = panel->PositionY->Value();
  MoveTo(OnScreen(Form->ShockwaveFlash, Form->ShockwaveFlash->rect().center()));
  Pointer({"mousedown", "1"});
  Pointer({"mousemove_relative", "--", "20", "10"});
  Pointer({"mousemove_relative", "--", "20", "20"});
  Pointer({"mouseup", "1"});
  QTest::qWaitFor([&] { return panel->PositionX->Value() != x; }, 3000);
  EXPECT_EQ(panel->PositionX->Value() - x, 40);
  EXPECT_EQ(panel->PositionY->Value() - y, 30);

  // The right button over the preview opens its menu where the pointer is.
  const QPoint point = OnScreen(Form->ShockwaveFlash, Form->ShockwaveFlash->rect().center());
  MoveTo(point);
  Pointer({"click", "3"});
  ASSERT_TRUE(QTest::qWaitFor([&] { return Form->PopupMenu->isVisible(); }, 3000));
  EXPECT_LE((ServerOrigin(Form->PopupMenu) - point).manhattanLength(), 10);
  Pointer({"key", "Escape"});
}

TEST_F(TitleBar, TheMenuOpensByItsButtonAltAndF10AndTakesTheKeyboard) {
  QMenu& menu = *Form->MainMenu;
  MoveTo(OnScreen(Form->BtnMenu, Form->BtnMenu->rect().center()));
  Pointer({"click", "1"});
  ASSERT_TRUE(QTest::qWaitFor([&] { return menu.isVisible(); }, 3000));
  const QPoint below = OnScreen(Form->BtnMenu, QPoint(0, Form->BtnMenu->height()));
  EXPECT_LE((ServerOrigin(&menu) - below).manhattanLength(), 10);
  Pointer({"key", "Escape"});
  ASSERT_TRUE(QTest::qWaitFor([&] { return !menu.isVisible(); }, 3000));

  // Alt alone opens it and Escape closes it; Alt with a key does not open it.
  Pointer({"key", "alt"});
  ASSERT_TRUE(QTest::qWaitFor([&] { return menu.isVisible(); }, 3000));
  Pointer({"key", "Escape"});
  ASSERT_TRUE(QTest::qWaitFor([&] { return !menu.isVisible(); }, 3000));
  Pointer({"key", "alt+x"});
  EXPECT_FALSE(menu.isVisible());

  // F10, then the entries' letters: Insert, Text.
  const int objects = Form->Global().Context.Movie().Obj().Count();
  Pointer({"key", "F10"});
  ASSERT_TRUE(QTest::qWaitFor([&] { return menu.isVisible(); }, 3000));
  Pointer({"key", "i"});
  Pointer({"key", "t"});
  ASSERT_TRUE(QTest::qWaitFor([&] { return Form->Global().Context.Movie().Obj().Count() == objects + 1; }, 3000));
  EXPECT_FALSE(menu.isVisible());
}

} // namespace
