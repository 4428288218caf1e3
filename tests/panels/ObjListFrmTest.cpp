// The movie library: listing, opening, inserting and deleting objects of a real card.
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include "PanelTestCards.h"
#include "PanelTestEditor.h"
#include "document/XMLUnit.h"
#include "panels/BackgroundFrm.h"
#include "panels/ObjListFrm.h"
#include "panels/SpinEdit.h"
#include "panels/TextFrm.h"

namespace {

class ObjListFormTest : public ::testing::Test {
protected:
  void Open(const std::string& objects) {
    Editor.Ctx.SoundPanel = &Sound;
    Editor.OpenCard(CardSettings() + objects);
  }
  TObjListForm& Library() { return Editor.Library(); }
  QTreeWidget* Tree() { return Library().ObjTree; }
  QStringList Captions() {
    QStringList captions;
    for (int i = 0; i < Tree()->topLevelItemCount(); ++i)
      captions << Tree()->topLevelItem(i)->text(0);
    return captions;
  }
  QString Selected() {
    auto selected = Library().SelectedCaption();
    return selected ? QString::fromStdString(*selected) : QString("(none)");
  }
  void Click(int index) {
    QTreeWidgetItem* item = Tree()->topLevelItem(index);
    QTest::mouseClick(Tree()->viewport(), Qt::LeftButton, {}, Tree()->visualItemRect(item).center());
  }
  // The objects' names in the working project file.
  QStringList SavedNames() {
    TXMLCardDocument saved(Editor.Card->WorkProjectFile());
    TXMLObjList objects = BindMovie(saved).Obj();
    QStringList names;
    for (int i = 0; i < objects.Count(); ++i)
      names << QString::fromStdString(objects.Item(i).ObjName());
    return names;
  }

