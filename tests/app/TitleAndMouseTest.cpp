// The caption, the layout on resize and its limits, the right-click menu over the preview
// and dragging the selected text in the preview.
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QTest>

#include "EditorFixture.h"
#include "app/ImageBox.h"
#include "app/PictureButton.h"
#include "app/PlaySlider.h"
#include "card/FlashCard.h"
#include "panels/ObjListFrm.h"
#include "player/widget/FlashPlayer.h"
#include "render/FlashObj.h"
#include "render/RenderContext.h"
#include "render/PicturePanel.h"
#include "render/TextPanel.h"

namespace {

TEST_F(EditorTest, CaptionShowsTheDocumentAndTheFrame) {
  EXPECT_EQ(TMainForm::CaptionText("Greetix 3.0", "Untitled", 0, 100),
            "Greetix 3.0 - Untitled (1/100 Frames)");
  Start({MakeMovie("hundred.swf", 300, 200, 100)});
  Form().ControlPauseActExecute();
  Player().GotoFrame(0);
  Form().TimerTitleTimer();
  // A played movie's card keeps the untitled name.
  EXPECT_EQ(Form().windowTitle(), "Greetix 3.0 - Untitled (1/100 Frames)");
  EXPECT_EQ(Form().Caption1->text(), " - Untitled (1/100 Frames)");
  Player().GotoFrame(41);
  Form().TimerTitleTimer();
  EXPECT_EQ(Form().windowTitle(), "Greetix 3.0 - Untitled (42/100 Frames)");
}

TEST_F(EditorTest, TheCaptionMarksACardThatDiffersFromItsFile) {
  EXPECT_EQ(TMainForm::CaptionText("Greetix 3.0", "Party", 2, 100, true), "Greetix 3.0 - Party* (3/100 Frames)");
  const QString file = Dir.filePath("Party.grx");
  ASSERT_TRUE(QFile::copy(TMainForm::TemplateFile(1), file));
  QFile(file).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
  Start({file});
  const auto caption = [&] {
    Form().TimerTitleTimer();
    return Form().windowTitle();
  };
  EXPECT_TRUE(caption().startsWith("Greetix 3.0 - Party (")) << caption().toStdString();

  Form().InsertTextActExecute();
  EXPECT_TRUE(caption().startsWith("Greetix 3.0 - Party* (")) << caption().toStdString();
  EXPECT_TRUE(Form().Caption1->text().startsWith(" - Party* ("));
  // Undone, the card is its file again.
  Form().EditUndoAct->trigger();
  EXPECT_TRUE(caption().startsWith("Greetix 3.0 - Party (")) << caption().toStdString();

  Form().EditRedoAct->trigger();
  EXPECT_TRUE(caption().contains("Party*"));
  Form().FileSaveActExecute();
  EXPECT_TRUE(caption().startsWith("Greetix 3.0 - Party (")) << caption().toStdString();
  // Undoing past the save makes it differ from the file once more.
  Form().EditUndoAct->trigger();
  EXPECT_TRUE(caption().contains("Party*"));
}

TEST_F(EditorTest, ResizeLaysTheWindowOutFromTheRightAndTheBottom) {
  Start();
  Form().SetClientSize(800, 520);
  ASSERT_EQ(Form().ClientSize(), QSize(800, 520));
  EXPECT_EQ(Form().BtnClose->x(), 800 - 20 - 10);
  EXPECT_EQ(Form().BtnMini->x(), Form().BtnClose->x() - 20);
  EXPECT_EQ(Form().ImgTitleLine->x(), Form().BtnMini->x() - 4 - 5);
  EXPECT_EQ(Form().LabelHelp->x() + Form().LabelHelp->width(), Form().ImgTitleLine->x() - 7);
  EXPECT_EQ(Form().BtnForward->x(), 800 - 29 - 20);
  EXPECT_EQ(Form().BtnPlay->x(), Form().BtnForward->x() - 4 * 30);
  EXPECT_EQ(Form().BtnLoop->x(), Form().BtnPlay->x() - 36);
  EXPECT_EQ(Form().PanelObj->y(), 520 - 140 - 8);
  EXPECT_EQ(Form().PanelMain->geometry(), QRect(195, 83, 605, 437));
  EXPECT_EQ(Form().Panel1->geometry(), QRect(0, 437 - 18, 605, 18));
}

TEST_F(EditorTest, AWindowThatRefitsItselfToTheMovieIsLaidOutAtItsNewSize) {
  Start();
  // A preview narrower than 380 pixels is widened again to fit the card's movie.
  Form().resize(570, 600);
  const int width = Form().ClientSize().width();
  ASSERT_EQ(width, 195 + 380);
  EXPECT_EQ(Form().BtnClose->x(), width - 20 - 10);
  EXPECT_EQ(Form().BtnForward->x(), width - 29 - 20);
  EXPECT_EQ(Form().PanelMain->width(), 380);
  EXPECT_EQ(Form().ImgTitle->width(), width);
}

TEST_F(EditorTest, InEditStateTheStageFollowsThePreviewArea) {
  Start();
  Form().SetClientSize(700, 500);
  EXPECT_EQ(Card()->Width, 700 - 195);
  EXPECT_EQ(Card()->Height, 500 - 83 - 18);
  EXPECT_EQ(Global().Context.Movie().Width(), 505);
}

TEST_F(EditorTest, SizeLimitsHoldWhateverIsAsked) {
  // Played, so that no card fits the window to itself after the resize.
  Start({MakeMovie("limits.swf", 300, 200, 5)});
  Form().resize(2000, 300);
  EXPECT_EQ(Form().size(), QSize(1034, 420));
  Form().resize(100, 2000);
  EXPECT_EQ(Form().size(), QSize(570, 800));
  EXPECT_EQ(TMainForm::ConstrainOuterSize(QSize(600, 500)), QSize(600, 500));
}

TEST_F(EditorTest, RightClickOverThePreviewOpensTheLoopAboutMenu) {
  Start();
  QRect preview = Form().PanelMain->geometry();
  // On the slider strip, which belongs to the preview.
  QPoint onSlider(preview.center().x(), preview.bottom() - 5);
  PressAt(Qt::RightButton, onSlider);
  EXPECT_TRUE(Form().PopupMenu->isVisible());
  Form().PopupMenu->hide();
  ReleaseAt(Qt::RightButton, onSlider);

  // Over the toolbar nothing opens.
  PressAt(Qt::RightButton, QPoint(300, 60));
  EXPECT_FALSE(Form().PopupMenu->isVisible());
  ReleaseAt(Qt::RightButton, QPoint(300, 60));

  // Undo, Redo and a separator come first.
  QList<QAction*> items = Form().PopupMenu->actions().mid(3);
  ASSERT_EQ(items.size(), 3);
  EXPECT_EQ(items[0]->text(), "&Loop");
  EXPECT_TRUE(items[1]->isSeparator());
  EXPECT_EQ(items[2]->text(), "&About");
}

class DragTest : public EditorTest {
protected:
  // The birthday card with its first text ("Text1" at 68, 48) opened in the library.
  TFlashObj& OpenFirstText() {
    QString card = Dir.filePath("Drag.grx");
    EXPECT_TRUE(QFile::copy(TMainForm::TemplateFile(1), card));
    Start({card});
    Form().ControlPauseActExecute();
    Library()->SelectNode(2);
    EXPECT_EQ(Global().CurrentObjKind, "Text");
    TFlashObj* text = Global().Context.EditingObject("Text");
    EXPECT_NE(text, nullptr);
    EXPECT_EQ(text->PositionX, 68);
    EXPECT_EQ(text->PositionY, 48);
    return *text;
  }
  int StoredX() { return Global().Context.Movie().Obj().Item(2).ObjType().ObjText().PositionX(); }
  int StoredY() { return Global().Context.Movie().Obj().Item(2).ObjType().ObjText().PositionY(); }
};

TEST_F(DragTest, DraggingMovesTheSelectedTextByTheMouseTravel) {
  TFlashObj& text = OpenFirstText();
  PressAt(Qt::LeftButton, QPoint(300, 200));
  EXPECT_EQ(Player().cursor().shape(), Qt::SizeAllCursor);
  ReleaseAt(Qt::LeftButton, QPoint(310, 195));
  TFlashObj& moved = *Global().Context.EditingObject("Text");
  EXPECT_EQ(&moved, &text);
  EXPECT_EQ(moved.PositionX, 78);
  EXPECT_EQ(moved.PositionY, 43);
  EXPECT_EQ(StoredX(), 78);
  EXPECT_EQ(StoredY(), 43);
  ASSERT_NE(Global().Context.TextPanel, nullptr);
  EXPECT_EQ(Global().Context.TextPanel->PositionX(), 78);
  EXPECT_EQ(Global().Context.TextPanel->PositionY(), 43);
  EXPECT_EQ(Player().cursor().shape(), Qt::ArrowCursor);
}

TEST_F(DragTest, WhileDraggedThePictureFollowsThePointerAndTheCardRendersAtTheRelease) {
  OpenFirstText();
  Library()->SelectNode(1); // the balloons, 90 × 140 at (296, 100), shown from frame 0
  ASSERT_EQ(Global().CurrentObjKind, "Pic");
  const QImage before = Player().grab().toImage();
  const QByteArray movie = [&] {
    QFile file(QString::fromStdString(Card()->WorkSwfFile));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }();
  const double scale = Player().PixelsPerStagePixel();
  const QPointF stageCorner((Player().width() - 400 * scale) / 2, (Player().height() - 300 * scale) / 2);
  const QPoint centre = (stageCorner + QPointF(296 + 45, 100 + 70) * scale).toPoint();
  const QPoint travel(-60, 25);

  PressAt(Qt::LeftButton, QPoint(300, 200));
  EXPECT_TRUE(Player().ShowsDragLayers());
  const QPoint to = Form().Client->mapTo(&Form(), QPoint(300, 200) + travel);
  QMouseEvent move(QEvent::MouseMove, to, Form().mapToGlobal(to), Qt::NoButton, Qt::LeftButton, {});
  QApplication::sendEvent(Form().windowHandle(), &move);
  const QImage during = Player().grab().toImage();
  const auto near = [](QRgb a, QRgb b) {
    return std::abs(qRed(a) - qRed(b)) <= 2 && std::abs(qGreen(a) - qGreen(b)) <= 2 && std::abs(qBlue(a) - qBlue(b)) <= 2;
  };
  const QPoint moved = centre + (QPointF(travel) * scale).toPoint();
  for (const QPoint& d : {QPoint(0, 0), QPoint(-20, -30), QPoint(15, 40)})
    EXPECT_TRUE(near(during.pixel(moved + d), before.pixel(centre + d))) << d.x() << "," << d.y();
  EXPECT_FALSE(near(during.pixel(centre), before.pixel(centre)));
  EXPECT_EQ(during.pixel(5, 5), before.pixel(5, 5)); // the rest of the frame stays
  // Nothing was rendered or recorded yet.
  QFile file(QString::fromStdString(Card()->WorkSwfFile));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), movie);
  EXPECT_FALSE(Form().EditUndoAct->isEnabled());

  ReleaseAt(Qt::LeftButton, QPoint(300, 200) + travel);
  EXPECT_FALSE(Player().ShowsDragLayers());
  EXPECT_EQ(Global().Context.Movie().Obj().Item(1).ObjType().ObjPic().PositionX(), 296 - 60);
  EXPECT_EQ(Global().Context.Movie().Obj().Item(1).ObjType().ObjPic().PositionY(), 100 + 25);
  const QImage after = Player().grab().toImage();
  EXPECT_TRUE(near(after.pixel(moved), before.pixel(centre)));
}

