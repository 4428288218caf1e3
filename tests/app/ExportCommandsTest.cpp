// The exports of the Save button's popup: a card in Edit state, a movie in Play state, the
// progress dialog's Cancel, and a target that cannot be written.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QSet>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include "app/ExportProgressFrm.h"
#include "app/PictureButton.h"
#include "card/FlashCard.h"
#include "player/widget/FlashPlayer.h"
#include "EditorFixture.h"

TEST_F(EditorTest, SavePopupEndsWithTheExports) {
  Start();
  QStringList texts;
  for (QAction* item : Form().PopupMenu1->actions())
    texts << item->text();
  ASSERT_GE(texts.size(), 4);
  EXPECT_EQ(texts.mid(texts.size() - 4),
            (QStringList{"", QString::fromUtf8("Export Video\u2026"), QString::fromUtf8("Export GIF\u2026"),
                         QString::fromUtf8("Export Web Page\u2026")}));
}

TEST_F(EditorTest, ExportVideoOfTheCardAddsTheExtensionAndKeepsTheCardAsItWas) {
  Start();
  const QString preview = Player().Movie();
  Dialogs().Answers << Dir.filePath("party");
  Form().ExportVideo->trigger();
  EXPECT_TRUE(Errors.isEmpty()) << Errors.join("\n").toStdString();
  EXPECT_EQ(Dialogs().FiltersAsked.last(), "MP4 video (*.mp4)|*.mp4|WebM video (*.webm)|*.webm");
  EXPECT_GT(QFileInfo(Dir.filePath("party.mp4")).size(), 1000);
  // Nothing else lands beside it, and the preview still shows the working movie.
  EXPECT_EQ(QDir(Dir.path()).entryList({"party*"}, QDir::Files), QStringList{"party.mp4"});
  EXPECT_EQ(Player().Movie(), preview);
  EXPECT_EQ(QString::fromStdString(Card()->CardPath), Global().UntitledBasePath);
}

TEST_F(EditorTest, InPlayStateTheExportsTakeTheOpenMovie) {
  const QString movie = MakeMovie("played.swf", 200, 100, 30);
  Start({movie});
  ASSERT_EQ(Card()->Mode(), "Play");
  EXPECT_FALSE(Form().BtnSave->isEnabled());
  // The disabled Save button still opens its popup.
  const QPoint onSave = Form().BtnSave->mapTo(Form().Client, Form().BtnSave->rect().center());
  PressAt(Qt::RightButton, onSave);
  EXPECT_TRUE(Form().PopupMenu1->isVisible());
  EXPECT_TRUE(Form().ExportGif->isEnabled());
  Form().PopupMenu1->hide();
  ReleaseAt(Qt::RightButton, onSave);

  Dialogs().Answers << Dir.filePath("played.webp");
  Form().ExportGif->trigger();
  EXPECT_TRUE(Errors.isEmpty()) << Errors.join("\n").toStdString();
  const QByteArray bytes = [&] {
    QFile file(Dir.filePath("played.webp"));
    file.open(QIODevice::ReadOnly);
    return file.readAll();
  }();
  EXPECT_TRUE(bytes.startsWith("RIFF"));
  EXPECT_TRUE(bytes.contains("ANIM"));
}

TEST_F(EditorTest, CancelInTheProgressDialogLeavesNothingAndSaysNothing) {
  Start({MakeMovie("long.swf", 400, 300, 600)});
  bool sawDialog = false;
  QTimer::singleShot(0, [&] {
    for (QWidget* window : QApplication::topLevelWidgets()) {
      if (auto* dialog = qobject_cast<TExportProgressForm*>(window)) {
        sawDialog = true;
        dialog->BtnCancel->click();
      }
    }
  });
  Dialogs().Answers << Dir.filePath("long.html");
  Form().ExportWebPage->trigger();
  EXPECT_TRUE(sawDialog);
  EXPECT_TRUE(Errors.isEmpty()) << Errors.join("\n").toStdString();
  EXPECT_EQ(QDir(Dir.path()).entryList({"long*"}, QDir::Files | QDir::Hidden), QStringList{"long.swf"});
}

TEST_F(EditorTest, ExportThatCannotWriteShowsWhyInTheErrorBox) {
  Start();
  Dialogs().Answers << Dir.filePath("missing-folder/card.gif");
  Form().ExportGif->trigger();
  ASSERT_EQ(Errors.size(), 1);
  EXPECT_TRUE(Errors.first().contains("missing-folder")) << Errors.first().toStdString();
  // A web page writes its video first: the message names the folder, not that file.
  Errors.clear();
  Dialogs().Answers << Dir.filePath("missing-folder/card.html");
  Form().ExportWebPage->trigger();
  EXPECT_EQ(Errors, QStringList{QStringLiteral("The folder \"%1\" does not exist.").arg(Dir.filePath("missing-folder"))});
}

