// New with the guide, Save, Save As, Export and the last media folder.
#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include "EditorFixture.h"
#include "app/MediaFolder.h"
#include "card/FlashCard.h"
#include "panels/ObjListFrm.h"
#include "panels/PicSelectFrm.h"
#include "panels/SoundSelectFrm.h"
#include "panels/TextFrm.h"
#include "platform/Registry.h"
#include "platform/SystemPaths.h"
#include "player/widget/FlashPlayer.h"
#include "render/RenderContext.h"
#include "support/FileSizeLimit.h"

namespace {

// A picture object of a card document, 90 × 140 at (x, 20), shown in frames 0 to 11.
QString PictureObj(const QString& name, const QString& file, int x = 10) {
  return QStringLiteral("<Obj><ObjName>%1</ObjName><StartTime>0</StartTime><EndTime>11</EndTime><Layer>2</Layer>"
                        "<ObjTypeName>Pic</ObjTypeName><ObjType><ObjPic><Content>%2</Content><PositionX>%3</PositionX>"
                        "<PositionY>20</PositionY><Width>90</Width><Height>140</Height><EffectName>-- None --</EffectName>"
                        "</ObjPic></ObjType></Obj>")
      .arg(name, file, QString::number(x));
}

// A card of twelve frames on a 400 × 300 stage holding these objects.
QByteArray TwelveFrameCard(const QString& objects) {
  return (QStringLiteral("<Movie><TotalFrames>12</TotalFrames><BgColor>16777215</BgColor><BgPic/>"
                         "<Width>400</Width><Height>300</Height><Rate>12</Rate><Loop>true</Loop>") +
          objects + QStringLiteral("</Movie>"))
      .toUtf8();
}

const QString ProjectFilter = "Greetix file (*.grx)|*.grx";
const QString MovieFilter = "Flash file (*.swf)|*.swf";

TEST_F(EditorTest, NewWithBirthdayOpensTheBirthdayTemplateOnceOkIsAllowed) {
  Start();
  bool okWasDisabled = false;
  NewWithGuide(1, &okWasDisabled);
  EXPECT_TRUE(okWasDisabled);
  EXPECT_EQ(Global().GuideResult, 1);
  ASSERT_NE(Card(), nullptr);
  EXPECT_EQ(Card()->Mode(), "Edit");
  EXPECT_EQ(QFileInfo(QString::fromStdString(Card()->SourceProject)).fileName(), "birthday.grx");
  EXPECT_EQ(Card()->Width, 400);
  EXPECT_EQ(Global().Context.Movie().MovieName(), "Happy Birthday");
  EXPECT_TRUE(Global().Playing);
  // The new card has no name yet.
  EXPECT_EQ(QString::fromStdString(Card()->CardPath), Global().UntitledBasePath);
}

TEST_F(EditorTest, NewThenCancelKeepsTheCurrentCard) {
  Start();
  TFlashCard* before = Card();
  NewWithGuide(-1);
  EXPECT_EQ(Card(), before);
  EXPECT_EQ(Card()->Mode(), "Edit");
}

TEST_F(EditorTest, NewWithBlankOpensTheBlankTemplate) {
  Start();
  NewWithGuide(1);
  NewWithGuide(0);
  EXPECT_EQ(Global().GuideResult, 0);
  EXPECT_EQ(QFileInfo(QString::fromStdString(Card()->SourceProject)).fileName(), "blank.grx");
  EXPECT_EQ(Global().Context.Movie().MovieName(), "Blank card");
}

TEST_F(EditorTest, GuideChoicesBeyondTheCatalogueGiveTheBlankTemplate) {
  EXPECT_EQ(QFileInfo(TMainForm::TemplateFile(100000)).fileName(), "blank.grx");
  EXPECT_EQ(QFileInfo(TMainForm::TemplateFile(-1)).fileName(), "blank.grx");
  EXPECT_EQ(TMainForm::TemplateFile(1), Platform::ProgramFolder() + "/template/birthday.grx");
}

TEST_F(EditorTest, SaveWritesTheProjectAndTheMovieSideBySideWhateverTheTypedExtension) {
  Start();
  Dialogs().Answers << Dir.filePath("Party.txt");
  Form().FileSaveActExecute();
  EXPECT_EQ(Dialogs().FiltersAsked, QStringList{ProjectFilter});
  EXPECT_TRUE(QFileInfo::exists(Dir.filePath("Party.grx")));
  EXPECT_TRUE(QFileInfo::exists(Dir.filePath("Party.swf")));
  EXPECT_FALSE(QFileInfo::exists(Dir.filePath("Party.txt")));
  EXPECT_EQ(QString::fromStdString(Card()->CardPath), Dir.filePath("Party"));

  // A second Save asks nothing and writes both again.
  QFile::remove(Dir.filePath("Party.grx"));
  QFile::remove(Dir.filePath("Party.swf"));
  Form().FileSaveActExecute();
  EXPECT_EQ(Dialogs().FiltersAsked.size(), 1);
  EXPECT_TRUE(QFileInfo::exists(Dir.filePath("Party.grx")));
  EXPECT_TRUE(QFileInfo::exists(Dir.filePath("Party.swf")));
  EXPECT_TRUE(Errors.isEmpty()) << Errors.join('\n').toStdString();
}

TEST_F(EditorTest, SavedMovieOfACardThatDoesNotLoopStopsOneFramePastThePreview) {
  Start();
  Form().ControlLoopActExecute(); // looping off
  int previewFrames = Player().TotalFrames();
  Dialogs().Answers << Dir.filePath("Once.grx");
  Form().FileSaveActExecute();
  player::TFlashPlayer saved;
  saved.SetMovie(Dir.filePath("Once.swf"));
  EXPECT_EQ(saved.TotalFrames(), previewFrames + 1);
}

TEST_F(EditorTest, SaveRightAfterTypingKeepsWhatWasTyped) {
  QString card = Dir.filePath("Typed.grx");
  ASSERT_TRUE(QFile::copy(TMainForm::TemplateFile(1), card));
  Start({card});
  Library()->SelectNode(2); // Text1
  auto* panel = qobject_cast<TTextForm*>(Global().TextForm.data());
  ASSERT_NE(panel, nullptr);
  QTest::keyClick(panel->Content, Qt::Key_End);
  QTest::keyClicks(panel->Content, " Again");
  ASSERT_TRUE(panel->Timer1->isActive());
  Form().FileSaveActExecute();
  QFile saved(card);
  ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
  EXPECT_TRUE(saved.readAll().contains("Happy Birthday! Again"));
}

TEST_F(EditorTest, SaveAsAsksAgainAndCancellingLeavesTheCardUnnamed) {
  Start();
  Dialogs().Answers << Dir.filePath("First.grx");
  Form().FileSaveActExecute();
  Form().FileSaveAsActExecute(); // no answer: cancelled
  EXPECT_EQ(Dialogs().FiltersAsked.size(), 2);
  EXPECT_EQ(QString::fromStdString(Card()->CardPath), Global().UntitledBasePath);
  Dialogs().Answers << Dir.filePath("Second.grx");
  Form().FileSaveActExecute();
  EXPECT_EQ(Dialogs().FiltersAsked.size(), 3);
  EXPECT_TRUE(QFileInfo::exists(Dir.filePath("Second.swf")));
}

TEST_F(EditorTest, SaveAsDoesNothingOutsideEditState) {
  Start({MakeMovie("played.swf", 300, 200, 5)});
  Dialogs().Answers << Dir.filePath("Nope.grx");
  Form().FileSaveAsActExecute();
  EXPECT_TRUE(Dialogs().FiltersAsked.isEmpty());
  EXPECT_FALSE(QFileInfo::exists(Dir.filePath("Nope.grx")));
}

TEST_F(EditorTest, ExportWritesOnlyTheMovieAndKeepsTheCardsName) {
  Start();
  Dialogs().Answers << Dir.filePath("out/movie");
  QDir(Dir.path()).mkdir("out");
  Form().FileExportAsSwfActExecute();
  EXPECT_EQ(Dialogs().FiltersAsked, QStringList{MovieFilter});
  EXPECT_TRUE(QFileInfo::exists(Dir.filePath("out/movie.swf")));
  EXPECT_EQ(QDir(Dir.filePath("out")).entryList(QDir::Files), QStringList{"movie.swf"});
  EXPECT_EQ(QString::fromStdString(Card()->CardPath), Global().UntitledBasePath);
  // The preview keeps showing the working movie; a later Save still asks for a project.
  EXPECT_EQ(QFileInfo(Player().Movie()).fileName(), "Untitled.swf");
  Form().FileSaveActExecute();
  EXPECT_EQ(Dialogs().FiltersAsked.last(), ProjectFilter);
}

TEST_F(EditorTest, SaveThatCannotWriteSaysSoAndWritesNothingElse) {
  Start();
  QString unreachable = Dir.filePath("missing-folder/Party.grx");
  Dialogs().Answers << unreachable;
  Form().FileSaveActExecute();
  ASSERT_EQ(Errors.size(), 1);
  EXPECT_TRUE(Errors[0].contains("Party.grx"));
  EXPECT_FALSE(QFileInfo::exists(Dir.filePath("missing-folder")));
}

TEST_F(EditorTest, ACardFolderMovedWithItsPicturesOpensWhole) {
  // A card with a picture in its folder and one kept elsewhere, both named absolutely, as the
  // chooser names them.
  const QString library = Platform::ProgramFolder() + QStringLiteral("/library/");
  const QString trip = Dir.filePath(QStringLiteral("Trip"));
  ASSERT_TRUE(QDir().mkpath(trip + QStringLiteral("/pictures")));
  const QString inside = trip + QStringLiteral("/pictures/balloons.jpg");
  const QString outside = Dir.filePath(QStringLiteral("cake.jpg"));
  ASSERT_TRUE(QFile::copy(library + QStringLiteral("balloons.jpg"), inside));
  ASSERT_TRUE(QFile::copy(library + QStringLiteral("cake.jpg"), outside));
  QFile card(trip + QStringLiteral("/Trip.grx"));
  ASSERT_TRUE(card.open(QIODevice::WriteOnly));
  card.write(TwelveFrameCard(PictureObj(QStringLiteral("Pic1"), inside, 20) + PictureObj(QStringLiteral("Pic2"), outside, 200)));
  card.close();
  Start({card.fileName()});
  const auto workingMovie = [&] {
    QFile movie(QString::fromStdString(Card()->WorkSwfFile));
    return movie.open(QIODevice::ReadOnly) ? movie.readAll() : QByteArray();
  };
  const QByteArray before = workingMovie();
  ASSERT_GT(before.size(), 4000); // both pictures are in it
  Form().FileSaveActExecute();
  ASSERT_TRUE(card.open(QIODevice::ReadOnly));
  const QByteArray saved = card.readAll();
  card.close();
  EXPECT_TRUE(saved.contains("<Content>pictures/balloons.jpg</Content>")) << saved.toStdString();
  EXPECT_TRUE(saved.contains(("<Content>" + outside + "</Content>").toUtf8()));

  // The folder travels; the card opened from its new place draws the same movie.
  const QString moved = Dir.filePath(QStringLiteral("Moved"));
  ASSERT_TRUE(QDir().rename(trip, moved));
  Dialogs().Answers << moved + QStringLiteral("/Trip.grx");
  Form().FileOpenActExecute();
  ASSERT_EQ(QString::fromStdString(Card()->CardPath), moved + QStringLiteral("/Trip"));
  EXPECT_EQ(workingMovie(), before);
  EXPECT_TRUE(Errors.isEmpty()) << Errors.join('\n').toStdString();
}

TEST_F(EditorTest, ACardWhoseMediaAreMissingAsksOnceAndLocatingOneFindsTheOthers) {
  // A card naming two pictures of a folder that has since moved.
  const QString library = Platform::ProgramFolder() + QStringLiteral("/library/");
  const QString moved = Dir.filePath(QStringLiteral("Photos2026"));
  ASSERT_TRUE(QDir().mkpath(moved));
  for (const char* name : {"balloons.jpg", "cake.jpg"})
    ASSERT_TRUE(QFile::copy(library + QString::fromLatin1(name), moved + QLatin1Char('/') + QString::fromLatin1(name)));
  const QString gone = Dir.filePath(QStringLiteral("Photos"));
  const QString cardFile = Dir.filePath(QStringLiteral("Album.grx"));
  QFile card(cardFile);
  ASSERT_TRUE(card.open(QIODevice::WriteOnly));
  const QByteArray original = TwelveFrameCard(PictureObj(QStringLiteral("Pic1"), gone + QStringLiteral("/balloons.jpg")) +
                                                   PictureObj(QStringLiteral("Pic2"), gone + QStringLiteral("/cake.jpg")) +
                                                   PictureObj(QStringLiteral("Pic3"), gone + QStringLiteral("/balloons.jpg")));
  card.write(original);
  card.close();

  // The user locates the first; the second is found beside it.
  Start();
  Questions().LocatedMedia = {{gone + QStringLiteral("/balloons.jpg"), moved + QStringLiteral("/balloons.jpg")}};
  Dialogs().Answers << cardFile;
  Form().FileOpenActExecute();
  ASSERT_EQ(Questions().MissingAsked.size(), 1);
  EXPECT_EQ(Questions().MissingAsked[0],
            (QStringList{gone + QStringLiteral("/balloons.jpg"), gone + QStringLiteral("/cake.jpg")}));
  TXMLObjList objects = Global().Context.Movie().Obj();
  EXPECT_EQ(objects.Item(0).ObjType().ObjPic().Content(), (moved + QStringLiteral("/balloons.jpg")).toStdString());
  EXPECT_EQ(objects.Item(1).ObjType().ObjPic().Content(), (moved + QStringLiteral("/cake.jpg")).toStdString());
  EXPECT_EQ(objects.Item(2).ObjType().ObjPic().Content(), (moved + QStringLiteral("/balloons.jpg")).toStdString());
  EXPECT_EQ(QString::fromStdString(Card()->CardPath), Dir.filePath(QStringLiteral("Album")));
  EXPECT_TRUE(Errors.isEmpty()) << Errors.join('\n').toStdString();
  // The card's own file is as it was until the user saves; the card says it changed.
  ASSERT_TRUE(card.open(QIODevice::ReadOnly));
  EXPECT_EQ(card.readAll(), original);
  card.close();
  EXPECT_TRUE(Card()->History().Modified());

  // A card whose media are all there asks nothing.
  Form().FileSaveActExecute();
  Form().FileCloseActExecute();
  Dialogs().Answers << cardFile;
  Form().FileOpenActExecute();
  EXPECT_EQ(Questions().MissingAsked.size(), 1);
}

TEST_F(EditorTest, ACardReadingFilesOutsideItsFolderListsThemOnceBeforeItRendersThem) {
  // A card received from someone names a picture of its own and one from elsewhere on the disk.
  const QString library = Platform::ProgramFolder() + QStringLiteral("/library/");
  const QString received = Dir.filePath(QStringLiteral("Received"));
  ASSERT_TRUE(QDir().mkpath(received));
  ASSERT_TRUE(QDir().mkpath(Dir.filePath(QStringLiteral("Private"))));
  const QString own = received + QStringLiteral("/own.jpg");
  const QString secret = Dir.filePath(QStringLiteral("Private/secret.jpg"));
  ASSERT_TRUE(QFile::copy(library + QStringLiteral("cake.jpg"), own));
  ASSERT_TRUE(QFile::copy(library + QStringLiteral("balloons.jpg"), secret));
  const QString cardFile = received + QStringLiteral("/Card.grx");
  const auto write = [&](const QString& objects) {
    QFile card(cardFile);
    ASSERT_TRUE(card.open(QIODevice::WriteOnly));
    card.write(TwelveFrameCard(objects + PictureObj(QStringLiteral("Pic9"), QStringLiteral("library/cake.jpg"))));
  };
  write(PictureObj(QStringLiteral("Pic1"), own) + PictureObj(QStringLiteral("Pic2"), secret));
  Start();
  const auto open = [&] {
    Dialogs().Answers << cardFile;
    Form().FileOpenActExecute();
  };
  open();
  EXPECT_EQ(Questions().OutsideShown, (QList<QStringList>{{secret}}));
  // Once: the same card with the same files says nothing again; a new outside file is shown.
  open();
  EXPECT_EQ(Questions().OutsideShown.size(), 1);
  const QString other = Dir.filePath(QStringLiteral("Private/other.jpg"));
  ASSERT_TRUE(QFile::copy(secret, other));
  write(PictureObj(QStringLiteral("Pic1"), own) + PictureObj(QStringLiteral("Pic2"), secret) +
        PictureObj(QStringLiteral("Pic3"), other));
  open();
  ASSERT_EQ(Questions().OutsideShown.size(), 2);
  EXPECT_EQ(Questions().OutsideShown[1], (QStringList{secret, other}));
}

TEST_F(EditorTest, SaveOverAnExistingCardReplacesItWhole) {
  Start();
  QFile old(Dir.filePath("Keep.grx"));
  ASSERT_TRUE(old.open(QIODevice::WriteOnly));
  old.write("old contents");
  old.close();
  Dialogs().Answers << Dir.filePath("Keep.grx");
  Form().FileSaveActExecute();
  QFile saved(Dir.filePath("Keep.grx"));
  ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
  EXPECT_TRUE(saved.readAll().contains("<Movie>"));
  // No temporary file is left beside it.
  EXPECT_EQ(QDir(Dir.path()).entryList({"Keep*"}, QDir::Files),
            (QStringList{"Keep.grx", "Keep.swf"}));
}

TEST_F(EditorTest, SaveOntoAFullDiskSaysSoAndKeepsTheSavedCardAndMovie) {
  Start();
  NewWithGuide(1); // the birthday card: a movie much larger than its card
  const QByteArray oldCard = "<Movie><Width>300</Width></Movie>";
  const QByteArray oldMovie = "an older movie";
  for (const auto& [name, bytes] : {std::pair{"Keep.grx", oldCard}, std::pair{"Keep.swf", oldMovie}}) {
    QFile file(Dir.filePath(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  }
  const auto contents = [this](const char* name) {
    QFile file(Dir.filePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  };
  Dialogs().Answers << Dir.filePath("Keep.grx");
  {
    TFileSizeLimit full(20);
    Form().findChild<QAbstractButton*>("BtnSave")->click();
  }
  ASSERT_EQ(Errors.size(), 1);
  EXPECT_TRUE(Errors[0].contains("Keep.grx")) << Errors[0].toStdString();
  EXPECT_EQ(contents("Keep.grx"), oldCard);
  EXPECT_EQ(contents("Keep.swf"), oldMovie);

  // Room for the card but not for its movie: the movie is what fails, and the old one stays.
  {
    TFileSizeLimit full(QFileInfo(QString::fromStdString(Card()->WorkProjectFile())).size() + 100);
    Form().findChild<QAbstractButton*>("BtnSave")->click();
  }
  ASSERT_GE(Errors.size(), 2);
  EXPECT_TRUE(Errors.last().contains("movie")) << Errors.last().toStdString();
  EXPECT_EQ(contents("Keep.swf"), oldMovie);
  EXPECT_EQ(QDir(Dir.path()).entryList({"*Keep*"}, QDir::Files | QDir::Hidden),
            (QStringList{"Keep.grx", "Keep.swf"}));
}

TEST_F(EditorTest, ACardWithATextTooCostlyOpensSaysWhichAndKeepsIt) {
  // The birthday card with its first text turned into thousands of letters for a long
  // letter-by-letter effect: far more than one render may take.
  QFile original(TMainForm::TemplateFile(1));
  ASSERT_TRUE(original.open(QIODevice::ReadOnly));
  QByteArray xml = original.readAll();
  const QByteArray longText = QByteArray(5000, 'y');
  xml.replace("<ObjName>Text1</ObjName><StartTime>0</StartTime><EndTime>24</EndTime>",
              "<ObjName>Text1</ObjName><StartTime>0</StartTime><EndTime>239</EndTime>");
  const QByteArray fade = "<Content>Happy Birthday!</Content><TextUnit>1</TextUnit><FontName>Liberation "
                          "Serif</FontName><FontSize>28</FontSize><FontColor>5250760</FontColor><PositionX>68"
                          "</PositionX><PositionY>48</PositionY><EffectName>Fade</EffectName>";
  ASSERT_TRUE(xml.contains(fade));
  QByteArray rainbow = fade;
  rainbow.replace("Happy Birthday!", longText).replace("Fade", "Rainbow");
  xml.replace(fade, rainbow);
  const QString card = Dir.filePath("Costly.grx");
  QFile file(card);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(xml);
  file.close();

  Start({card});
  ASSERT_FALSE(Errors.isEmpty());
  EXPECT_TRUE(Errors[0].contains("\"Text1\" is left out of the movie")) << Errors[0].toStdString();
  ASSERT_NE(Card(), nullptr);
  EXPECT_EQ(Card()->Mode(), "Edit");
  // The editor goes on: the card keeps the text, and saving writes it back whole.
  Dialogs().Answers << card;
  Form().FileSaveActExecute();
  QFile saved(card);
  ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
  EXPECT_TRUE(saved.readAll().contains(longText));
}

TEST_F(EditorTest, LastMediaFolderComesFromTheRegistryOrTheLibraryBesideTheProgram) {
  EXPECT_EQ(LoadLastMediaFolder(), Platform::ProgramFolder() + "/library");
  SaveLastMediaFolder("/home/someone/Pictures/");
  EXPECT_EQ(Platform::TRegistry::Read(Platform::CommonKey, Platform::LastOpenDirValue),
            "/home/someone/Pictures/");
  EXPECT_EQ(LoadLastMediaFolder(), "/home/someone/Pictures/");
  SaveLastMediaFolder("");
  EXPECT_EQ(LoadLastMediaFolder(), Platform::ProgramFolder() + "/library");
}

TEST_F(EditorTest, BothChoosersStartInAndUpdateTheProgramsLastMediaFolder) {
  Start();
  Global().LastOpenDir = "/home/someone/Media/";
  EXPECT_EQ(TPicSelectForm::LastMediaFolder(), "/home/someone/Media/");
  EXPECT_EQ(TSoundSelectForm::LastMediaFolder(), "/home/someone/Media/");
  // A folder chosen in one chooser is where the other starts, and what the program keeps.
  TSoundSelectForm::SetLastMediaFolder("/home/someone/Sounds/");
  EXPECT_EQ(Global().LastOpenDir, "/home/someone/Sounds/");
  EXPECT_EQ(TPicSelectForm::LastMediaFolder(), "/home/someone/Sounds/");
}

} // namespace
