// "Save changes?" before the card goes: asked exactly when something changed, for New,
// Open, Close, closing the window and the end of the session; Cancel keeps everything.
#include <QDir>
#include <QFile>
#include <QTest>
#include <functional>

#include "EditorFixture.h"
#include "card/FlashCard.h"
#include "panels/ChildFrm.h"
#include "panels/ObjListFrm.h"

namespace {

QByteArray FileBytes(const QString& name) {
  QFile file(name);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class UnsavedChangesTest : public EditorTest {
protected:
  QString CardFile() { return Dir.filePath(QStringLiteral("Party.grx")); }
  void OpenSavedCard() {
    QFile::remove(CardFile());
    ASSERT_TRUE(QFile::copy(TMainForm::TemplateFile(1), CardFile()));
    QFile(CardFile()).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    Start({CardFile()});
  }
  // The four ways out, each with what makes it go on past the question.
  struct TWayOut {
    const char* Name;
    std::function<void()> Run;
  };
  std::vector<TWayOut> WaysOut() {
    return {
        {"New", [this] { NewWithGuide(0); }},
        {"Open", [this] {
           Dialogs().Answers << CardFile();
           Form().FileOpenActExecute();
         }},
        {"Close", [this] { Form().FileCloseActExecute(); }},
        {"window close", [this] { Form().close(); }},
    };
  }
  QStringList WorkingFolder() {
    return QDir(QFileInfo(Global().UntitledBasePath).path()).entryList(QDir::Files, QDir::Name);
  }
};

} // namespace

TEST_F(UnsavedChangesTest, NoQuestionWhileNothingChanged) {
  for (const TWayOut& way : WaysOut()) {
    SCOPED_TRACE(way.Name);
    OpenSavedCard();
    way.Run();
    EXPECT_TRUE(Questions().Asked.isEmpty());
  }
  // An edit undone is no change either.
  OpenSavedCard();
  Form().InsertTextActExecute();
  Form().EditUndoAct->trigger();
  Form().FileCloseActExecute();
  EXPECT_TRUE(Questions().Asked.isEmpty());
}

TEST_F(UnsavedChangesTest, EveryWayOutAsksAfterAnEditAndCancelKeepsEverything) {
  for (const TWayOut& way : WaysOut()) {
    SCOPED_TRACE(way.Name);
    OpenSavedCard();
    Form().InsertTextActExecute();
    TFlashCard* card = Card();
    const QByteArray working = FileBytes(QString::fromStdString(card->WorkProjectFile()));
    const QByteArray saved = FileBytes(CardFile());
    const QStringList folder = WorkingFolder();
    Questions().SaveAnswers << TSaveAnswer::Cancel;
    way.Run();
    EXPECT_EQ(Questions().Asked, QStringList{"Save changes to Party?"});
    EXPECT_EQ(Card(), card);
    EXPECT_EQ(card->Mode(), "Edit");
    EXPECT_TRUE(Form().isVisible());
    EXPECT_EQ(FileBytes(QString::fromStdString(card->WorkProjectFile())), working);
    EXPECT_EQ(FileBytes(CardFile()), saved);
    EXPECT_EQ(WorkingFolder(), folder);
    EXPECT_TRUE(Form().EditUndoAct->isEnabled());
  }
}

TEST_F(UnsavedChangesTest, SaveKeepsTheEditAndDontSaveLetsItGo) {
  OpenSavedCard();
  Form().InsertTextActExecute();
  const QByteArray edited = FileBytes(QString::fromStdString(Card()->WorkProjectFile()));
  Questions().SaveAnswers << TSaveAnswer::Save;
  Form().FileCloseActExecute();
  EXPECT_EQ(Card()->Mode(), "Close");
  EXPECT_EQ(FileBytes(CardFile()), edited);

  OpenSavedCard();
  const QByteArray saved = FileBytes(CardFile());
  Form().InsertTextActExecute();
  Questions().SaveAnswers << TSaveAnswer::DontSave;
  Form().FileCloseActExecute();
  EXPECT_EQ(Card()->Mode(), "Close");
  EXPECT_EQ(FileBytes(CardFile()), saved);
}

TEST_F(UnsavedChangesTest, ANewCardWithObjectsAsksAndASaveThatDoesNotHappenKeepsIt) {
  Start();
  // The blank card as it starts holds nothing to lose.
  Form().FileCloseActExecute();
  EXPECT_TRUE(Questions().Asked.isEmpty());

  NewWithGuide(1); // the birthday card, never saved
  TFlashCard* card = Card();
  Questions().SaveAnswers << TSaveAnswer::Save;
  Dialogs().Answers << QString(); // the file dialog is cancelled
  Form().FileCloseActExecute();
  EXPECT_EQ(Questions().Asked, QStringList{"Save changes to Untitled?"});
  EXPECT_EQ(Card(), card);
  EXPECT_EQ(card->Mode(), "Edit");
}

TEST_F(UnsavedChangesTest, TheSessionEndAsksWhenItMayAndCancelStopsIt) {
  OpenSavedCard();
  Form().InsertTextActExecute();
  // Not allowed to ask: the card stays in the working folder for the next start.
  EXPECT_FALSE(Form().SessionEndCancelled(false));
  EXPECT_TRUE(Questions().Asked.isEmpty());
  Questions().SaveAnswers << TSaveAnswer::Cancel;
  EXPECT_TRUE(Form().SessionEndCancelled(true));
  Questions().SaveAnswers << TSaveAnswer::DontSave;
  EXPECT_FALSE(Form().SessionEndCancelled(true));
  EXPECT_EQ(Questions().Asked.size(), 2);
}
