// The start-up document chosen from the command line and the three window states.
#include <QAction>
#include <QFileInfo>
#include <QLabel>

#include "EditorFixture.h"
#include "app/PictureButton.h"
#include "card/FlashCard.h"
#include "player/widget/FlashPlayer.h"

namespace {

// What a state shows, read from the controls.
struct TStateView {
  bool PreviewShown, LibraryShown, PlayEnabled, EditEnabled, ToolWindows;
};

TStateView ViewOf(TMainForm& form) {
  const TGlobal& g = form.Global();
  return {form.PanelMain->isVisible(), form.PanelObj->isVisible(),
          form.BtnPlay->isEnabled() && form.ControlPlayAct->isEnabled(),
          form.BtnSave->isEnabled() && form.FileSaveAct->isEnabled(),
          g.BackgroundForm || g.ObjListForm || g.TextForm};
}

void ExpectEditState(TMainForm& form) {
  TStateView view = ViewOf(form);
  EXPECT_TRUE(view.PreviewShown);
  EXPECT_TRUE(view.LibraryShown);
  EXPECT_TRUE(view.PlayEnabled);
  EXPECT_TRUE(view.EditEnabled);
  EXPECT_TRUE(view.ToolWindows);
  EXPECT_EQ(form.Global().FlashCard->Mode(), "Edit");
}

void ExpectPlayState(TMainForm& form) {
  TStateView view = ViewOf(form);
  EXPECT_TRUE(view.PreviewShown);
  EXPECT_FALSE(view.LibraryShown);
  EXPECT_TRUE(view.PlayEnabled);
  EXPECT_FALSE(view.EditEnabled);
  EXPECT_FALSE(view.ToolWindows);
  EXPECT_FALSE(form.BtnBackground->isEnabled());
  EXPECT_EQ(form.Global().FlashCard->Mode(), "Play");
}

TEST_F(EditorTest, NoArgumentOpensTheBlankTemplateForEditingWithoutPlaying) {
  Start();
  ASSERT_NE(Card(), nullptr);
  ExpectEditState(Form());
  EXPECT_EQ(QString::fromStdString(Card()->SourceProject), TMainForm::TemplateFile(0));
  EXPECT_EQ(QFileInfo(QString::fromStdString(Card()->SourceProject)).fileName(), "blank.grx");
  EXPECT_FALSE(Global().Playing);
  EXPECT_FALSE(Player().Playing());
  EXPECT_EQ(QFileInfo(Player().Movie()).fileName(), "Untitled.swf");
  EXPECT_TRUE(Errors.isEmpty()) << Errors.join('\n').toStdString();
}

TEST_F(EditorTest, WorkingFilesLieInAPrivateFolderOfThisRun) {
  Start();
  QFileInfo base(Global().UntitledBasePath);
  EXPECT_EQ(base.fileName(), "Untitled");
  QFileInfo folder(base.absolutePath());
  EXPECT_TRUE(folder.fileName().startsWith("greetix-"));
  EXPECT_EQ(folder.permissions() & (QFile::ReadGroup | QFile::ReadOther | QFile::WriteOther), 0);
  EXPECT_TRUE(QFileInfo::exists(Global().UntitledBasePath + ".grx"));
}

TEST_F(EditorTest, MovieArgumentPlaysInAnyLetterCase) {
  for (const char* name : {"party.swf", "party.SWF", "party.Swf"}) {
    QString movie = MakeMovie(QString::fromLatin1(name), 300, 200, 20);
    Start({movie});
    ExpectPlayState(Form());
    EXPECT_EQ(Player().Movie(), movie) << name;
    EXPECT_TRUE(Global().Playing) << name;
    EXPECT_EQ(Player().TotalFrames(), 20) << name;
  }
}

TEST_F(EditorTest, OtherExtensionOpensTheBlankTemplate) {
  QString notes = Dir.filePath("notes.txt");
  Start({notes});
  ExpectEditState(Form());
  EXPECT_EQ(QString::fromStdString(Card()->SourceProject), TMainForm::TemplateFile(0));
  EXPECT_FALSE(Global().Playing);
}

TEST_F(EditorTest, ProjectArgumentOpensTheCardAndPlaysIt) {
  QString card = Dir.filePath("Party.grx");
  ASSERT_TRUE(QFile::copy(TMainForm::TemplateFile(1), card));
  Start({card});
  ExpectEditState(Form());
  EXPECT_EQ(QString::fromStdString(Card()->CardPath), Dir.filePath("Party"));
  EXPECT_TRUE(Global().Playing);
  EXPECT_EQ(Card()->Width, 400);
  Form().TimerTitleTimer();
  EXPECT_TRUE(Form().windowTitle().startsWith("Greetix 3.0 - Party ("));
}

TEST_F(EditorTest, CloseFreesTheToolWindowsAndHidesThePreview) {
  Start();
  Form().FileCloseActExecute();
  TStateView view = ViewOf(Form());
  EXPECT_FALSE(view.PreviewShown);
  EXPECT_FALSE(view.LibraryShown);
  EXPECT_FALSE(view.PlayEnabled);
  EXPECT_FALSE(view.EditEnabled);
  EXPECT_FALSE(view.ToolWindows);
  EXPECT_FALSE(Form().BtnLoop->isEnabled());
  EXPECT_FALSE(Form().StoredLoop());
  EXPECT_EQ(Player().Movie(), "http://");
  Form().TimerTitleTimer();
  EXPECT_EQ(Form().windowTitle(), "Greetix 3.0");
  EXPECT_EQ(Form().Caption1->text(), "");
}

TEST_F(EditorTest, EditAfterPlayRecreatesTheToolWindows) {
  Start({MakeMovie("movie.swf", 300, 200, 10)});
  ExpectPlayState(Form());
  Dialogs().Answers << TMainForm::TemplateFile(1);
  Form().FileOpenActExecute();
  ExpectEditState(Form());
  // The stored loop flag follows the card, which loops.
  EXPECT_TRUE(Form().StoredLoop());
  EXPECT_TRUE(Card()->Loop());
}

TEST_F(EditorTest, ErrorsOfACommandReachTheErrorBoxAndTheProgramGoesOn) {
  Start();
  QString broken = Dir.filePath("Broken.grx");
  QFile file(broken);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("this is not a card");
  file.close();
  Dialogs().Answers << broken;
  Form().BtnOpen->click();
  ASSERT_EQ(Errors.size(), 1);
  // The window still answers.
  Dialogs().Answers << MakeMovie("after.swf", 300, 200, 5);
  Form().BtnOpen->click();
  EXPECT_EQ(Card()->Mode(), "Play");
  EXPECT_EQ(Player().TotalFrames(), 5);
}

} // namespace
