// Under a real X server and window manager: a picture copied in one running editor and
// pasted in another, and the popups of a window the user never moved opening at their
// buttons (the manager, configured so, puts every window where it likes).
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include "app/ErrorBox.h"
#include "app/x11/X11Pointer.h"
#include "app/MainFrm.h"
#include "app/PictureButton.h"
#include "card/FlashCard.h"
#include "document/XMLUnit.h"
#include "panels/ObjListFrm.h"
#include "player/widget/FlashPlayer.h"
#include "platform/Registry.h"

namespace {

// Set in the second editor's process: the file it writes its card to after pasting.
const char* const PasteTargetVariable = "GREETIX_TEST_PASTE_INTO";

class EditorUnderX11 : public ::testing::Test {
protected:
  void SetUp() override {
    Platform::TRegistry::SetFileName(Dir.filePath("Registry.ini"));
    ErrorBox::SetReporter([this](const QString& text) { Errors << text; });
  }
  void TearDown() override {
    Form.reset();
    ErrorBox::SetReporter({});
    Platform::TRegistry::SetFileName(QString());
  }
  // The editor where the window manager put it.
  void Start(const QStringList& arguments = {}) {
    Form = std::make_unique<TMainForm>(arguments);
    Form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Form.get()));
    QTest::qWait(500);
    Form->activateWindow();
    QTest::qWaitForWindowActive(Form.get());
  }
  void Select(const QString& name) {
    auto* library = qobject_cast<TObjListForm*>(Form->Global().ObjListForm.data());
    ASSERT_NE(library, nullptr);
    for (int i = 0; i < library->ObjTree->topLevelItemCount(); ++i)
      if (library->ObjTree->topLevelItem(i)->text(0) == name)
        return library->SelectNode(i);
    FAIL() << "no object " << name.toStdString();
  }

  QTemporaryDir Dir;
  QStringList Errors;
  std::unique_ptr<TMainForm> Form;
};

} // namespace

// Run by CopiedInOneEditorPastedInAnother in a process of its own.
TEST_F(EditorUnderX11, PasteSide) {
  const QString target = qEnvironmentVariable(PasteTargetVariable);
  if (target.isEmpty())
    GTEST_SKIP() << "the second editor of the copy test";
  Start();
  Form->EditPasteAct->trigger();
  EXPECT_TRUE(Errors.isEmpty()) << Errors.join("\n").toStdString();
  ASSERT_TRUE(QFile::copy(QString::fromStdString(Form->Global().FlashCard->WorkProjectFile()), target));
}

TEST_F(EditorUnderX11, CopiedInOneEditorPastedInAnother) {
  const QString card = Dir.filePath(QStringLiteral("Party.grx"));
  ASSERT_TRUE(QFile::copy(TMainForm::TemplateFile(1), card));
  Start({card});
  Select(QStringLiteral("Pic1"));
  Form->EditCopyAct->trigger();

  // The second editor asks this one for the clipboard while this one goes on running.
  const QString target = Dir.filePath(QStringLiteral("pasted.grx"));
  QProcess other;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QString::fromLatin1(PasteTargetVariable), target);
  other.setProcessEnvironment(environment);
  other.setProcessChannelMode(QProcess::ForwardedChannels);
  other.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--gtest_filter=EditorUnderX11.PasteSide")});
  ASSERT_TRUE(QTest::qWaitFor([&] { return other.state() == QProcess::NotRunning; }, 60000));
  ASSERT_EQ(other.exitCode(), 0);

  TXMLCardDocument pasted(target.toStdString());
  pasted.Load();
  TXMLObjList objects = BindMovie(pasted).Obj();
  ASSERT_EQ(objects.Count(), 1);
  EXPECT_EQ(objects.Item(0).ObjName(), "Pic1");
  EXPECT_EQ(objects.Item(0).StartTime(), 0);
  TXMLObjPic picture = objects.Item(0).ObjType().ObjPic();
  EXPECT_EQ(picture.Width(), 90);
  EXPECT_EQ(picture.Height(), 140);
  // The template's picture lies in the program's library: the copy names it in full.
  const QFileInfo file(QString::fromStdString(picture.Content()));
  EXPECT_TRUE(file.isAbsolute() && file.isFile()) << picture.Content();
}

TEST_F(EditorUnderX11, ANeverMovedWindowOpensItsMenusAtTheirButtons) {
  Start();
  const QPoint menuButton = OnScreen(Form->BtnMenu, Form->BtnMenu->rect().center());
  Pointer({"mousemove", QString::number(menuButton.x()), QString::number(menuButton.y())});
  Pointer({"click", "1"});
  ASSERT_TRUE(QTest::qWaitFor([&] { return Form->MainMenu->isVisible(); }, 3000));
  const QPoint below = OnScreen(Form->BtnMenu, QPoint(0, Form->BtnMenu->height()));
  EXPECT_LE((ServerOrigin(Form->MainMenu) - below).manhattanLength(), 10);
  Pointer({"key", "Escape"});

  const QPoint preview = OnScreen(Form->ShockwaveFlash, Form->ShockwaveFlash->rect().center());
  Pointer({"mousemove", QString::number(preview.x()), QString::number(preview.y())});
  Pointer({"click", "3"});
  ASSERT_TRUE(QTest::qWaitFor([&] { return Form->PopupMenu->isVisible(); }, 3000));
  EXPECT_LE((ServerOrigin(Form->PopupMenu) - preview).manhattanLength(), 10);
  Pointer({"key", "Escape"});
}
