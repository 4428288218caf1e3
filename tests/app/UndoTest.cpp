// Undo and redo in the editor: every kind of edit comes back byte for byte, document and
// movie; runs of typing merge; the library, the panels and the preview follow; the keys and
// the preview menu's entries.
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QComboBox>
#include <QMenu>
#include <QTest>
#include <QTreeWidget>
#include <QUndoStack>
#include <functional>

#include "EditorFixture.h"
#include "card/FlashCard.h"
#include "panels/BackgroundFrm.h"
#include "panels/ColorButton.h"
#include "panels/ObjListFrm.h"
#include "panels/PicFrm.h"
#include "panels/SoundFrm.h"
#include "panels/SpinEdit.h"
#include "panels/TextFrm.h"
#include "platform/SystemPaths.h"
#include "player/widget/FlashPlayer.h"

namespace {

QByteArray FileBytes(const std::string& name) {
  QFile file(QString::fromStdString(name));
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct TCardState {
  QByteArray Document;
  QByteArray Movie;
  bool operator==(const TCardState&) const = default;
};

class UndoTest : public EditorTest {
protected:
  // The birthday card without its randomly coloured text, so equal cards give equal movies.
  void OpenCard() {
    QFile source(TMainForm::TemplateFile(1));
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    QByteArray card = source.readAll().replace("Rainbow", "Fade");
    QString path = Dir.filePath(QStringLiteral("Party.grx"));
    QFile target(path);
    ASSERT_TRUE(target.open(QIODevice::WriteOnly));
    target.write(card);
    target.close();
    Start({path});
  }
  TCardState State() { return {FileBytes(Card()->WorkProjectFile()), FileBytes(Card()->WorkSwfFile)}; }
  QUndoStack& Steps() { return Card()->History().Steps(); }
  TTextForm& TextPanel() { return *qobject_cast<TTextForm*>(Global().TextForm.data()); }
  TPicForm& PicPanel() { return *qobject_cast<TPicForm*>(Global().PicForm.data()); }
  TSoundForm& SoundPanel() { return *qobject_cast<TSoundForm*>(Global().SoundForm.data()); }
  TBackgroundForm& BackgroundPanel() { return *qobject_cast<TBackgroundForm*>(Global().BackgroundForm.data()); }
  // Selects a library node as a click does, ending the run before i
  void Select(int node) {
    Card()->History().EndRun();
    Library()->SelectNode(node);
  }
  void Select(const QString& name) {
    for (int i = 0; i < Library()->ObjTree->topLevelItemCount(); ++i)
      if (Library()->ObjTree->topLevelItem(i)->text(0) == name)
        return Select(i);
    ADD_FAILURE() << "no object " << name.toStdString();
  }
  void Undo() { Form().EditUndoAct->trigger(); }
  void Redo() { Form().EditRedoAct->trigger(); }
  void Type(QWidget* field, const QString& text) {
    QTest::keyClicks(field, text);
    TChildForm::ApplyAllPendingEdits();
  }
};

struct TEditKind {
  const char* Label;
  std::function<void()> Edit;
};

} // namespace

TEST_F(UndoTest, EveryKindOfEditUndoesAndRedoesByteForByte) {
  OpenCard();
  const std::vector<TEditKind> kinds = {
      {"Insert Text", [this] { Form().InsertTextActExecute(); }},
      {"Insert Sound", [this] { Form().InsertSoundActExecute(); }},
      {"Insert Picture", [this] { Form().InsertPictureActExecute(); }},
      {"Delete Text", [this] {
         Select("Text2");
         Library()->DelObjAct->trigger();
         Card()->BuildMovie("", ""); // the next render takes the object off the preview
       }},
      {"Typing", [this] { Select("Text1"); Type(TextPanel().Content, "!!"); }},
      {"Font Size", [this] { Select("Text1"); TextPanel().FontSize->setCurrentIndex(3); }},
      {"Font", [this] { Select("Text1"); TextPanel().FontName->setCurrentIndex(1); }},
      {"Font Color", [this] { Select("Text1"); TextPanel().FontColor->SetColor(0x0000FF); }},
      {"Frames", [this] { Select("Text1"); TextPanel().EditEnd->SetValue(40); TChildForm::ApplyAllPendingEdits(); }},
      {"Effect", [this] { Select("Text3"); TextPanel().EffectName->setCurrentIndex(2); }},
      {"Move", [this] {
         Select("Text1");
         QPoint centre = Form().PanelMain->geometry().center();
         PressAt(Qt::LeftButton, centre);
         ReleaseAt(Qt::LeftButton, centre + QPoint(12, -7));
       }},
      {"Background Color", [this] { BackgroundPanel().BGColor->SetColor(0x00FF00); }},
      {"Stage Size", [this] { BackgroundPanel().EditWidth->SetValue(500); TChildForm::ApplyAllPendingEdits(); }},
      {"Frame Rate", [this] { BackgroundPanel().EditRate->SetValue(20); TChildForm::ApplyAllPendingEdits(); }},
      {"Loop", [this] { Form().ControlLoopActExecute(); }},
  };
  for (const TEditKind& kind : kinds) {
    SCOPED_TRACE(kind.Label);
    const TCardState before = State();
    const int steps = Steps().count();
    kind.Edit();
    const TCardState after = State();
    ASSERT_NE(after.Document, before.Document);
    ASSERT_EQ(Steps().count(), steps + 1);
    EXPECT_EQ(Form().EditUndoAct->text(), QStringLiteral("Undo ") + kind.Label);
    Undo();
    EXPECT_EQ(State(), before);
    EXPECT_EQ(Form().EditRedoAct->text(), QStringLiteral("Redo ") + kind.Label);
    Redo();
    EXPECT_EQ(State(), after);
  }
  EXPECT_TRUE(Errors.isEmpty()) << Errors.join('\n').toStdString();
}

TEST_F(UndoTest, AnUndoTakesBackOnlyTheStepItNames) {
  // Each change is a step of its own, also one that renders nothing new (a sound chosen): the
  // undo of a later delete brings the text back and leaves the change in place.
  OpenCard();
  const std::vector<TEditKind> changes = {
      {"Sound", [this] {
         // Another sound, converted as the chooser leaves it.
         const QString library = Platform::ProgramFolder() + QStringLiteral("/library/");
         const QString carol = Dir.filePath(QStringLiteral("carol.wav"));
         ASSERT_TRUE(QFile::copy(library + QStringLiteral("jingle.wav"), carol));
         ASSERT_TRUE(QFile::copy(library + QStringLiteral("jingle.wav_tmp.wav"), carol + QStringLiteral("_tmp.wav")));
         Select("Sound1");
         SoundPanel().Content->setText(carol);
       }},
      {"Text", [this] { Select("Text1"); Type(TextPanel().Content, "!!"); }},
      {"Font Size", [this] { Select("Text1"); TextPanel().FontSize->setCurrentIndex(2); }},
      {"Font Color", [this] { Select("Text1"); TextPanel().FontColor->SetColor(0x00FFFF); }},
      {"Text Start", [this] { Select("Text1"); TextPanel().EditBegin->SetValue(3); TChildForm::ApplyAllPendingEdits(); }},
      {"Picture Width", [this] { Select("Pic1"); PicPanel().EditWidth->SetValue(77); TChildForm::ApplyAllPendingEdits(); }},
      {"Picture Effect", [this] { Select("Pic1"); PicPanel().EffectName->setCurrentIndex(1); }},
      {"Background Color", [this] { BackgroundPanel().BGColor->SetColor(0x0000FF); }},
      {"Frame Rate", [this] { BackgroundPanel().EditRate->SetValue(15); TChildForm::ApplyAllPendingEdits(); }},
      {"Loop", [this] { Form().ControlLoopActExecute(); }},
  };
  for (const TEditKind& change : changes) {
    SCOPED_TRACE(change.Label);
    change.Edit();
    const QByteArray changed = State().Document;
    Select("Text4");
    Library()->DelObjAct->trigger();
    ASSERT_EQ(State().Document.indexOf("<ObjName>Text4</ObjName>"), -1);
    Undo();
    EXPECT_EQ(State().Document, changed);
  }
  EXPECT_TRUE(Errors.isEmpty()) << Errors.join('\n').toStdString();
}

TEST_F(UndoTest, TwentyMixedEditsUndoneAndRedoneEndWhereTheyStarted) {
  OpenCard();
  const TCardState start = State();
  for (int i = 0; i < 20; ++i) {
    Select(2 + i % 3); // the first three texts
    switch (i % 4) {
    case 0: Type(TextPanel().Content, QString::number(i)); break;
    case 1: TextPanel().FontSize->setCurrentIndex(i % 10); break;
    case 2: BackgroundPanel().EditRate->SetValue(10 + i); TChildForm::ApplyAllPendingEdits(); break;
    case 3: Form().InsertTextActExecute(); break;
    }
  }
  ASSERT_GE(Steps().count(), 15);
  const TCardState end = State();
  while (Steps().canUndo())
    Undo();
  EXPECT_EQ(State(), start);
  EXPECT_FALSE(Form().EditUndoAct->isEnabled());
  while (Steps().canRedo())
    Redo();
  EXPECT_EQ(State(), end);
}

TEST_F(UndoTest, ARunOfTypingIsOneStepAndANewFocusStartsAnother) {
  OpenCard();
  Select("Text3");
  auto* content = TextPanel().Content;
  const QString original = content->text();
  Type(content, "Hel");
  Type(content, "lo");
  Type(content, " you");
  EXPECT_EQ(Steps().count(), 1);
  EXPECT_EQ(Steps().undoText(), "Typing");
  Card()->History().EndRun(); // a click elsewhere
  Type(content, "!");
  EXPECT_EQ(Steps().count(), 2);
  Undo();
  EXPECT_EQ(content->text(), "Hello you" + original);
  Undo();
  EXPECT_EQ(content->text(), original);
}

TEST_F(UndoTest, UndoBringsBackTheSelectionThePanelAndTheUsersFrame) {
  OpenCard();
  Select("Text2");
  const QString size = TextPanel().FontSize->currentText();
  TextPanel().FontSize->setCurrentIndex(0);
  Select("Text5");
  Player().SetPlaying(false);
  Player().GotoFrame(100);
  Undo();
  ASSERT_EQ(Library()->ObjTree->selectedItems().size(), 1);
  EXPECT_EQ(Library()->ObjTree->selectedItems().first()->text(0), "Text2");
  EXPECT_EQ(TextPanel().FontSize->currentText(), size);
  EXPECT_EQ(TextPanel().ChildLabelFlashObj->text(), "Text2");
  EXPECT_EQ(Player().FrameNum(), 100);

  // An undone insertion selects what was selected before it.
  Select("Pic1");
  Form().InsertTextActExecute();
  const int count = Library()->ObjTree->topLevelItemCount();
  Undo();
  EXPECT_EQ(Library()->ObjTree->topLevelItemCount(), count - 1);
  ASSERT_EQ(Library()->ObjTree->selectedItems().size(), 1);
  EXPECT_EQ(Library()->ObjTree->selectedItems().first()->text(0), "Pic1");
  EXPECT_FALSE(TextPanel().isVisible());
}

TEST_F(UndoTest, TheKeysUndoInTheWindowAndATextBoxKeepsItsOwnUndo) {
  OpenCard();
  Select("Text3");
  const TCardState before = State();
  TextPanel().FontSize->setCurrentIndex(0);
  Form().setFocus();
  QTest::keyClick(&Form(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(State(), before);
  const TCardState changed = [&] {
    QTest::keyClick(&Form(), Qt::Key_Y, Qt::ControlModifier);
    return State();
  }();
  EXPECT_NE(changed, before);
  QTest::keyClick(&Form(), Qt::Key_Z, Qt::ControlModifier);
  QTest::keyClick(&Form(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(State(), changed);

  // In the text box the keys take back its own typing firs
  auto* content = TextPanel().Content;
  content->setFocus();
  const QString text = content->text();
  QTest::keyClicks(content, "xy");
  QTest::keyClick(content, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(content->text(), text);
  EXPECT_EQ(State(), changed);
}

TEST_F(UndoTest, ThePreviewMenuOffersUndoAndRedoGreyedWhenThereIsNothing) {
  OpenCard();
  QList<QAction*> entries = Form().PopupMenu->actions();
  ASSERT_GE(entries.size(), 5);
  EXPECT_EQ(entries[0], Form().EditUndoAct);
  EXPECT_EQ(entries[1], Form().EditRedoAct);
  EXPECT_TRUE(entries[2]->isSeparator());
  EXPECT_EQ(entries[3], Form().LoopPopupMenuItem);
  EXPECT_FALSE(Form().EditUndoAct->isEnabled());
  EXPECT_EQ(Form().EditUndoAct->text(), "Undo");
  EXPECT_FALSE(Form().EditRedoAct->isEnabled());

  Form().InsertTextActExecute();
  EXPECT_TRUE(Form().EditUndoAct->isEnabled());
  EXPECT_EQ(Form().EditUndoAct->text(), "Undo Insert Text");
  Undo();
  EXPECT_FALSE(Form().EditUndoAct->isEnabled());
  EXPECT_EQ(Form().EditRedoAct->text(), "Redo Insert Text");

  // New and Open start a card with no history.
  Form().FileCloseActExecute();
  EXPECT_FALSE(Form().EditRedoAct->isEnabled());
}
