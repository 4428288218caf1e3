#include "EditorFixture.h"

#include <QApplication>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/ErrorBox.h"
#include "panels/GuideFrm.h"
#include "panels/ObjListFrm.h"
#include "platform/Registry.h"
#include "platform/WorkFolder.h"
#include "player/widget/FlashPlayer.h"
#include "swf/builder/SwfMovie.h"
#include "swf/builder/SwfObject.h"

EditorTest::EditorTest() {
  // The run's working folder stays where it was made; the cards of other runs are looked
  // for in this test's own folder only.
  Platform::WorkFolder();
  OldTempFolder = qgetenv("TMPDIR");
  qputenv("TMPDIR", QFile::encodeName(Dir.path()));
  Platform::TRegistry::SetFileName(Dir.filePath(QStringLiteral("Registry.ini")));
  ErrorBox::SetReporter([this](const QString& text) { Errors << text; });
}

EditorTest::~EditorTest() {
  MainForm.reset();
  ErrorBox::SetReporter({});
  Platform::TRegistry::SetFileName(QString());
  if (OldTempFolder.isNull())
    qunsetenv("TMPDIR");
  else
    qputenv("TMPDIR", OldTempFolder);
}

TMainForm& EditorTest::Start(const QStringList& arguments) {
  MainForm = std::make_unique<TMainForm>(arguments);
  auto answers = std::make_unique<TAnswerDialogs>();
  Answers = answers.get();
  MainForm->SetFileDialogs(std::move(answers));
  auto questions = std::make_unique<TAnswerQuestions>();
  QuestionAnswers = questions.get();
  MainForm->SetQuestions(std::move(questions));
  MainForm->show();
  EXPECT_TRUE(QTest::qWaitForWindowExposed(MainForm.get()));
  MainForm->activateWindow();
  EXPECT_TRUE(QTest::qWaitForWindowActive(MainForm.get()));
  return *MainForm;
}

player::TFlashPlayer& EditorTest::Player() { return *MainForm->ShockwaveFlash; }

TObjListForm* EditorTest::Library() {
  return qobject_cast<TObjListForm*>(MainForm->Global().ObjListForm.data());
}

QString EditorTest::MakeMovie(const QString& name, int width, int height, int frames) {
  swf::TSwfMovie movie;
  swf::TSwfObject shape;
  movie.SetSize(width * 20, height * 20);
  movie.SetFrameRate(12);
  movie.SetFrameBkColor(255, 240, 200);
  shape.MakeTextSimple("DejaVu Sans", "Hi", 100, 400, 300);
  movie.GotoFrame(0);
  movie.AddObject(shape);
  movie.GotoFrame(frames - 1);
  movie.RemoveObject(shape);
  QString path = Dir.filePath(name);
  movie.WriteMovie(path.toStdString());
  return path;
}

void EditorTest::NewWithGuide(int entry, bool* okWasDisabled) {
  // The guide is modal: answer it from inside its own event loop once it shows.
  QTimer poll;
  poll.setInterval(5);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    auto* guide = qobject_cast<TGuideForm*>(QApplication::activeModalWidget());
    if (!guide || !guide->isVisible())
      return;
    poll.stop();
    if (okWasDisabled)
      *okWasDisabled = !guide->OkBtn->isEnabled();
    if (entry < 0) {
      guide->CancelBtn->click();
      return;
    }
    guide->ListView1->setCurrentRow(entry);
    guide->OkBtn->click();
  });
  poll.start();
  MainForm->FileNewActExecute();
}

void EditorTest::PressAt(Qt::MouseButton button, QPoint clientPoint) {
  QPoint inWindow = MainForm->Client->mapTo(MainForm.get(), clientPoint);
  QTest::mousePress(MainForm->windowHandle(), button, {}, inWindow);
}

void EditorTest::ReleaseAt(Qt::MouseButton button, QPoint clientPoint) {
  QPoint inWindow = MainForm->Client->mapTo(MainForm.get(), clientPoint);
  QTest::mouseRelease(MainForm->windowHandle(), button, {}, inWindow);
}