TEST_F(DragTest, AClickWithoutTravelLeavesTheTextAlone) {
  OpenFirstText();
  PressAt(Qt::LeftButton, QPoint(300, 200));
  ReleaseAt(Qt::LeftButton, QPoint(300, 200));
  EXPECT_EQ(StoredX(), 68);
  EXPECT_EQ(StoredY(), 48);
}

TEST_F(DragTest, AReleaseOutsideThePreviewKeepsTheMoveCursorUntilTheNextReleaseInside) {
  OpenFirstText();
  PressAt(Qt::LeftButton, QPoint(300, 200));
  ReleaseAt(Qt::LeftButton, QPoint(100, 200)); // over the left column
  EXPECT_EQ(Player().cursor().shape(), Qt::SizeAllCursor);
  EXPECT_EQ(StoredX(), 68);
  ReleaseAt(Qt::LeftButton, QPoint(305, 200));
  EXPECT_EQ(StoredX(), 73);
  EXPECT_EQ(Player().cursor().shape(), Qt::ArrowCursor);
}

TEST_F(DragTest, DraggingTheSliderScrubsWithoutMovingTheText) {
  OpenFirstText();
  QRect slider(Form().SliderPlay->mapTo(Form().Client, QPoint(0, 0)), Form().SliderPlay->size());
  PressAt(Qt::LeftButton, QPoint(slider.left() + 20, slider.center().y()));
  EXPECT_NE(Player().cursor().shape(), Qt::SizeAllCursor);
  ReleaseAt(Qt::LeftButton, QPoint(slider.left() + 120, slider.center().y()));
  EXPECT_EQ(StoredX(), 68);
  EXPECT_EQ(StoredY(), 48);
}