  TSoundPanelStub Sound;
  TPanelTestEditor Editor;
};

TEST_F(ObjListFormTest, DocksIntoPanelObjAndListsTheObjectsInDocumentOrder) {
  Open(NamedText("Text2") + SoundObjXml("Sound1") + NamedText("Text1"));
  EXPECT_EQ(Library().parentWidget(), Editor.PanelObj);
  EXPECT_EQ(Library().geometry(), QRect(0, 0, 173, 140));
  EXPECT_TRUE(Library().isVisible());
  EXPECT_EQ(Library().windowTitle(), "Movie Library");
  EXPECT_EQ(Captions(), QStringList({"Text2", "Sound1", "Text1"}));
  EXPECT_EQ(Selected(), "(none)");
  EXPECT_EQ(Tree()->indentation(), 19);
  EXPECT_EQ(Tree()->palette().color(QPalette::Base), QColor(200, 228, 169));
  // The rebuild made the card's binding on the library's own document.
  ASSERT_TRUE(Editor.Ctx.XMLMovie.has_value());
  EXPECT_EQ(Editor.Ctx.Document, &Library().XMLDoc());
}

TEST_F(ObjListFormTest, PopupMenuOffersInsertAndDelete) {
  Open("");
  QStringList texts;
  for (QAction* action : Library().PopupMenu1->actions())
    texts << (action->isSeparator() ? QString("-") : action->text());
  EXPECT_EQ(texts, QStringList({"Insert &Text", "Insert &Picture", "Insert &Sound", "-", "&Delete"}));
  for (const char* name : {"DisplayObjAct", "DisplayObjTreeAct", "DelObjAct"})
    EXPECT_EQ(Library().findChild<QAction*>(name)->text(), name);
}

TEST_F(ObjListFormTest, InsertingThreeTextsNamesThemAndOpensEachNewOne) {
  Open("");
  const int rendersBefore = Editor.Renders;
  Library().TextMenuItem->trigger();
  Library().TextMenuItem->trigger();
  // The preview stands at frame 10 (from 0) when the third text is made.
  Editor.Frame = 10;
  Library().TextMenuItem->trigger();
  EXPECT_EQ(Captions(), QStringList({"Text1", "Text2", "Text3"}));
  EXPECT_EQ(Selected(), "Text3");
  EXPECT_EQ(SavedNames(), QStringList({"Text1", "Text2", "Text3"}));
  EXPECT_EQ(Editor.Renders, rendersBefore + 3);
  TTextForm& panel = Editor.TextPanel();
  EXPECT_TRUE(panel.isVisible());
  EXPECT_EQ(panel.ChildLabelFlashObj->text(), "Text3");
  EXPECT_EQ(Editor.Kind, "Text");
  EXPECT_EQ(panel.EditBegin->Value(), 11);
  EXPECT_EQ(panel.EditEnd->Value(), 35);
  EXPECT_EQ(panel.EffectName->currentText(), "-- None --");
  EXPECT_EQ(panel.FontSize->currentText(), "18");
  // The preview stays at the new text's first frame after the render.
  EXPECT_EQ(Editor.Frame, 10);
  EXPECT_FALSE(panel.Timer1->isActive());
}

TEST_F(ObjListFormTest, OpeningATextMovesThePreviewToItsStartButASoundLeavesItAlone) {
  Open(NamedText("Text1", 5, "first") + NamedText("Text2", 30, "second") + SoundObjXml("Sound1", "tune.wav"));
  Click(1);
  EXPECT_EQ(Selected(), "Text2");
  EXPECT_EQ(Editor.Frame, 30);
  EXPECT_EQ(Editor.TextPanel().Content->text(), "second");
  EXPECT_EQ(Editor.TextPanel().ChildLabelFlashObj->text(), "Text2");
  Editor.Frame = 44;
  Click(2);
  EXPECT_EQ(Editor.Kind, "Sound");
  EXPECT_EQ(Sound.Shown, "tune.wav");
  EXPECT_EQ(Editor.Frame, 44);
  // Opening a sound closes the text panel; the background panel is never closed.
  EXPECT_FALSE(Editor.TextPanel().isVisible());
  EXPECT_TRUE(Editor.BackgroundPanel().isVisible());
  Click(0);
  EXPECT_TRUE(Editor.TextPanel().isVisible());
  EXPECT_EQ(Editor.Frame, 5);
}

TEST_F(ObjListFormTest, DeletingTheThirdOfFiveSelectsTheSecond) {
  Open(NamedText("Text1", 0, "a") + NamedText("Text2", 0, "b") + NamedText("Text3", 0, "c") +
       NamedText("Text4", 0, "d") + NamedText("Text5", 0, "e"));
  const int renders = Editor.Renders;
  Click(2);
  Library().Delete1->trigger();
  EXPECT_EQ(Captions(), QStringList({"Text1", "Text2", "Text4", "Text5"}));
  EXPECT_EQ(SavedNames(), QStringList({"Text1", "Text2", "Text4", "Text5"}));
  EXPECT_EQ(Selected(), "Text2");
  // Selecting the neighbour opened it.
  EXPECT_EQ(Editor.TextPanel().Content->text(), "b");
  EXPECT_TRUE(Editor.TextPanel().isVisible());
  // The preview shows the card without it at once.
  EXPECT_EQ(Editor.Renders, renders + 1);
}

TEST_F(ObjListFormTest, DeletingTheFirstSelectsTheNewFirstAndTheOnlyLeavesNothing) {
  Open(NamedText("Text1", 0, "a") + NamedText("Text2", 0, "b"));
  Click(0);
  Library().DelObjAct->trigger();
  EXPECT_EQ(Captions(), QStringList({"Text2"}));
  EXPECT_EQ(Selected(), "Text2");
  Library().DelObjAct->trigger();
  EXPECT_TRUE(Captions().isEmpty());
  EXPECT_EQ(Selected(), "(none)");
  EXPECT_FALSE(Editor.TextPanel().isVisible());
  EXPECT_TRUE(SavedNames().isEmpty());
  // With nothing selected, opening and deleting do nothing.
  Library().DelObjAct->trigger();
  Library().DisplayObjAct->trigger();
  EXPECT_TRUE(SavedNames().isEmpty());
}

TEST_F(ObjListFormTest, DeleteKeyDeletesExactlyOneObject) {
  Open(NamedText("Text1") + NamedText("Text2") + NamedText("Text3"));
  Click(1);
  Tree()->setFocus();
  QTest::keyClick(Tree(), Qt::Key_Delete);
  EXPECT_EQ(Captions(), QStringList({"Text1", "Text3"}));
  EXPECT_EQ(Selected(), "Text1");
  // Other keys delete nothing.
  QTest::keyClick(Tree(), Qt::Key_Backspace);
  EXPECT_EQ(Captions().size(), 2);
}

TEST_F(ObjListFormTest, TwinNamesAreBothListedAndEitherNodeActsOnTheFirst) {
  Open(NamedText("Text1", 3, "first") + NamedText("Text1", 9, "second"));
  EXPECT_EQ(Captions(), QStringList({"Text1", "Text1"}));
  Click(1);
  EXPECT_EQ(Editor.TextPanel().Content->text(), "first");
  EXPECT_EQ(Editor.Frame, 3);
  Library().DelObjAct->trigger();
  TXMLCardDocument saved(Editor.Card->WorkProjectFile());
  TXMLObjList objects = BindMovie(saved).Obj();
  ASSERT_EQ(objects.Count(), 1);
  EXPECT_EQ(objects.Item(0).ObjType().ObjText().Content(), "second");
}

TEST_F(ObjListFormTest, AnObjectOfUnknownKindIsListedButOpensNoPanel) {
  TTextObj odd;
  odd.Name = "Odd1";
  odd.Kind = "text";
  Open(NamedText("Text1") + TextObjXml(odd));
  Click(0);
  EXPECT_TRUE(Editor.TextPanel().isVisible());
  Editor.Kind.clear();
  Click(1);
  EXPECT_EQ(Editor.Kind, "");
  EXPECT_TRUE(Editor.TextPanel().isVisible());
  Library().DelObjAct->trigger();
  EXPECT_EQ(Captions(), QStringList({"Text1"}));
  // Deleting it closed no panel.
  EXPECT_TRUE(Editor.TextPanel().isVisible());
}

TEST_F(ObjListFormTest, AnEditWaitingForItsTimerLandsOnItsOwnObjectWhenAnotherIsOpened) {
  Open(NamedText("Text1", 0, "one") + NamedText("Text2", 0, "two"));
  Click(0);
  TTextForm& panel = Editor.TextPanel();
  panel.Content->setText("changed");
  ASSERT_TRUE(panel.Timer1->isActive());
  Click(1);
  EXPECT_FALSE(panel.Timer1->isActive());
  EXPECT_EQ(panel.Content->text(), "two");
  TXMLCardDocument saved(Editor.Card->WorkProjectFile());
  TXMLObjList objects = BindMovie(saved).Obj();
  EXPECT_EQ(objects.Item(0).ObjType().ObjText().Content(), "changed");
  EXPECT_EQ(objects.Item(1).ObjType().ObjText().Content(), "two");
}

TEST_F(ObjListFormTest, ClickingTheOpenNodeAgainKeepsWhatWasJustTyped) {
  Open(NamedText("Text1", 0, "one"));
  Click(0);
  TTextForm& panel = Editor.TextPanel();
  panel.Content->setText("uno");
  Click(0);
  EXPECT_EQ(panel.Content->text(), "uno");
  EXPECT_FALSE(panel.Timer1->isActive());
  TXMLCardDocument saved(Editor.Card->WorkProjectFile());
  EXPECT_EQ(BindMovie(saved).Obj().Item(0).ObjType().ObjText().Content(), "uno");
}

TEST_F(ObjListFormTest, PendingEditsOfAllPanelsCanBeAppliedBeforeASave) {
  Open(NamedText("Text1", 0, "one"));
  Click(0);
  Editor.TextPanel().Content->setText("final");
  Editor.BackgroundPanel().EditWidth->SetValue(300);
  const int renders = Editor.Renders;
  TChildForm::ApplyAllPendingEdits();
  EXPECT_EQ(Editor.Renders, renders + 2);
  TXMLCardDocument saved(Editor.Card->WorkProjectFile());
  EXPECT_EQ(BindMovie(saved).Obj().Item(0).ObjType().ObjText().Content(), "final");
  EXPECT_EQ(BindMovie(saved).Width(), 300);
  EXPECT_FALSE(Editor.TextPanel().Timer1->isActive());
  EXPECT_FALSE(Editor.BackgroundPanel().Timer1->isActive());
}

} // namespace
