// The editor's conversion commands end to end: the Save button's popup menu turns a movie
// into a player program that plays it and back, and the preview's movie installed as the
// screen saver is what the installed host plays.
#include "../app/EditorFixture.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTimer>

#include <functional>

#include "convert/ExeToSwfFrm.h"
#include "convert/ScreenSaver.h"
#include "convert/SwfToExeFrm.h"
#include "platform/Desktop.h"
#include "platform/Registry.h"
#include "platform/SystemPaths.h"
#include "platform/XScreenSaverPrefs.h"
#include "player/widget/FlashPlayer.h"

namespace {

QByteArray Bytes(const QString& fileName) {
  QFile file(fileName);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// The frame count a player program reports for its movie, or its error text.
QString CheckProgram(const QString& program, const QStringList& arguments,
                     const QString& systemFolder = {}) {
  QProcess process;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  if (!systemFolder.isEmpty())
    environment.insert("GREETIX_SYSTEM_DIR", systemFolder);
  process.setProcessEnvironment(environment);
  process.start(program, QStringList(arguments) << "--check");
  if (!process.waitForFinished(60000))
    return "<no end>";
  return process.exitCode() == 0 ? QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed()
                                 : QString::fromLocal8Bit(process.readAllStandardError());
}

// Types the name as a user does: selectFile leaves a focused name box alone and does not
// find a file the dialog's folder view has not seen yet.
void ChooseFile(QFileDialog& chooser, const QString& fileName) {
  auto* nameBox = chooser.findChild<QLineEdit*>("fileNameEdit");
  ASSERT_TRUE(nameBox);
  nameBox->setText(fileName);
  static_cast<QDialog&>(chooser).accept();
}

// OK opens a message box of its own: clicked from the event loop, so the poll below (not
// re-entered while it runs) can answer that box too.
void ClickLater(QPushButton* button) {
  ASSERT_TRUE(button);
  QMetaObject::invokeMethod(button, &QPushButton::click, Qt::QueuedConnection);
}

// Answers the modal windows of one command in turn, each by the step for its kind; message
// boxes are read and closed.
struct TModalAnswers {
  std::function<void(QFileDialog&)> Chooser;
  std::function<void(QDialog&)> Form;
  QStringList Messages;
};

void RunWithAnswers(const std::function<void()>& command, TModalAnswers& answers) {
  QTimer poll;
  poll.setInterval(5);
  QWidget* last = nullptr;
  int seen = 0;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible())
      return;
    // A window the answers cannot close fails the test instead of hanging it.
    seen = modal == last ? seen + 1 : 0;
    last = modal;
    if (seen > 200) {
      ADD_FAILURE() << "stuck at " << modal->objectName().toStdString();
      if (auto* dialog = qobject_cast<QDialog*>(modal))
        dialog->reject();
      return;
    }
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
      answers.Messages << box->text();
      box->accept();
    } else if (auto* chooser = qobject_cast<QFileDialog*>(modal)) {
      answers.Chooser(*chooser);
    } else if (auto* form = qobject_cast<QDialog*>(modal)) {
      answers.Form(*form);
    }
  });
  poll.start();
  command();
}

} // namespace

TEST_F(EditorTest, SaveButtonPopupConvertsAMovieIntoAPlayingProgramAndBack) {
  TMainForm& form = Start();
  const QString swf = MakeMovie("card.swf", 200, 100, 12);

  QString chooserName, targetProposed;
  TModalAnswers toExe;
  toExe.Chooser = [&](QFileDialog& chooser) {
    chooserName = chooser.objectName();
    ChooseFile(chooser, swf);
  };
  toExe.Form = [&](QDialog& dialog) {
    auto* target = dialog.findChild<QLineEdit*>("TargetExe");
    ASSERT_TRUE(target);
    targetProposed = target->text();
    ClickLater(dialog.findChild<QPushButton*>("OK"));
  };
  RunWithAnswers([&] { form.SwfToExe->trigger(); }, toExe);
  EXPECT_EQ(chooserName, "OpenDialogSwf");
  EXPECT_EQ(targetProposed, Dir.filePath("card.exe"));
  EXPECT_EQ(toExe.Messages, QStringList{"File has been converted successfully!"});
  EXPECT_EQ(CheckProgram(Dir.filePath("card.exe"), {}), "12");

  TModalAnswers toSwf;
  toSwf.Chooser = [&](QFileDialog& chooser) {
    chooserName = chooser.objectName();
    ChooseFile(chooser, Dir.filePath("card.exe"));
  };
  toSwf.Form = [&](QDialog& dialog) {
    auto* target = dialog.findChild<QLineEdit*>("TargetSwf");
    ASSERT_TRUE(target);
    targetProposed = target->text();
    target->setText(Dir.filePath("back.swf"));
    ClickLater(dialog.findChild<QPushButton*>("OK"));
  };
  RunWithAnswers([&] { form.ExeToSwf->trigger(); }, toSwf);
  EXPECT_EQ(chooserName, "OpenDialogExe");
  EXPECT_EQ(targetProposed, Dir.filePath("card.swf"));
  EXPECT_EQ(toSwf.Messages, QStringList{"File has been converted successfully!"});
  EXPECT_EQ(Bytes(Dir.filePath("back.swf")), Bytes(swf));
  EXPECT_TRUE(Errors.isEmpty()) << Errors.join('\n').toStdString();
}

TEST_F(EditorTest, PreviewMovieBecomesTheScreenSaverTheHostPlays) {
  const QString system = Dir.filePath("system");
  Platform::SetSystemFolder(system);
  Platform::SetXScreenSaverFile(system + "/.xscreensaver");
  Platform::SetScreenSaverSettingsCommand({});
  TMainForm& form = Start();
  ASSERT_FALSE(Player().Movie().isEmpty());
  ASSERT_GT(Player().TotalFrames(), 0);

  // From the Save button's popup.
  form.SetAsScreenSaverItem->trigger();
  const QString hostCopy = system + "/GlimmerScr.scr";
  EXPECT_EQ(Bytes(system + "/GlimmerScr.swf"), Bytes(Player().Movie()));
  EXPECT_EQ(Platform::TRegistry::Read(Platform::DesktopKey, Platform::ScreenSaverValue), hostCopy);
  EXPECT_EQ(CheckProgram(hostCopy, {"/s"}, system), QString::number(Player().TotalFrames()));
  EXPECT_TRUE(Errors.isEmpty()) << Errors.join('\n').toStdString();

  Platform::SetSystemFolder({});
  Platform::SetXScreenSaverFile({});
  Platform::ResetScreenSaverSettingsCommand();
}
