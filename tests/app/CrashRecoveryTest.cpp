// After a crash: an editor started as a child process edits a card and is killed with
// SIGKILL; the next start offers the card and restores it with the edit, a start after that
// offers nothing, and an editor running beside another never offers the other's card.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "EditorFixture.h"
#include "app/ErrorBox.h"
#include "card/FlashCard.h"
#include "panels/ChildFrm.h"
#include "panels/TextFrm.h"
#include "platform/Registry.h"

namespace {

const char* const RoleVariable = "GREETIX_RECOVERY_ROLE";
const char* const ReportVariable = "GREETIX_RECOVERY_REPORT";
const QString EditedText = QStringLiteral("Typed before the crash");

QByteArray FileBytes(const QString& name) {
  QFile file(name);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteReport(const QStringList& lines) {
  QFile report(qEnvironmentVariable(ReportVariable));
  if (report.open(QIODevice::WriteOnly))
    report.write(lines.join('\n').toUtf8());
}

// An editor in a child process of its own, so each has a run and a working folder of its own.
class TChildEditor {
public:
  TChildEditor(const QString& tempFolder, const QString& role) : Report(tempFolder + "/report-" + role) {
    QFile::remove(Report);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("TMPDIR", tempFolder);
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert(RoleVariable, role);
    environment.insert(ReportVariable, Report);
    Process.setProcessEnvironment(environment);
    Process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    Process.start(QCoreApplication::applicationFilePath(), {"--gtest_filter=CrashRecoveryChild.Run"});
  }
  ~TChildEditor() {
    if (Process.state() != QProcess::NotRunning) {
      Process.kill();
      Process.waitForFinished(10000);
    }
  }
  // The child's report, once it has written one.
  QStringList WaitForReport() {
    QDeadlineTimer deadline(60000);
    while (!QFile::exists(Report) && !deadline.hasExpired() && Process.state() != QProcess::NotRunning)
      QTest::qWait(50);
    QTest::qWait(50); // the report is whole once it exists: it is written in one go
    return QString::fromUtf8(FileBytes(Report)).split('\n');
  }
  void Kill() {
    Process.kill(); // SIGKILL: nothing of the editor runs any more
    Process.waitForFinished(10000);
  }
  bool Finish() {
    if (Process.state() != QProcess::NotRunning)
      Process.waitForFinished(60000);
    return Process.state() == QProcess::NotRunning && Process.exitStatus() == QProcess::NormalExit &&
           Process.exitCode() == 0;
  }

private:
  QString Report;
  QProcess Process;
};

} // namespace

// The child side: edits the card named in the report folder and waits to be killed, or
// starts, answers the offer with Restore and reports what it got.
TEST(CrashRecoveryChild, Run) {
  const QString role = qEnvironmentVariable(RoleVariable);
  if (role.isEmpty())
    GTEST_SKIP() << "runs only as the child of the crash test";
  const QString folder = QFileInfo(qEnvironmentVariable(ReportVariable)).path();
  Platform::TRegistry::SetFileName(folder + "/Registry-" + role + ".ini");
  QStringList errors;
  ErrorBox::SetReporter([&](const QString& text) { errors << text; });
  auto form = std::make_unique<TMainForm>(role == "edit" ? QStringList{folder + "/Party.grx"} : QStringList{});
  auto questions = std::make_unique<TAnswerQuestions>();
  TAnswerQuestions& answers = *questions;
  answers.RestoreAnswers = {TRestoreAnswer::Restore};
  form->SetQuestions(std::move(questions));
  form->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
  QTest::qWait(200); // the offer comes once the window is up

  TFlashCard* card = form->Global().FlashCard.get();
  ASSERT_NE(card, nullptr);
  if (role == "edit") {
    form->InsertTextActExecute();
    auto* panel = qobject_cast<TTextForm*>(form->Global().TextForm.data());
    ASSERT_NE(panel, nullptr);
    panel->Content->setText(EditedText);
    TChildForm::ApplyAllPendingEdits();
    WriteReport({"edited"});
    for (;;)
      QTest::qWait(1000);
  }
  const bool hasEdit = FileBytes(QString::fromStdString(card->WorkProjectFile())).contains(EditedText.toUtf8());
  WriteReport({QString::number(answers.Asked.size()), answers.Asked.value(0), QString::fromStdString(card->CardPath),
               hasEdit ? "edit" : "no edit", card->History().Modified() ? "modified" : "unmodified",
               errors.join(' ')});
  form.reset();
  ErrorBox::SetReporter({});
}

TEST(CrashRecovery, AKilledEditorsCardIsRestoredOnceAndNeverOfferedWhileItRuns) {
  QTemporaryDir temp;
  ASSERT_TRUE(QFile::copy(TMainForm::TemplateFile(1), temp.filePath("Party.grx")));

  TChildEditor editing(temp.path(), "edit");
  ASSERT_EQ(editing.WaitForReport(), QStringList{"edited"});

  // A second editor beside the running one is offered nothing.
  TChildEditor beside(temp.path(), "beside");
  QStringList report = beside.WaitForReport();
  ASSERT_TRUE(beside.Finish());
  EXPECT_EQ(report.value(0), "0") << report.join('|').toStdString();

  editing.Kill();

  TChildEditor after(temp.path(), "after");
  report = after.WaitForReport();
  ASSERT_TRUE(after.Finish());
  ASSERT_EQ(report.value(0), "1") << report.join('|').toStdString();
  EXPECT_TRUE(report.value(1).startsWith("Greetix closed unexpectedly. Restore the card Party, last changed "));
  EXPECT_EQ(report.value(2), temp.filePath("Party"));
  EXPECT_EQ(report.value(3), "edit");
  EXPECT_EQ(report.value(4), "modified");
  EXPECT_EQ(report.value(5), "");
  // The restored card was not saved: the file is as it was.
  EXPECT_FALSE(FileBytes(temp.filePath("Party.grx")).contains(EditedText.toUtf8()));

  TChildEditor again(temp.path(), "again");
  report = again.WaitForReport();
  ASSERT_TRUE(again.Finish());
  EXPECT_EQ(report.value(0), "0") << report.join('|').toStdString();
}
