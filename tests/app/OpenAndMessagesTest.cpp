// Opening files that cannot be cards, the frame a reopened card starts at, and the message
// boxes: one caption, OK and Cancel where a picture is refused, a text once per action.
#include <QApplication>
#include <QFile>
#include <QImage>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTreeWidget>
#include <QTest>
#include <QTimer>

#include "EditorFixture.h"
#include "app/ErrorBox.h"
#include "app/PictureButton.h"
#include "card/FlashCard.h"
#include "panels/ObjListFrm.h"
#include "panels/PanelCommands.h"
#include "platform/SystemPaths.h"
#include "player/widget/FlashPlayer.h"
#include "render/RenderContext.h"

namespace {

// Closes every message box that opens while it lives, noting its caption and buttons.
class TBoxWatcher {
public:
  TBoxWatcher() {
    ErrorBox::SetReporter({});
    QObject::connect(&Timer, &QTimer::timeout, [this] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        Captions << box->windowTitle();
        Buttons << box->standardButtons();
        box->reject();
      }
    });
    Timer.start(5);
  }
  QStringList Captions;
  QList<QMessageBox::StandardButtons> Buttons;

private:
  QTimer Timer;
};

int CountOf(const QStringList& texts, const QString& part) {
  int count = 0;
  for (const QString& text : texts)
    count += text.contains(part) ? 1 : 0;
  return count;
}

QStringList Captions(TObjListForm* library) {
  QStringList captions;
  for (int i = 0; library && i < library->ObjTree->topLevelItemCount(); ++i)
    captions << library->ObjTree->topLevelItem(i)->text(0);
  return captions;
}

class OpenTest : public EditorTest {
protected:
  // Starts with a copy of the birthday card named Party.grx; returns its path.
  QString StartWithParty() {
    const QString card = Dir.filePath("Party.grx");
    EXPECT_TRUE(QFile::copy(TMainForm::TemplateFile(1), card));
    Start({card});
    return card;
  }
};

TEST_F(OpenTest, AFileOfAnotherKindIsRefusedAndTheCardStaysOpen) {
  StartWithParty();
  TFlashCard* before = Card();
  const QStringList objects = Captions(Library());
  QString notes = Dir.filePath("notes.txt");
  QFile file(notes);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("shopping list");
  file.close();
  Dialogs().Answers << notes;
  Form().BtnOpen->click();
  ASSERT_EQ(Errors.size(), 1);
  EXPECT_TRUE(Errors[0].contains("notes.txt")) << Errors[0].toStdString();
  EXPECT_EQ(Card(), before);
  EXPECT_EQ(Card()->Mode(), "Edit");
  EXPECT_EQ(Captions(Library()), objects);
}

TEST_F(OpenTest, ADamagedCardIsNamedAsChosenAndTheOpenCardStaysIntact) {
  StartWithParty();
  TFlashCard* before = Card();
  const QStringList objects = Captions(Library());
  for (const char* damage : {"<Movie><Width>wide</Width></Movie>", "<Movie><Obj>", "not a card at all"}) {
    SCOPED_TRACE(damage);
    Errors.clear();
    QString broken = Dir.filePath("Broken.grx");
    QFile file(broken);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(damage);
    file.close();
    Dialogs().Answers << broken;
    Form().BtnOpen->click();
    ASSERT_EQ(Errors.size(), 1);
    EXPECT_TRUE(Errors[0].contains(broken)) << Errors[0].toStdString();
    EXPECT_FALSE(Errors[0].contains(Global().UntitledBasePath)) << Errors[0].toStdString();
    EXPECT_EQ(Card(), before);
    EXPECT_EQ(QString::fromStdString(Card()->CardPath), Dir.filePath("Party"));
    EXPECT_EQ(Captions(Library()), objects);
    EXPECT_EQ(Global().Context.Movie().Obj().Count(), objects.size());
  }
}

TEST_F(OpenTest, AReopenedCardStartsAtItsFirstFrame) {
  const QString card = StartWithParty();
  Form().ControlPauseActExecute();
  Player().SetFrameNum(40);
  ASSERT_EQ(Player().FrameNum(), 40);
  Dialogs().Answers << card;
  Form().BtnOpen->click();
  EXPECT_EQ(Player().FrameNum(), 0);
}

TEST_F(EditorTest, EveryMessageBoxHasOneCaptionAndARefusedPictureOffersToScaleItDown) {
  Start();
  TBoxWatcher watcher;
  ErrorBox::Show("plain");
  RunPanelCommand(&Form(), [] { throw std::runtime_error("from a panel"); });
  QImage wide(801, 10, QImage::Format_RGB32);
  wide.fill(Qt::red);
  ASSERT_TRUE(wide.save(Dir.filePath("wide.bmp")));
  IPictureExaminer* examiner = Global().Context.PictureExaminer();
  ASSERT_NE(examiner, nullptr);
  examiner->SetPictureFile(Dir.filePath("wide.bmp").toStdString());
  EXPECT_FALSE(examiner->Examine()); // the offer to scale it down is cancelled
  ASSERT_EQ(watcher.Captions.size(), 4);
  EXPECT_EQ(watcher.Captions, QStringList(4, QApplication::applicationName()));
  EXPECT_EQ(watcher.Buttons[0], QMessageBox::Ok);
  EXPECT_EQ(watcher.Buttons[2], QMessageBox::Ok | QMessageBox::Cancel); // the refusal
  EXPECT_EQ(watcher.Buttons[3], QMessageBox::Ok | QMessageBox::Cancel); // "Scale it down to fit?"
}

