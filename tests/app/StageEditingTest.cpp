// The selected object on the stage: its outline, a picture's handles, the arrow keys, and
// Cut, Copy, Paste and Duplicate within one editor.
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QTest>
#include <QTreeWidget>
#include <QUndoStack>

#include "EditorFixture.h"
#include "app/PictureHandles.h"
#include "app/SelectionFrame.h"
#include "card/FlashCard.h"
#include "panels/ObjListFrm.h"
#include "panels/PicFrm.h"
#include "panels/SpinEdit.h"
#include "panels/TextFrm.h"
#include "player/widget/FlashPlayer.h"

namespace {

class StageEditingTest : public EditorTest {
protected:
  // The birthday card: Pic1 is 90 x 140 at (296, 100), Text1 stands at (68, 48).
  void OpenCard() {
    const QString path = Dir.filePath(QStringLiteral("Party.grx"));
    ASSERT_TRUE(QFile::copy(TMainForm::TemplateFile(1), path));
    Start({path});
    Form().ControlPauseActExecute();
  }
  void Select(const QString& name) {
    Card()->History().EndRun();
    for (int i = 0; i < Library()->ObjTree->topLevelItemCount(); ++i)
      if (Library()->ObjTree->topLevelItem(i)->text(0) == name) {
        Library()->SelectNode(i);
        Settle();
        return;
      }
    ADD_FAILURE() << "no object " << name.toStdString();
  }
  // The outline follows on the next turn of the event loop.
  void Settle() { QTest::qWait(20); }
  TSelectionFrame& Frame() { return *Form().SelectionFrame; }
  QUndoStack& Steps() { return Card()->History().Steps(); }
  TXMLObj Object(const std::string& name) {
    TXMLObjList objects = Global().Context.Movie().Obj();
    for (int i = 0; i < objects.Count(); ++i)
      if (objects.Item(i).ObjName() == name)
        return objects.Item(i);
    throw std::runtime_error("no object " + name);
  }
  QStringList Names() {
    QStringList names;
    TXMLObjList objects = Global().Context.Movie().Obj();
    for (int i = 0; i < objects.Count(); ++i)
      names << QString::fromStdString(objects.Item(i).ObjName());
    return names;
  }
  TPicForm& PicPanel() { return *qobject_cast<TPicForm*>(Global().PicForm.data()); }
  TTextForm& TextPanel() { return *qobject_cast<TTextForm*>(Global().TextForm.data()); }

  // Drags a handle of the selected picture by `travel` widget pixels.
  void DragHandle(THandle handle, QPoint travel, Qt::KeyboardModifiers modifiers = {}) {
    const QPoint start = Player().mapTo(Form().Client, HandleCentre(Frame().Outline(), handle).toPoint());
    PressAt(Qt::LeftButton, start);
    const QPoint end = start + travel;
    const QPoint inWindow = Form().Client->mapTo(&Form(), end);
    QMouseEvent move(QEvent::MouseMove, inWindow, Form().mapToGlobal(inWindow), Qt::NoButton, Qt::LeftButton,
                     modifiers);
    QCoreApplication::sendEvent(Form().windowHandle(), &move);
    QTest::mouseRelease(Form().windowHandle(), Qt::LeftButton, modifiers, inWindow);
    Settle();
  }
  QRect PictureRect(const std::string& name) {
    TXMLObjPic picture = Object(name).ObjType().ObjPic();
    return {picture.PositionX(), picture.PositionY(), picture.Width(), picture.Height()};
  }
};

} // namespace

TEST_F(StageEditingTest, TheOutlineFollowsTheSelectionAndOnlyAPictureHasHandles) {
  OpenCard();
  Select("Pic1");
  ASSERT_TRUE(Frame().ShowsHandles());
  const double scale = Player().PixelsPerStagePixel();
  EXPECT_NEAR(Frame().Outline().width(), 90 * scale, 0.01);
  EXPECT_NEAR(Frame().Outline().height(), 140 * scale, 0.01);

  // A text's outline is what it draws at the frame shown: inside the stage, near its place.
  Select("Text1");
  Player().SetFrameNum(20);
  Settle();
  ASSERT_TRUE(Frame().ShowsOutline());
  EXPECT_FALSE(Frame().ShowsHandles());
  const QRectF text = Frame().Outline();
  EXPECT_GT(text.width(), 50);
  EXPECT_TRUE(QRectF(Player().rect()).contains(text));

  // A sound has no place on the stage.
  Select("Sound1");
  EXPECT_FALSE(Frame().ShowsOutline());
}

