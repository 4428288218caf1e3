// The library and the panels inside the real editor window: composing a card with the
// mouse from the blank template. Every applied edit leaves the working project file saved
// and the preview showing the newly rendered card at the frame it showed before.
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <fstream>

#include "../app/EditorFixture.h"
#include "PanelTestCards.h"
#include "app/PictureButton.h"
#include "card/FlashCard.h"
#include "card/SwfStageSize.h"
#include "document/XMLUnit.h"
#include "panels/BackgroundFrm.h"
#include "panels/ColorButton.h"
#include "panels/ObjListFrm.h"
#include "panels/SpinEdit.h"
#include "panels/TextFrm.h"
#include "player/widget/FlashPlayer.h"

namespace {

class EditorPanelsTest : public EditorTest {
protected:
  void StartWith(const std::string& objects = "") {
    if (objects.empty()) {
      Start();
    } else {
      const QString card = Dir.filePath("card.grx");
      std::ofstream(card.toStdString()) << "<?xml version=\"1.0\"?>\n<Movie>" << CardSettings() << objects
                                        << "</Movie>";
      Start({card});
      Player().Stop();
    }
    Loads = std::make_unique<QSignalSpy>(&Player(), &player::TFlashPlayer::MovieLoaded);
  }
  TTextForm& TextPanel() { return *qobject_cast<TTextForm*>(Global().TextForm.data()); }
  TBackgroundForm& BackgroundPanel() { return *qobject_cast<TBackgroundForm*>(Global().BackgroundForm.data()); }
  QTreeWidget* Tree() { return Library()->ObjTree; }
  QStringList Captions() {
    QStringList captions;
    for (int i = 0; i < Tree()->topLevelItemCount(); ++i)
      captions << Tree()->topLevelItem(i)->text(0);
    return captions;
  }
  void ClickNode(int index) {
    QTreeWidgetItem* item = Tree()->topLevelItem(index);
    QTest::mouseClick(Tree()->viewport(), Qt::LeftButton, {}, Tree()->visualItemRect(item).center());
  }
  void Type(QWidget* field, const QString& text) {
    field->setFocus();
    if (auto* edit = qobject_cast<QLineEdit*>(field))
      edit->selectAll();
    else if (auto* box = qobject_cast<QPlainTextEdit*>(field))
      box->selectAll();
    else
      static_cast<TSpinEdit*>(field)->selectAll();
    QTest::keyClicks(field, text);
  }
  TXMLMovie Saved() {
    SavedDocument = std::make_unique<TXMLCardDocument>(Card()->WorkProjectFile());
    return BindMovie(*SavedDocument);
  }
  TXMLObjText SavedText(int index) { return Saved().Obj().Item(index).ObjType().ObjText(); }
  int Renders() const { return static_cast<int>(Loads->count()); }
  // One more render happened, and the preview shows it at `frame`.
  void ExpectRenderedAt(int rendersBefore, int frame) {
    EXPECT_EQ(Renders(), rendersBefore + 1);
    EXPECT_EQ(Player().Movie().toStdString(), Card()->WorkSwfFile);
    EXPECT_EQ(Player().FrameNum(), frame);
  }

