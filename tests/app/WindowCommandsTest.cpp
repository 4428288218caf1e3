// The window commands: full screen, showing and hiding the tool windows, the background
// command, maximising from the title bar.
#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QMenu>
#include <QLabel>
#include <QTest>

#include "EditorFixture.h"
#include "app/ImageBox.h"
#include "app/PictureButton.h"
#include "app/PlaySlider.h"
#include "card/FlashCard.h"
#include "panels/BackgroundFrm.h"
#include "panels/SpinEdit.h"
#include "platform/Desktop.h"

namespace {

TEST_F(EditorTest, FullScreenHidesTheSliderAndTheBorderAndComesBack) {
  Start();
  ASSERT_TRUE(Form().BorderSizeable());
  Form().ViewFullScreenActExecute();
  EXPECT_FALSE(Form().SliderPlay->isVisible());
  EXPECT_FALSE(Form().BorderSizeable());
  EXPECT_TRUE(Form().windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_TRUE(QTest::qWaitFor([&] { return Form().isMaximized(); }));
  EXPECT_EQ(Form().Client->geometry(), Form().rect());

  Form().ViewFullScreenActExecute();
  EXPECT_TRUE(Form().SliderPlay->isVisible());
  EXPECT_TRUE(Form().BorderSizeable());
  EXPECT_FALSE(Form().windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_TRUE(QTest::qWaitFor([&] { return !Form().isMaximized(); }));
  EXPECT_EQ(Form().Client->geometry(),
            Form().rect().adjusted(TMainForm::BorderWidth, TMainForm::BorderWidth,
                                   -TMainForm::BorderWidth, -TMainForm::BorderWidth));
}

TEST_F(EditorTest, WindowShowHidesAllToolWindowsThenShowsBackgroundAndLibrary) {
  Start();
  ASSERT_TRUE(Global().BackgroundForm && Global().BackgroundForm->isVisible());
  Form().WindowShowActExecute();
  EXPECT_FALSE(Global().BackgroundForm->isVisible());
  EXPECT_FALSE(Global().ObjListForm->isVisible());
  EXPECT_FALSE(Global().TextForm->isVisible());
  Form().WindowShowActExecute();
  EXPECT_TRUE(Global().BackgroundForm->isVisible());
  EXPECT_TRUE(Global().ObjListForm->isVisible());
  EXPECT_FALSE(Global().TextForm->isVisible());
}

TEST_F(EditorTest, WindowShowWithoutToolWindowsDoesNothing) {
  Start({MakeMovie("none.swf", 300, 200, 3)});
  Form().WindowShowActExecute();
  EXPECT_FALSE(Global().BackgroundForm);
  EXPECT_FALSE(Global().ObjListForm);
}

TEST_F(EditorTest, BackgroundCommandShowsTheCardsSettingsInThePanel) {
  Start();
  auto* panel = qobject_cast<TBackgroundForm*>(Global().BackgroundForm.data());
  ASSERT_NE(panel, nullptr);
  panel->EditWidth->SetValue(123);
  Form().BtnBackground->click();
  EXPECT_TRUE(panel->isVisible());
  EXPECT_EQ(panel->ChildLabelFlashObj->text(), "Background");
  EXPECT_EQ(panel->EditWidth->Value(), Card()->Width);
}

TEST_F(EditorTest, AResizeStartedFromAPanelFieldLeavesTheFocusInTheField) {
  Start();
  auto* panel = qobject_cast<TBackgroundForm*>(Global().BackgroundForm.data());
  ASSERT_NE(panel, nullptr);
  panel->EditWidth->setFocus();
  ASSERT_TRUE(QTest::qWaitFor([&] { return panel->EditWidth->hasFocus(); }));
  panel->EditWidth->SetValue(600);
  panel->Timer1Timer(); // the delayed apply: the card renders and the window fits it
  EXPECT_EQ(Form().ClientSize().width(), 600 + 195);
  EXPECT_TRUE(panel->EditWidth->hasFocus());
}

TEST_F(EditorTest, ToolWindowsDockIntoTheirPlaces) {
  Start();
  EXPECT_EQ(Global().BackgroundForm->parentWidget(), Form().PanelLeft);
  EXPECT_EQ(Global().TextForm->parentWidget(), Form().PanelLeft);
  EXPECT_EQ(Global().ObjListForm->parentWidget(), Form().PanelObj);
  auto* line = Global().BackgroundForm->findChild<QWidget*>("ChildImgLine");
  ASSERT_NE(line, nullptr);
  EXPECT_EQ(line->height(), Form().PanelLeft->height() - 10);
}

TEST_F(EditorTest, DoubleClickOnTheTitleMaximisesAndRestores) {
  Start({MakeMovie("title.swf", 300, 200, 3)});
  QTest::mouseDClick(Form().ImgTitle, Qt::LeftButton, {}, QPoint(300, 10));
  EXPECT_TRUE(Form().windowState() & Qt::WindowMaximized);
  QTest::mouseDClick(Form().Caption1, Qt::LeftButton);
  EXPECT_FALSE(Form().windowState() & Qt::WindowMaximized);
}

TEST_F(EditorTest, MaximiseAndRestoreGiveTheCardItsStageBack) {
  // The blank card's 420 × 300 stage sits in a window of the least size, whose preview area
  // is taller than the stage: restoring that window must not take the area for the stage.
  Start();
  const QSize stage(Card()->Width, Card()->Height);
  ASSERT_EQ(stage, QSize(420, 300));
  for (int round = 0; round < 2; ++round) {
    QTest::mouseDClick(Form().ImgTitle, Qt::LeftButton, {}, QPoint(300, 10));
    ASSERT_TRUE(QTest::qWaitFor([&] { return Form().isMaximized(); }));
    QTest::qWait(50);
    EXPECT_NE(QSize(Card()->Width, Card()->Height), stage);
    QTest::mouseDClick(Form().ImgTitle, Qt::LeftButton, {}, QPoint(300, 10));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Form().isMaximized(); }));
    QTest::qWait(50);
    EXPECT_EQ(QSize(Card()->Width, Card()->Height), stage);
  }
  // Any other size of the window gives the stage the preview area, as before.
  Form().SetClientSize(700, 500);
  EXPECT_EQ(QSize(Card()->Width, Card()->Height), QSize(700 - 195, 500 - 83 - 18));
}