TEST_F(StageEditingTest, AHandleResizesThePictureInOneStepAndShiftKeepsItsProportions) {
  OpenCard();
  Select("Pic1");
  ASSERT_DOUBLE_EQ(Player().PixelsPerStagePixel(), 1.0);
  const int steps = Steps().count();

  DragHandle(THandle::BottomRight, {30, 10});
  EXPECT_EQ(PictureRect("Pic1"), QRect(296, 100, 120, 150));
  EXPECT_EQ(PicPanel().EditWidth->Value(), 120);
  EXPECT_EQ(PicPanel().EditHeight->Value(), 150);
  EXPECT_EQ(Steps().count(), steps + 1);
  EXPECT_EQ(Frame().Outline(), QRectF(Frame().Outline().topLeft(), QSizeF(120, 150)));

  // The opposite corner stays; with Shift the height follows the width at 120 : 150.
  DragHandle(THandle::TopLeft, {-24, 0}, Qt::ShiftModifier);
  EXPECT_EQ(PictureRect("Pic1"), QRect(272, 70, 144, 180));
  EXPECT_EQ(PicPanel().EditPositionX->Value(), 272);
  EXPECT_EQ(Steps().undoText(), QStringLiteral("Picture Size"));

  // A press and release on a handle without travel changes nothing.
  DragHandle(THandle::Right, {0, 0});
  EXPECT_EQ(Steps().count(), steps + 2);

  Form().EditUndoAct->trigger();
  Form().EditUndoAct->trigger();
  EXPECT_EQ(PictureRect("Pic1"), QRect(296, 100, 90, 140));
  EXPECT_EQ(PicPanel().EditWidth->Value(), 90);
  EXPECT_TRUE(Errors.isEmpty()) << Errors.join("\n").toStdString();
}

TEST_F(StageEditingTest, ArrowKeysNudgeTheSelectedObjectAndARunIsOneStep) {
  OpenCard();
  Select("Text1");
  Player().setFocus();
  const int steps = Steps().count();
  for (int key : {Qt::Key_Right, Qt::Key_Right, Qt::Key_Right, Qt::Key_Left})
    QTest::keyClick(&Player(), Qt::Key(key));
  QTest::keyClick(&Player(), Qt::Key_Down, Qt::ShiftModifier);
  TXMLObjText text = Object("Text1").ObjType().ObjText();
  EXPECT_EQ(text.PositionX(), 70);
  EXPECT_EQ(text.PositionY(), 58);
  EXPECT_EQ(TextPanel().PositionX->Value(), 70);
  ASSERT_EQ(Steps().count(), steps + 1);
  EXPECT_EQ(Steps().undoText(), QStringLiteral("Move"));

  // A click starts another run.
  const QPoint centre = Form().PanelMain->geometry().center();
  PressAt(Qt::LeftButton, centre);
  ReleaseAt(Qt::LeftButton, centre);
  Player().setFocus();
  QTest::keyClick(&Player(), Qt::Key_Up);
  EXPECT_EQ(Steps().count(), steps + 2);

  // In a text box the arrows move the text cursor.
  TextPanel().Content->setFocus();
  QTest::keyClick(TextPanel().Content, Qt::Key_Left);
  EXPECT_EQ(Object("Text1").ObjType().ObjText().PositionX(), 70);

  Form().EditUndoAct->trigger();
  Form().EditUndoAct->trigger();
  EXPECT_EQ(Object("Text1").ObjType().ObjText().PositionX(), 68);
  EXPECT_EQ(Object("Text1").ObjType().ObjText().PositionY(), 48);
}

