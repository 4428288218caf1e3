#include "ConvertTestFiles.h"

#include "convert/ExeToSwfFrm.h"
#include "convert/SwfToExeFrm.h"
#include "platform/SystemPaths.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

void EnsureApplication() {
  static int argc = 1;
  static char name[] = "convert_tests";
  static char* argv[] = {name, nullptr};
  if (!QApplication::instance())
    new QApplication(argc, argv);
}

// Answers every message box that opens while it lives and remembers what they said.
class TMessageBoxAnswerer {
public:
  TMessageBoxAnswerer() {
    QObject::connect(&Timer, &QTimer::timeout, [this] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        Texts << box->text();
        Icons << box->icon();
        box->accept();
      }
    });
    Timer.start(5);
  }
  QStringList Texts;
  QList<QMessageBox::Icon> Icons;

private:
  QTimer Timer;
};

class ConvertFormsTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() { EnsureApplication(); }
  void SetUp() override {
    ASSERT_TRUE(Folder.isValid());
    Platform::SetProgramFolder(Folder.path());
    ASSERT_TRUE(WriteFile(Folder.filePath("FlashPla.exe"), Pattern(300, 1)));
    ASSERT_TRUE(WriteFile(Folder.filePath("card.swf"), TestMovie(40, 2)));
  }
  void TearDown() override { Platform::SetProgramFolder({}); }

  QTemporaryDir Folder;
};

QStringList LabelTexts(const QWidget& form) {
  QStringList texts;
  for (const char* name : {"LabelHeading", "LabelSource", "LabelTarget"})
    texts << form.findChild<QLabel*>(name)->text();
  return texts;
}

} // namespace

TEST_F(ConvertFormsTest, TheDialogsHaveTheirFixedLayout) {
  TSwfToExeForm swfToExe;
  EXPECT_EQ(swfToExe.objectName(), "SwfToExeForm");
  EXPECT_EQ(swfToExe.windowTitle(), "Convert Swf To Exe");
  EXPECT_EQ(swfToExe.size(), QSize(343, 122));
  EXPECT_EQ(swfToExe.minimumSize(), swfToExe.maximumSize());
  EXPECT_EQ(LabelTexts(swfToExe),
            (QStringList{"Convert Swf To Exe:", "Source file(.swf):", "Taget file(.exe):"}));
  EXPECT_EQ(swfToExe.findChild<QLineEdit*>("SourceSwf")->width(), 242);
  EXPECT_EQ(swfToExe.findChild<QLineEdit*>("TargetExe")->width(), 242);
  EXPECT_EQ(swfToExe.findChild<QPushButton*>("OK")->text(), "OK");
  EXPECT_EQ(swfToExe.palette().color(QPalette::Window), QColor(200, 228, 169));

  TExeToSwfForm exeToSwf;
  EXPECT_EQ(exeToSwf.objectName(), "ExeToSwfForm");
  EXPECT_EQ(exeToSwf.windowTitle(), "Convert Exe To Swf");
  EXPECT_EQ(exeToSwf.size(), QSize(342, 120));
  EXPECT_EQ(LabelTexts(exeToSwf),
            (QStringList{"Convert Exe To Swf:", "Source file(.exe):", "Taget file(.swf):"}));
  EXPECT_NE(exeToSwf.findChild<QLineEdit*>("SourceExe"), nullptr);
  EXPECT_NE(exeToSwf.findChild<QLineEdit*>("TargetSwf"), nullptr);

  // Every widget lies inside the fixed client area, labels clear of the edit boxes.
  for (const QWidget* form : {static_cast<QWidget*>(&swfToExe), static_cast<QWidget*>(&exeToSwf)})
    for (const QWidget* child : form->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      EXPECT_TRUE(form->rect().contains(child->geometry())) << child->objectName().toStdString();
      if (child->objectName() == "LabelSource")
        EXPECT_LT(child->geometry().right(), form->findChildren<QLineEdit*>().first()->x());
    }
}