TEST_F(EditorTest, SaveButtonCarriesTheConversionMenu) {
  Start();
  QPoint at(10, 10);
  QContextMenuEvent event(QContextMenuEvent::Mouse, at, Form().BtnSave->mapToGlobal(at));
  QApplication::sendEvent(Form().BtnSave, &event);
  EXPECT_TRUE(Form().PopupMenu1->isVisible());
  QList<QAction*> items = Form().PopupMenu1->actions();
  ASSERT_GE(items.size(), 2);
  EXPECT_EQ(items[0]->text(), "Convert SWF to EXE");
  EXPECT_EQ(items[1]->text(), "Convert EXE to SWF");
  EXPECT_TRUE(items.contains(Form().PopupMenu1->findChild<QAction*>("MakeCardsForList")));
  Form().PopupMenu1->hide();
}

TEST_F(EditorTest, HelpPageLiesBesideTheProgram) {
  EXPECT_TRUE(QFileInfo::exists(HelpFileName()));
}

TEST_F(EditorTest, HelpWithoutABrowserTellsWhereThePageIs) {
  Start();
  const QString page = QFileInfo(HelpFileName()).canonicalFilePath();
  struct TOpenerBack {
    ~TOpenerBack() { Platform::SetDocumentOpener(QStringLiteral("xdg-open")); }
  } openerBack;
  // An opener that finds no browser, and none at all.
  for (const QString opener : {QStringLiteral("false"), Dir.filePath("no-such-opener")}) {
    SCOPED_TRACE(opener.toStdString());
    Errors.clear();
    Platform::SetDocumentOpener(opener);
    QTest::mouseClick(Form().BtnHelp, Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Errors.isEmpty(); }, 10000));
    EXPECT_EQ(Errors, QStringList{HelpUnreachableText(page)});
    EXPECT_TRUE(Errors.first().contains(page));
    // The watcher of the opener goes once it has told.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
}

TEST_F(EditorTest, HelpPageCoversWhatTheProgramDoes) {
  QFile help(HelpFileName());
  ASSERT_TRUE(help.open(QIODevice::ReadOnly));
  const QString page = QString::fromUtf8(help.readAll());
  for (const char* topic : {"Undo", "Redo", "Export Video", "Export GIF", "Export Web Page", "Make Cards for a List",
                            "{Name}", "greetix-cli batch", "Restore", "Set as Screen Saver", "apt install",
                            "Convert SWF to EXE"})
    EXPECT_TRUE(page.contains(QString::fromUtf8(topic))) << topic;
}

TEST_F(EditorTest, HelpPageOffersTheBackgroundPanelForWhatItEdits) {
  QFile help(HelpFileName());
  ASSERT_TRUE(help.open(QIODevice::ReadOnly));
  const QString page = QString::fromUtf8(help.readAll());
  const qsizetype row = page.indexOf("<tr><td>Background</td>");
  ASSERT_GE(row, 0);
  const QString text = page.mid(row, page.indexOf("</tr>", row) - row);
  EXPECT_TRUE(text.contains("colour"));
  // The panel has no control for the background picture.
  EXPECT_FALSE(text.contains(QRegularExpression("colour and picture|picture and colour"))) << text.toStdString();
}

} // namespace