TEST_F(StageEditingTest, CopyPasteCutAndDuplicateWithinACard) {
  OpenCard();
  QClipboard* clipboard = QGuiApplication::clipboard();
  Select("Text1");
  QTest::keyClick(&Form(), Qt::Key_C, Qt::ControlModifier);
  const QMimeData* data = clipboard->mimeData();
  ASSERT_TRUE(data && data->hasFormat(QStringLiteral("application/x-greetix-object")));
  EXPECT_EQ(data->text(), QStringLiteral("Happy Birthday!"));

  // Pasted at the frame shown, under the first free name, selected; one step.
  Player().SetFrameNum(30);
  const int steps = Steps().count();
  QTest::keyClick(&Form(), Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(Names().last(), QStringLiteral("Text9"));
  EXPECT_EQ(Object("Text9").StartTime(), 30);
  EXPECT_EQ(Object("Text9").EndTime(), 30 + Object("Text1").EndTime() - Object("Text1").StartTime());
  EXPECT_EQ(Object("Text9").ObjType().ObjText().Content(), "Happy Birthday!");
  EXPECT_EQ(Library()->SelectedCaption().value_or(""), "Text9");
  EXPECT_EQ(Steps().count(), steps + 1);
  EXPECT_EQ(Steps().undoText(), QStringLiteral("Insert Text"));

  // Duplicate leaves the clipboard alone.
  Select("Pic1");
  QTest::keyClick(&Form(), Qt::Key_D, Qt::ControlModifier);
  EXPECT_EQ(Names().last(), QStringLiteral("Pic2"));
  EXPECT_EQ(PictureRect("Pic2"), PictureRect("Pic1"));
  EXPECT_EQ(clipboard->text(), QStringLiteral("Happy Birthday!"));

  // Cut takes the object out; pasting brings it back under its name.
  Select("Text2");
  const std::string words = Object("Text2").ObjType().ObjText().Content();
  QTest::keyClick(&Form(), Qt::Key_X, Qt::ControlModifier);
  EXPECT_FALSE(Names().contains(QStringLiteral("Text2")));
  QTest::keyClick(&Form(), Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(Object("Text2").ObjType().ObjText().Content(), words);

  // Something else on the clipboard under our type: told, and the card stays.
  const QStringList before = Names();
  auto* broken = new QMimeData;
  broken->setData(QStringLiteral("application/x-greetix-object"), "<Obj><ObjName>");
  clipboard->setMimeData(broken);
  Errors.clear();
  Form().EditPasteAct->trigger();
  EXPECT_EQ(Names(), before);
  ASSERT_EQ(Errors.size(), 1);
  EXPECT_TRUE(Errors[0].contains(QStringLiteral("cannot be read"))) << Errors[0].toStdString();
}

TEST_F(StageEditingTest, PlainTextFromAnotherProgramPastesAsANewText) {
  OpenCard();
  QClipboard* clipboard = QGuiApplication::clipboard();
  clipboard->setText(QStringLiteral("Love from all of us\r\nxx"));
  Select("Pic1");
  Player().SetFrameNum(12);
  const QStringList before = Names();
  const int steps = Steps().count();
  QTest::keyClick(&Form(), Qt::Key_V, Qt::ControlModifier);
  ASSERT_EQ(Names().size(), before.size() + 1);
  EXPECT_EQ(Names().last(), QStringLiteral("Text9"));
  TXMLObj pasted = Object("Text9");
  EXPECT_EQ(pasted.ObjType().ObjText().Content(), "Love from all of us\nxx");
  EXPECT_EQ(pasted.StartTime(), 12);
  EXPECT_EQ(Library()->SelectedCaption().value_or(""), "Text9");
  EXPECT_EQ(Steps().count(), steps + 1);

  // Apart from its words, it is the text Insert Text makes at the same frame.
  Player().SetFrameNum(12);
  Form().InsertTextActExecute();
  TXMLObj inserted = Object("Text10");
  EXPECT_EQ(inserted.EndTime() - inserted.StartTime(), pasted.EndTime() - pasted.StartTime());
  EXPECT_EQ(inserted.Layer(), pasted.Layer());
  TXMLObjText a = inserted.ObjType().ObjText(), b = pasted.ObjType().ObjText();
  EXPECT_EQ(a.FontName(), b.FontName());
  EXPECT_EQ(a.FontSize(), b.FontSize());
  EXPECT_EQ(a.FontColor(), b.FontColor());
  EXPECT_EQ(a.TextUnit(), b.TextUnit());
  EXPECT_EQ(a.PositionX(), b.PositionX());
  EXPECT_EQ(a.PositionY(), b.PositionY());
  EXPECT_EQ(a.EffectName(), b.EffectName());

  // One step: undone, the card is as it was.
  Form().EditUndoAct->trigger();
  Form().EditUndoAct->trigger();
  EXPECT_EQ(Names(), before);

  // Nothing but white space pastes nothing.
  clipboard->setText(QStringLiteral(" \n "));
  QTest::keyClick(&Form(), Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(Names(), before);
}