TEST_F(EditorTest, ALargePictureIsScaledDownWhenTheUserSaysOk) {
  Start();
  QImage wide(1200, 300, QImage::Format_RGB32);
  wide.fill(Qt::red);
  ASSERT_TRUE(wide.save(Dir.filePath("wide.png")));
  ErrorBox::SetAnswer(true);
  IPictureExaminer* examiner = Global().Context.PictureExaminer();
  ASSERT_NE(examiner, nullptr);
  examiner->SetPictureFile(Dir.filePath("wide.png").toStdString());
  EXPECT_TRUE(examiner->Examine());
  ErrorBox::SetAnswer(false);
  EXPECT_EQ(examiner->Width(), 800);
  EXPECT_EQ(examiner->Height(), 200);
  EXPECT_EQ(Errors, QStringList({"The picture width>800 or height>600!", "Scale it down to fit?"}));
}

// The birthday template with its background picture replaced by `picture`, saved as Card.grx.
QString BirthdayCardWithBackground(const QTemporaryDir& dir, const QString& picture) {
  QFile templateFile(TMainForm::TemplateFile(0));
  if (!templateFile.open(QIODevice::ReadOnly))
    return {};
  QString xml = QString::fromUtf8(templateFile.readAll());
  xml.replace(QRegularExpression("<BgPic>[^<]*</BgPic>|<BgPic/>"), "<BgPic>" + picture + "</BgPic>");
  const QString card = dir.filePath("Card.grx");
  QFile file(card);
  if (!file.open(QIODevice::WriteOnly))
    return {};
  file.write(xml.toUtf8());
  return card;
}

TEST_F(EditorTest, AnUnreadablePictureIsToldOncePerUserAction) {
  const QString broken = Dir.filePath("broken.jpg");
  QFile picture(broken);
  ASSERT_TRUE(picture.open(QIODevice::WriteOnly));
  picture.write("not a picture at all");
  picture.close();
  const QString card = BirthdayCardWithBackground(Dir, broken);
  ASSERT_FALSE(card.isEmpty());
  Start({card});
  EXPECT_EQ(CountOf(Errors, "broken.jpg"), 1) << Errors.join("\n").toStdString();
  // Renders of the same action say nothing more; the next action tells again.
  Card()->BuildMovie("", "");
  EXPECT_EQ(CountOf(Errors, "broken.jpg"), 1);
  QTest::keyClick(&Form(), Qt::Key_Shift);
  Card()->BuildMovie("", "");
  Card()->BuildMovie("", "");
  EXPECT_EQ(CountOf(Errors, "broken.jpg"), 2);
}

TEST_F(EditorTest, AMissingPictureListedAtOpenIsNotToldAtEachEditUntilItComesAndGoesAgain) {
  // Named beside the card, as a card that travels names its pictures.
  const QString card = BirthdayCardWithBackground(Dir, QStringLiteral("gone.jpg"));
  const QString gone = Dir.filePath("gone.jpg");
  ASSERT_FALSE(card.isEmpty());
  Start({card});
  ASSERT_EQ(Questions().MissingAsked.size(), 1);
  EXPECT_EQ(Questions().MissingAsked[0], QStringList{QStringLiteral("gone.jpg")});
  // The user opened the card without it: neither the first render nor the edits after it
  // show a box for it.
  EXPECT_EQ(CountOf(Errors, "gone.jpg"), 0) << Errors.join("\n").toStdString();
  for (int edit = 0; edit < 2; ++edit) {
    QTest::keyClick(&Form(), Qt::Key_Shift);
    Card()->BuildMovie("", "");
  }
  EXPECT_EQ(CountOf(Errors, "gone.jpg"), 0);
  // Put back, it is drawn; gone again, it is told once more, and once only.
  ASSERT_TRUE(QFile::copy(Platform::ProgramFolder() + QStringLiteral("/library/cake.jpg"), gone));
  QTest::keyClick(&Form(), Qt::Key_Shift);
  Card()->BuildMovie("", "");
  EXPECT_TRUE(Errors.isEmpty()) << Errors.join("\n").toStdString();
  ASSERT_TRUE(QFile::remove(gone));
  for (int edit = 0; edit < 2; ++edit) {
    QTest::keyClick(&Form(), Qt::Key_Shift);
    Card()->BuildMovie("", "");
  }
  EXPECT_EQ(CountOf(Errors, "gone.jpg"), 1) << Errors.join("\n").toStdString();
}


} // namespace