TEST_F(ConvertFormsTest, OkConvertsBothWaysAndSaysSo) {
  TSwfToExeForm swfToExe;
  swfToExe.SourceSwf->setText(Folder.filePath("card.swf"));
  swfToExe.TargetExe->setText(Folder.filePath("card.exe"));
  swfToExe.show();
  {
    TMessageBoxAnswerer answerer;
    swfToExe.findChild<QPushButton*>("OK")->click();
    EXPECT_EQ(answerer.Texts, QStringList{"File has been converted successfully!"});
  }
  EXPECT_EQ(swfToExe.result(), QDialog::Accepted);
  EXPECT_FALSE(swfToExe.isVisible());
  EXPECT_EQ(ReadFile(Folder.filePath("card.exe")).size(), 300 + 40 + 8);

  TExeToSwfForm exeToSwf;
  exeToSwf.SourceExe->setText(Folder.filePath("card.exe"));
  exeToSwf.TargetSwf->setText(Folder.filePath("back.swf"));
  exeToSwf.show();
  TMessageBoxAnswerer answerer;
  exeToSwf.OK->click();
  EXPECT_EQ(answerer.Texts, QStringList{"File has been converted successfully!"});
  EXPECT_EQ(ReadFile(Folder.filePath("back.swf")), TestMovie(40, 2));
}

TEST_F(ConvertFormsTest, AnUnknownExecutableIsSaidPlainlyAndClosesTheDialog) {
  ASSERT_TRUE(WriteFile(Folder.filePath("zeros.exe"), QByteArray(8, '\0')));
  TExeToSwfForm form;
  form.SourceExe->setText(Folder.filePath("zeros.exe"));
  form.TargetSwf->setText(Folder.filePath("zeros.swf"));
  form.show();
  TMessageBoxAnswerer answerer;
  form.OK->click();
  EXPECT_EQ(answerer.Texts, QStringList{"Unknown type of executable flash file!"});
  EXPECT_EQ(answerer.Icons, QList<QMessageBox::Icon>{QMessageBox::NoIcon});
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(ReadFile(Folder.filePath("zeros.swf")), "<missing>");
}

TEST_F(ConvertFormsTest, AFileErrorKeepsTheDialogOpenForCorrection) {
  QFile::remove(Folder.filePath("FlashPla.exe"));
  TSwfToExeForm form;
  form.SourceSwf->setText(Folder.filePath("card.swf"));
  form.TargetExe->setText(Folder.filePath("card.exe"));
  form.show();
  TMessageBoxAnswerer answerer;
  form.OK->click();
  ASSERT_EQ(answerer.Texts.size(), 1);
  EXPECT_TRUE(answerer.Texts[0].contains("FlashPla.exe")) << answerer.Texts[0].toStdString();
  EXPECT_EQ(answerer.Icons, QList<QMessageBox::Icon>{QMessageBox::Critical});
  EXPECT_TRUE(form.isVisible());
  EXPECT_EQ(ReadFile(Folder.filePath("card.exe")), "<missing>");
}

TEST_F(ConvertFormsTest, TheProposedTargetIsTheSourceWithTheOtherExtension) {
  TMessageBoxAnswerer answerer;
  QTimer::singleShot(0, [] {
    auto* form = qobject_cast<TSwfToExeForm*>(QApplication::activeModalWidget());
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->SourceSwf->text(), "/cards/v1.2/Birthday.card.swf");
    EXPECT_EQ(form->TargetExe->text(), "/cards/v1.2/Birthday.card.exe");
    form->reject();
  });
  TSwfToExeForm::Execute(nullptr, "/cards/v1.2/Birthday.card.swf");
  QTimer::singleShot(0, [] {
    auto* form = qobject_cast<TExeToSwfForm*>(QApplication::activeModalWidget());
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->TargetSwf->text(), "/cards/v1.2/player.swf");
    form->reject();
  });
  TExeToSwfForm::Execute(nullptr, "/cards/v1.2/player");
}