TEST_F(DragTest, DraggingMovesTheSelectedPictureToo) {
  QString card = Dir.filePath("Picture.grx");
  ASSERT_TRUE(QFile::copy(TMainForm::TemplateFile(1), card));
  Start({card});
  Form().ControlPauseActExecute();
  Library()->SelectNode(1); // Pic1 at (296, 100)
  ASSERT_EQ(Global().CurrentObjKind, "Pic");
  PressAt(Qt::LeftButton, QPoint(300, 200));
  ReleaseAt(Qt::LeftButton, QPoint(290, 220));
  auto picture = Global().Context.Movie().Obj().Item(1).ObjType().ObjPic();
  EXPECT_EQ(picture.PositionX(), 286);
  EXPECT_EQ(picture.PositionY(), 120);
  ASSERT_NE(Global().Context.PicturePanel, nullptr);
  EXPECT_EQ(Global().Context.PicturePanel->EditPositionX(), 286);
  EXPECT_EQ(Global().Context.PicturePanel->EditPositionY(), 120);
}

TEST_F(DragTest, NothingMovesWhenASoundIsSelected) {
  QString card = Dir.filePath("Sound.grx");
  ASSERT_TRUE(QFile::copy(TMainForm::TemplateFile(1), card));
  Start({card});
  Library()->SelectNode(0); // Sound1
  ASSERT_EQ(Global().CurrentObjKind, "Sound");
  PressAt(Qt::LeftButton, QPoint(300, 200));
  EXPECT_NE(Player().cursor().shape(), Qt::SizeAllCursor);
  ReleaseAt(Qt::LeftButton, QPoint(320, 210));
  EXPECT_EQ(Global().Context.Movie().Obj().Item(1).ObjType().ObjPic().PositionX(), 296);
}

} // namespace
