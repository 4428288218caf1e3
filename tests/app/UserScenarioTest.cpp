// What a person using the editor sees: the first movie of an opened card, the panels'
// "Selected:" line, the closed window, a long text in the text panel and the captions of
// the other windows.
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "EditorFixture.h"
#include "card/FlashCard.h"
#include "panels/ChildFrm.h"
#include "panels/ObjListFrm.h"
#include "panels/TextFrm.h"
#include "player/widget/FlashPlayer.h"
#include "swf/reader/DisplayList.h"
#include "swf/reader/MovieParser.h"

namespace {

// How many objects the working movie shows at each of the frames.
std::vector<size_t> ObjectsShown(const std::string& movieFile, std::initializer_list<uint32_t> frames) {
  swf::TMovie movie = swf::LoadMovieFile(movieFile);
  std::vector<size_t> counts;
  for (uint32_t frame : frames)
    counts.push_back(swf::ReplayTimeline(movie.Timeline, frame).Size());
  return counts;
}

// The birthday card opened from the blank one: its "Fade" and "Rotate" texts end long before
// the movie does and must be gone after their end, although the preview showed a movie of
// one frame when the card was first rendered.
TEST_F(EditorTest, FirstMovieOfANewCardTakesObjectsOffTheStageAfterTheirEnd) {
  Start();
  ASSERT_EQ(Player().TotalFrames(), 1);
  NewWithGuide(1);
  ASSERT_EQ(Player().TotalFrames(), 240);
  std::vector<size_t> first = ObjectsShown(Card()->WorkSwfFile, {30, 70, 150, 239});
  Card()->BuildMovie("", ""); // a render made while the preview shows this card's movie
  EXPECT_EQ(ObjectsShown(Card()->WorkSwfFile, {30, 70, 150, 239}), first);
}

// Opening a card in a window that keeps its size brings no resize: the panels made for it
// must still keep their "Selected:" line clear of the library below it.
TEST_F(EditorTest, PanelsOfAReopenedCardShowTheirSelectedLineAboveTheLibrary) {
  QString card = Dir.filePath("Plain.grx");
  ASSERT_TRUE(QFile::copy(TMainForm::TemplateFile(0), card));
  Start();
  QSize before = Form().ClientSize();
  Dialogs().Answers << card;
  Form().FileOpenActExecute();
  ASSERT_EQ(Form().ClientSize(), before);
  QRect library = Form().PanelObj->geometry();
  for (QWidget* panel : {Global().BackgroundForm.data(), Global().TextForm.data(),
                         Global().PicForm.data(), Global().SoundForm.data()}) {
    ASSERT_NE(panel, nullptr);
    for (QLabel* label : {static_cast<TChildForm*>(panel)->ChildLabelFlashObj1,
                          static_cast<TChildForm*>(panel)->ChildLabelFlashObj}) {
      QRect onClient(label->mapTo(Form().Client, QPoint(0, 0)), label->size());
      EXPECT_FALSE(onClient.intersects(library)) << panel->objectName().toStdString();
    }
  }
}

TEST_F(EditorTest, ClosedWindowShowsAPlainFaceWhereThePreviewWas) {
  Start();
  Form().FileCloseActExecute();
  QImage window = Form().grab().toImage();
  QPoint middle = Form().Client->mapTo(&Form(), Form().PanelMain->geometry().center());
  QColor border(194, 76, 47); // the sizing border's colour
  EXPECT_NE(window.pixelColor(middle), border);
  EXPECT_EQ(window.pixelColor(middle), Form().palette().color(QPalette::Window));
}

TEST_F(EditorTest, ALongTextShowsItsBeginningInTheTextPanel) {
  Start({TMainForm::TemplateFile(1)});
  // Text8: "Have a wonderful day full of cake, fun and friends!"
  Library()->SelectNode(9);
  auto* panel = qobject_cast<TTextForm*>(Global().TextForm.data());
  ASSERT_NE(panel, nullptr);
  ASSERT_TRUE(panel->Content->text().startsWith("Have a wonderful day"));
  EXPECT_EQ(panel->Content->cursorPosition(), 0);
}

// The window system appends the application's display name to the caption of every other
// window (choosers, file dialogs, the About box): it must not be the running caption.
TEST_F(EditorTest, OtherWindowsCaptionsCarryNoFrameCounter) {
  Start();
  Form().TimerTitleTimer();
  ASSERT_TRUE(Form().windowTitle().endsWith("Frames)"));
  EXPECT_FALSE(QGuiApplication::applicationDisplayName().contains("Frames"));
}

// A card that does not loop stops on its last picture, however often it is saved.
TEST_F(EditorTest, SavingAgainKeepsTheSavedMovieAndThePreviewTheirLength) {
  QString card = Dir.filePath("Once.grx");
  ASSERT_TRUE(QFile::copy(TMainForm::TemplateFile(1), card));
  Start({card});
  Form().ControlLoopActExecute(); // looping off
  int previewFrames = Player().TotalFrames();
  std::vector<size_t> shown;
  for (int save = 0; save < 2; ++save) {
    Form().FileSaveActExecute();
    EXPECT_EQ(Player().TotalFrames(), previewFrames);
    swf::TMovie movie = swf::LoadMovieFile(Dir.filePath("Once.swf").toStdString());
    ASSERT_EQ(int(movie.Header.FrameCount), previewFrames + 1);
    shown.push_back(swf::ReplayTimeline(movie.Timeline, previewFrames).Size());
  }
  EXPECT_GT(shown[0], 1u); // more than the background picture
  EXPECT_EQ(shown[1], shown[0]);
}

} // namespace