TEST_F(EditorTest, AWebPageAsksBeforeItReplacesTheFilesBesideIt) {
  Start();
  const auto write = [&](const QString& name) {
    QFile file(Dir.filePath(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("the user's own");
  };
  const auto bytes = [&](const QString& name) {
    QFile file(Dir.filePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  };
  write("page.mp4");
  write("page.png");
  Dialogs().Answers << Dir.filePath("page.html");
  Form().ExportWebPage->trigger();
  EXPECT_EQ(Questions().Asked, QStringList{"page.mp4 and page.png already exist beside the web page. Replace them?"});
  EXPECT_EQ(bytes("page.mp4"), "the user's own");
  EXPECT_EQ(bytes("page.png"), "the user's own");
  EXPECT_FALSE(QFileInfo::exists(Dir.filePath("page.html")));

  Questions().ReplaceAnswers << true;
  Dialogs().Answers << Dir.filePath("page");
  Form().ExportWebPage->trigger();
  EXPECT_EQ(Questions().Asked.size(), 2);
  EXPECT_TRUE(Errors.isEmpty()) << Errors.join("\n").toStdString();
  EXPECT_TRUE(bytes("page.png").startsWith("\x89PNG"));
  EXPECT_TRUE(QFileInfo::exists(Dir.filePath("page.webm")));

  // A page alone in its folder asks nothing.
  Dialogs().Answers << Dir.filePath("other.html");
  Form().ExportWebPage->trigger();
  EXPECT_EQ(Questions().Asked.size(), 2);
  EXPECT_TRUE(QFileInfo::exists(Dir.filePath("other.mp4")));
}

TEST_F(EditorTest, ACardNeverSavedSavesAndExportsFromTheHomeFolder) {
  Start();
  Form().ExportGif->trigger();
  Form().FileSaveActExecute();
  EXPECT_EQ(Dialogs().FoldersAsked, QStringList(2, QDir::homePath()));
}

TEST_F(EditorTest, SaveAndExportDialogsOpenInTheCardsFolder) {
  ASSERT_TRUE(QDir(Dir.path()).mkdir("cards"));
  const QString card = Dir.filePath("cards/Party.grx");
  ASSERT_TRUE(QFile::copy(TMainForm::TemplateFile(0), card));
  QFile(card).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
  Start({card});
  Form().ExportVideo->trigger();
  Form().FileExportAsSwfActExecute();
  Form().FileSaveAsActExecute();
  EXPECT_EQ(Dialogs().FoldersAsked, QStringList(3, Dir.filePath("cards")));

  // A card never saved opens them where the last card was.
  Form().FileCloseActExecute();
  NewWithGuide(0);
  Form().ExportGif->trigger();
  EXPECT_EQ(Dialogs().FoldersAsked.last(), Dir.filePath("cards"));

  // A movie that is played exports beside itself.
  Dialogs().Answers << MakeMovie("played.swf", 200, 100, 5);
  Form().FileOpenActExecute();
  ASSERT_EQ(Card()->Mode(), "Play");
  Form().ExportWebPage->trigger();
  EXPECT_EQ(Dialogs().FoldersAsked.last(), Dir.path());
}

TEST_F(EditorTest, AnExportFitsTheStageIntoThePictureSizeChosenAndKeepsTheChoice) {
  const QString card = Dir.filePath("party.grx");
  ASSERT_TRUE(QFile::copy(TMainForm::TemplateFile(1), card));
  Start({card});
  Dialogs().Answers << Dir.filePath("square.png");
  Dialogs().SizeAnswer = 3;
  Form().FileExportPictureAct->trigger();
  ASSERT_TRUE(Errors.isEmpty()) << Errors.join("\n").toStdString();
  EXPECT_EQ(Dialogs().SizesOffered.size(), 5);
  EXPECT_EQ(Dialogs().SizeShown, 0); // the card's own size at first
  const QImage square(Dir.filePath("square.png"));
  ASSERT_EQ(square.size(), QSize(1080, 1080));
  // The 400 x 300 stage fills the width, the card's background colour above and below it.
  const std::uint32_t bgr = Card()->BgColor;
  const QColor background(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
  EXPECT_EQ(QColor::fromRgb(square.pixel(540, 10)), background);
  EXPECT_EQ(QColor::fromRgb(square.pixel(540, 1070)), background);
  QSet<QRgb> colours;
  for (int x = 0; x < 1080; ++x)
    colours.insert(square.pixel(x, 540));
  EXPECT_GT(colours.size(), 20); // the card drawn across the middle

  // A later export, in this run or the next, offers the same size first.
  Dialogs().SizeAnswer = -1;
  Dialogs().Answers << Dir.filePath("again.png");
  Form().FileExportPictureAct->trigger();
  EXPECT_EQ(Dialogs().SizeShown, 3);
  EXPECT_EQ(QImage(Dir.filePath("again.png")).size(), QSize(1080, 1080));

  Dialogs().SizeAnswer = 0;
  Dialogs().Answers << Dir.filePath("own.png");
  Form().FileExportPictureAct->trigger();
  EXPECT_EQ(QImage(Dir.filePath("own.png")).size(), QSize(Card()->Width, Card()->Height));
}