  std::unique_ptr<QSignalSpy> Loads;
  std::unique_ptr<TXMLCardDocument> SavedDocument;
};

TEST_F(EditorPanelsTest, PanelsDockInTheirPlacesOnEnteringEditMode) {
  StartWith();
  ASSERT_NE(Library(), nullptr);
  EXPECT_EQ(Library()->parentWidget(), Form().PanelObj);
  EXPECT_TRUE(Library()->isVisible());
  EXPECT_EQ(BackgroundPanel().parentWidget(), Form().PanelLeft);
  EXPECT_TRUE(BackgroundPanel().isVisible());
  EXPECT_EQ(TextPanel().parentWidget(), Form().PanelLeft);
  EXPECT_FALSE(TextPanel().isVisible());
  EXPECT_EQ(TextPanel().ChildImgLine->height(), Form().PanelLeft->height() - 10);
  // The background panel shows the blank template's stage.
  EXPECT_EQ(BackgroundPanel().EditWidth->Value(), Card()->Width);
  EXPECT_EQ(BackgroundPanel().EditRate->Value(), 12);
}

TEST_F(EditorPanelsTest, ACardComposedWithTheMouseFromTheBlankTemplate) {
  StartWith();
  for (int i = 0; i < 3; ++i)
    QTest::mouseClick(Form().BtnText, Qt::LeftButton);
  EXPECT_EQ(Captions(), QStringList({"Text1", "Text2", "Text3"}));
  EXPECT_EQ(Renders(), 3);
  EXPECT_EQ(Saved().Obj().Count(), 3);
  EXPECT_TRUE(TextPanel().isVisible());
  EXPECT_EQ(TextPanel().ChildLabelFlashObj->text(), "Text3");

  ClickNode(1);
  EXPECT_EQ(TextPanel().ChildLabelFlashObj->text(), "Text2");
  EXPECT_EQ(Global().CurrentObjKind, "Text");
  Player().GotoFrame(10);

  int renders = Renders();
  Type(TextPanel().Content, "Best wishes");
  QTest::keyClick(TextPanel().Content, Qt::Key_Return, Qt::ControlModifier);
  ExpectRenderedAt(renders, 10);
  EXPECT_EQ(SavedText(1).Content(), "Best wishes");
  TextPanel().Timer1Timer(); // the delayed apply of the typing, now rather than in a second

  renders = Renders();
  TextPanel().FontName->setCurrentText("Liberation Serif");
  ExpectRenderedAt(renders, 10);
  EXPECT_EQ(SavedText(1).FontName(), "Liberation Serif");

  renders = Renders();
  TextPanel().FontSize->setCurrentText("28");
  ExpectRenderedAt(renders, 10);
  EXPECT_EQ(SavedText(1).FontSize(), 28);

  renders = Renders();
  QTest::mouseClick(TextPanel().FontColor, Qt::LeftButton);
  TextPanel().FontColor->Palette()->findChild<QToolButton*>("Swatch16")->click(); // red
  ExpectRenderedAt(renders, 10);
  EXPECT_EQ(SavedText(1).FontColor(), "255");

  renders = Renders();
  Type(TextPanel().PositionX, "80");
  Type(TextPanel().PositionY, "120");
  QTest::keyClick(TextPanel().PositionY, Qt::Key_Return);
  ExpectRenderedAt(renders, 10);
  EXPECT_EQ(SavedText(1).PositionX(), 80);
  EXPECT_EQ(SavedText(1).PositionY(), 120);
  TextPanel().Timer1->stop();

  renders = Renders();
  Type(TextPanel().EditEnd, "40");
  Type(TextPanel().EditBegin, "6");
  QTest::keyClick(TextPanel().EditBegin, Qt::Key_Return);
  ExpectRenderedAt(renders, 10);
  EXPECT_EQ(Saved().Obj().Item(1).StartTime(), 5);
  EXPECT_EQ(Saved().Obj().Item(1).EndTime(), 39);
  TextPanel().Timer1->stop();
  // The movie now runs to the text's last frame.
  EXPECT_EQ(Player().TotalFrames(), 40);

  renders = Renders();
  TextPanel().EffectName->setCurrentText("Fade");
  ExpectRenderedAt(renders, 10);
  EXPECT_EQ(SavedText(1).EffectName(), "Fade");
  EXPECT_EQ(TextPanel().EditEnd->Value(), 30);
  EXPECT_EQ(Saved().Obj().Item(1).EndTime(), 29);
  EXPECT_TRUE(Errors.isEmpty()) << Errors.join("\n").toStdString();
}

TEST_F(EditorPanelsTest, AWordTypedIntoContentRendersOnceAfterOneSecond) {
  StartWith(NamedText("Text1", 0, ""));
  ClickNode(0);
  Player().GotoFrame(4);
  const int renders = Renders();
  Type(TextPanel().Content, "Hooray");
  EXPECT_EQ(Renders(), renders);
  QSignalSpy fired(TextPanel().Timer1, &QTimer::timeout);
  ASSERT_TRUE(fired.wait(3000));
  ExpectRenderedAt(renders, 4);
  EXPECT_EQ(SavedText(0).Content(), "Hooray");
}

TEST_F(EditorPanelsTest, ChoosingMoveForATextAtStartElevenShowsEndTwoHundredFifty) {
  StartWith(NamedText("Text1", 10));
  ClickNode(0);
  ASSERT_EQ(TextPanel().EditBegin->Value(), 11);
  TextPanel().EffectName->setCurrentText("Move");
  EXPECT_EQ(TextPanel().EditEnd->Value(), 250);
  EXPECT_EQ(Saved().Obj().Item(0).EndTime(), 249);
  EXPECT_EQ(Player().TotalFrames(), 250);
}

TEST_F(EditorPanelsTest, DeletingTheThirdOfFiveSelectsTheSecond) {
  StartWith(NamedText("Text1", 0, "a") + NamedText("Text2", 0, "b") + NamedText("Text3", 0, "c") +
            NamedText("Text4", 0, "d") + NamedText("Text5", 0, "e"));
  ClickNode(2);
  const int renders = Renders();
  Tree()->setFocus();
  QTest::keyClick(Tree(), Qt::Key_Delete);
  EXPECT_EQ(Captions(), QStringList({"Text1", "Text2", "Text4", "Text5"}));
  EXPECT_EQ(Library()->SelectedCaption(), std::optional<std::string>("Text2"));
  EXPECT_EQ(TextPanel().Content->text(), "b");
  EXPECT_EQ(Saved().Obj().Count(), 4);
  // The preview shows the card without the deleted text at once.
  EXPECT_EQ(Renders(), renders + 1);
}

TEST_F(EditorPanelsTest, ACardTextInAMissingFontShowsTheFirstFont) {
  TTextObj text;
  text.Font = "Font That Is Not Installed";
  StartWith(TextObjXml(text));
  ClickNode(0);
  EXPECT_EQ(TextPanel().FontName->currentIndex(), 0);
  QTest::keyClick(TextPanel().Content, Qt::Key_Return, Qt::ControlModifier);
  EXPECT_EQ(SavedText(0).FontName(), TextPanel().FontName->itemText(0).toStdString());
}

TEST_F(EditorPanelsTest, WidthTypedAs900AppliesThenEightHundredOnLeavingTheField) {
  StartWith(NamedText("Text1"));
  TBackgroundForm& panel = BackgroundPanel();
  Type(panel.EditWidth, "900");
  panel.Timer1Timer();
  EXPECT_EQ(Saved().Width(), 900);
  EXPECT_EQ(SwfStageWidth(Card()->WorkSwfFile), 900);
  panel.EditHeight->setFocus();
  EXPECT_EQ(panel.EditWidth->Text(), "800");
  ASSERT_TRUE(panel.Timer1->isActive());
  panel.Timer1Timer();
  EXPECT_EQ(Saved().Width(), 800);
  EXPECT_EQ(SwfStageWidth(Card()->WorkSwfFile), 800);
}

TEST_F(EditorPanelsTest, DraggingTheSelectedTextRendersItAtItsNewPlace) {
  StartWith(NamedText("Text1", 0, "Drag me"));
  ClickNode(0);
  Player().GotoFrame(3);
  const int renders = Renders();
  const QRect preview = Form().PanelMain->geometry();
  const QPoint from = preview.center();
  PressAt(Qt::LeftButton, from);
  ReleaseAt(Qt::LeftButton, from + QPoint(10, -5));
  ExpectRenderedAt(renders, 3);
  EXPECT_EQ(SavedText(0).PositionX(), 60);
  EXPECT_EQ(SavedText(0).PositionY(), 35);
  EXPECT_EQ(TextPanel().PositionX->Value(), 60);
  EXPECT_EQ(TextPanel().PositionY->Value(), 35);
}

TEST_F(EditorPanelsTest, SaveRightAfterTypingKeepsWhatWasTyped) {
  StartWith(NamedText("Text1", 0, "draft"));
  ClickNode(0);
  Type(TextPanel().Content, "final words");
  ASSERT_TRUE(TextPanel().Timer1->isActive());
  const QString saved = Dir.filePath("kept.grx");
  Dialogs().Answers << saved;
  Form().FileSaveAsActExecute();
  EXPECT_FALSE(TextPanel().Timer1->isActive());
  TXMLCardDocument document(saved.toStdString());
  EXPECT_EQ(BindMovie(document).Obj().Item(0).ObjType().ObjText().Content(), "final words");
}

TEST_F(EditorPanelsTest, ThePanelLastShownLiesInFrontOfTheColumn) {
  StartWith(NamedText("Text1"));
  auto frontPanel = [this] {
    QWidget* at = Form().PanelLeft->childAt(QPoint(100, 20));
    while (at && at->parentWidget() != Form().PanelLeft)
      at = at->parentWidget();
    return at;
  };
  EXPECT_EQ(frontPanel(), &BackgroundPanel());
  ClickNode(0);
  EXPECT_EQ(frontPanel(), &TextPanel());
  // The Background command shows the background panel over the text panel.
  Form().EditBgActExecute();
  EXPECT_EQ(frontPanel(), &BackgroundPanel());
  EXPECT_EQ(BackgroundPanel().ChildLabelFlashObj->text(), "Background");
  ClickNode(0);
  EXPECT_EQ(frontPanel(), &TextPanel());
}

} // namespace
