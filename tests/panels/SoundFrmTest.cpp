// The sound panel and the sound chooser, driven by their object names: the panel's binding
// to the sound object and the card document, Open, Clean, and OK importing the chosen file
// beside it through the audio modules, with the window kept alive while it decodes.
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "panels/PanelHost.h"
#include "panels/SoundFrm.h"
#include "panels/SoundSelectFrm.h"
#include "panels/ioplug.h"
#include "plugins/SoundFixtures.h"
#include "plugins/StandardModules.h"
#include "render/FlashSound.h"
#include "render/RenderFixture.h"

namespace {

using plugins::test::ReadWavFacts;
using plugins::test::TTempFolder;
using plugins::test::WriteSineWav;

// The editor around the panels: a card document with two sounds, Sound2 selected in the
// library, and a count of renders (the sound panel never asks for one).
class TSoundHost : public IPanelHost {
public:
  TSoundHost()
      : Fixture(SoundObjXml("Sound1", "/music/one.wav") + SoundObjXml("Sound2", "/music/two.mp3"))
  {
    Fixture.Library.Selected = "Sound2";
    SetPanelHost(this);
  }
  ~TSoundHost() override { SetPanelHost(nullptr); }
  TRenderContext& RenderContext() override { return Fixture.Ctx; }
  void StoreCard() override {}
  void RenderCard() override { ++Renders; }
  void SetPreviewFrame(int) override {}
  void SetCurrentObjectKind(const std::string&) override {}

  // Opens Sound2 as the library does: a fresh editing object loaded and shown.
  TFlashSound& OpenSecondSound()
  {
    auto* sound = static_cast<TFlashSound*>(Fixture.Ctx.RenewEditingObject("Sound"));
    sound->LoadAndShow(1);
    return *sound;
  }
  std::string StoredContent(int index)
  {
    TRenderFixture reread;
    reread.LoadCard(ReadWholeFile(Fixture.CardFile()));
    return reread.Ctx.Movie().Obj().Item(index).ObjType().ObjSound().Content();
  }

  TRenderFixture Fixture;
  int Renders = 0;
};

// The chooser of the run, with its answers and messages collected for each test, and the
// standard importer restored afterwards.
class SoundChooser : public testing::Test {
protected:
  void SetUp() override
  {
    Chooser = TSoundSelectForm::Instance();
    Chooser->ShowMessage = [this](QWidget*, const QString& text) { Messages << text; };
    Chooser->OpenSoundDialog = [this](QWidget*, const QString& folder, const QString& filter) {
      DialogFolders << folder;
      DialogFilters << filter;
      return DialogAnswer;
    };
    TSoundSelectForm::ConnectMediaFolder([this] { return MediaFolder; },
                                         [this](const QString& folder) { MediaFolder = folder; });
    Panel = std::make_unique<TSoundForm>(nullptr);
    Chooser->SetSoundForm(Panel.get());
  }
  void TearDown() override
  {
    TSoundSelectForm::ConnectMediaFolder({}, {});
    SetSoundImporter(nullptr);
  }

  // Shows the chooser modally and runs `whileShown` once it is up; returns when it closed.
  void RunChooser(const std::function<void()>& whileShown)
  {
    QTimer::singleShot(0, Chooser, [this, whileShown] {
      whileShown();
      if (Chooser->isVisible()) Chooser->reject();
    });
    Chooser->exec();
  }
  void ImportByOk(const std::string& file)
  {
    RunChooser([&] {
      Chooser->EditSoundName->setText(QString::fromStdString(file));
      QTest::mouseClick(Chooser->OkBtn, Qt::LeftButton);
    });
  }

  TSoundHost Host;
  TTempFolder Folder;
  TSoundSelectForm* Chooser = nullptr;
  std::unique_ptr<TSoundForm> Panel;
  QStringList Messages, DialogFolders, DialogFilters;
  QString DialogAnswer;
  QString MediaFolder = QStringLiteral("/media/last/");
};

} // namespace

TEST(SoundForm, ControlsAndTheBindingToTheSoundObject)
{
  TSoundHost host;
  auto panel = std::make_unique<TSoundForm>(nullptr);
  EXPECT_EQ(panel->objectName(), "SoundForm");
  EXPECT_EQ(panel->windowTitle(), "SoundForm");
  EXPECT_EQ(panel->findChild<QLabel*>("Label1")->text(), "Sound FileName:");
  EXPECT_EQ(panel->findChild<QPushButton*>("OpenBtn")->text(), "&Open");
  QLineEdit* content = panel->findChild<QLineEdit*>("Content");
  ASSERT_NE(content, nullptr);
  EXPECT_EQ(host.Fixture.Ctx.SoundPanel, &panel->SoundPanel());

  // Opening the object fills the box; the name shown is written back unchanged.
  TFlashSound& sound = host.OpenSecondSound();
  EXPECT_EQ(content->text(), "/music/two.mp3");
  EXPECT_FALSE(panel->Updating());
  EXPECT_EQ(host.StoredContent(1), "/music/two.mp3");

  // Typing stores every change into the object and the document, without a render.
  content->clear();
  QTest::keyClicks(content, "/tmp/x.wav");
  EXPECT_EQ(sound.Content, "/tmp/x.wav");
  EXPECT_EQ(host.StoredContent(1), "/tmp/x.wav");
  EXPECT_EQ(host.StoredContent(0), "/music/one.wav");
  EXPECT_EQ(host.Renders, 0);

  panel.reset();
  EXPECT_EQ(host.Fixture.Ctx.SoundPanel, nullptr);
}

TEST_F(SoundChooser, LooksAsDesignedAndOpensWithTheObjectsName)
{
  Host.OpenSecondSound();
  Panel->Content->setText("/music/two.mp3");
  QString shownName;
  RunChooser([&] {
    shownName = Chooser->EditSoundName->text();
    // The close button while nothing is decoded closes the chooser as Cancel does.
  });
  EXPECT_EQ(Chooser->windowTitle(), "Select Sound:");
  EXPECT_EQ(Chooser->size(), QSize(315, 110));
  EXPECT_EQ(Chooser->palette().color(QPalette::Window), QColor(200, 228, 169));
  EXPECT_EQ(Chooser->findChild<QLabel*>("Label1")->text(), "Sound Filename:");
  EXPECT_EQ(Chooser->findChild<QPushButton*>("OkBtn")->text(), "&OK");
  EXPECT_EQ(Chooser->findChild<QPushButton*>("CleanBtn")->text(), "&Clean");
  EXPECT_EQ(Chooser->ProgressBar1->maximum(), 1000);
  EXPECT_EQ(Chooser->ProgressBar1->geometry(), QRect(0, 94, 315, 16));
  const QString all = TSoundSelectForm::SoundFilter().section(QLatin1Char('|'), 1, 1);
  for (const char* pattern : {"*.mp3", "*.wav", "*.m4a", "*.ogg", "*.opus", "*.flac"})
    EXPECT_TRUE(all.split(QLatin1Char(';')).contains(QLatin1String(pattern))) << pattern;
  EXPECT_EQ(TSoundSelectForm::Instance(), Chooser);

  // The panel's Open puts the current object's name into the chooser.
  QTimer::singleShot(0, Chooser, [&] {
    shownName = Chooser->EditSoundName->text();
    Chooser->reject();
  });
  QTest::mouseClick(Panel->OpenBtn, Qt::LeftButton);
  EXPECT_EQ(shownName, "/music/two.mp3");
}

TEST_F(SoundChooser, OpenStartsInTheLastMediaFolderAndRemembersTheChosenOne)
{
  RunChooser([&] {
    Chooser->EditSoundName->setText("kept.wav");
    DialogAnswer.clear(); // cancelled
    QTest::mouseClick(Chooser->OpenBtn, Qt::LeftButton);
    EXPECT_EQ(Chooser->EditSoundName->text(), "kept.wav");

    DialogAnswer = QString::fromStdString(Folder / "song.mp3");
    QTest::mouseClick(Chooser->OpenBtn, Qt::LeftButton);
    EXPECT_EQ(Chooser->EditSoundName->text(), DialogAnswer);
  });
  EXPECT_EQ(DialogFolders, QStringList({"/media/last/", "/media/last/"}));
  EXPECT_EQ(DialogFilters.value(0), "All Sound Files (*.mp3 *.wav)");
  EXPECT_EQ(MediaFolder, QString::fromStdString(Folder.Path().string()) + "/");
  // Nothing is imported by choosing a file.
  EXPECT_TRUE(Folder.FileNames().empty());
}

TEST_F(SoundChooser, CleanEmptiesTheNameAndClosesWithoutDecoding)
{
  Host.OpenSecondSound();
  RunChooser([&] {
    Chooser->EditSoundName->setText("/music/two.mp3");
    QTest::mouseClick(Chooser->CleanBtn, Qt::LeftButton);
    EXPECT_FALSE(Chooser->isVisible());
  });
  EXPECT_EQ(Chooser->EditSoundName->text(), "");
  EXPECT_EQ(Panel->Content->text(), "");
  EXPECT_EQ(Host.StoredContent(1), "");
  EXPECT_TRUE(Messages.isEmpty());
}

TEST_F(SoundChooser, OkImportsTheFileBesideItAndTakesItsName)
{
  Host.OpenSecondSound();
  const std::string source = Folder / "Party Song.wav";
  WriteSineWav(source, 48000, 2, 0.5);
  ImportByOk(source);
  EXPECT_TRUE(Messages.isEmpty()) << Messages.join("; ").toStdString();
  EXPECT_FALSE(Chooser->isVisible());
  EXPECT_EQ(Panel->Content->text(), QString::fromStdString(source));
  EXPECT_EQ(Host.StoredContent(1), source);
  // The preview plays the sound chosen.
  EXPECT_EQ(Host.Renders, 1);

  // 16-bit mono at a rate the movie takes, as long as the source.
  const auto facts = ReadWavFacts(source + "_tmp.wav");
  EXPECT_EQ(facts.Channels, 1);
  EXPECT_EQ(facts.Rate, 44100);
  EXPECT_NEAR(facts.Seconds(), 0.5, 0.01);
  EXPECT_EQ(Folder.FileNames(), (std::vector<std::string>{"Party Song.wav", "Party Song.wav_tmp.wav"}));

  // A relative name, as the templates hold, lies in the program folder, where the renderer
  // looks for the converted file; the name itself is kept as it is.
  Host.Fixture.Ctx.ProgramFolder = Folder.Path().string();
  std::filesystem::create_directory(Folder / "library");
  WriteSineWav(Folder / "library/jingle.wav", 22050, 1, 0.2);
  ImportByOk("library/jingle.wav");
  EXPECT_TRUE(Messages.isEmpty()) << Messages.join("; ").toStdString();
  EXPECT_EQ(ReadWavFacts(Folder / "library/jingle.wav_tmp.wav").Rate, 22050);
  EXPECT_EQ(Host.StoredContent(1), "library/jingle.wav");

  // The buttons stay disabled until the chooser is shown again.
  EXPECT_FALSE(Chooser->OkBtn->isEnabled());
  bool enabledWhenShown = false;
  RunChooser([&] {
    enabledWhenShown = Chooser->OkBtn->isEnabled() && Chooser->OpenBtn->isEnabled() &&
                       Chooser->CleanBtn->isEnabled() && Chooser->ProgressBar1->value() == 0;
  });
  EXPECT_TRUE(enabledWhenShown);
}

TEST_F(SoundChooser, FailedImportsAreReportedAndLeaveNoHalfWrittenFile)
{
  Host.OpenSecondSound();
  const std::string before = Host.StoredContent(1);
  const int renders = Host.Renders;
  // A damaged file: the message names it and says why; an earlier good import of it stays.
  const std::string damaged = Folder / "broken.wav";
  plugins::test::WriteBytes(damaged + "_tmp.wav", {'o', 'l', 'd'});
  plugins::test::WriteBytes(damaged, plugins::test::RandomBytes(5000, 3));
  bool openAfterwards = false;
  QString nameAfterwards;
  RunChooser([&] {
    Chooser->EditSoundName->setText(QString::fromStdString(damaged));
    QTest::mouseClick(Chooser->OkBtn, Qt::LeftButton);
    openAfterwards = Chooser->isVisible() && Chooser->OkBtn->isEnabled();
    nameAfterwards = Chooser->EditSoundName->text();
  });
  ASSERT_EQ(Messages.size(), 1);
  EXPECT_TRUE(Messages[0].startsWith(QString::fromStdString("Can not import " + damaged + "\n\n"))) << Messages[0].toStdString();
  EXPECT_TRUE(Messages[0].endsWith(QLatin1Char('.'))) << Messages[0].toStdString();
  EXPECT_EQ(plugins::test::ReadBytes(damaged + "_tmp.wav"), (std::vector<char>{'o', 'l', 'd'}));
  // The card keeps its sound; the chooser stays open with the name, ready for another try.
  EXPECT_EQ(Host.StoredContent(1), before);
  EXPECT_EQ(Host.Renders, renders);
  EXPECT_TRUE(openAfterwards);
  EXPECT_EQ(nameAfterwards, QString::fromStdString(damaged));

  // A missing output module.
  static plugins::TAudioModules withoutOutput = plugins::TAudioModules::Standard();
  withoutOutput.Remove("sound.dll");
  SetSoundImporter(std::make_unique<plugins::TSoundImporter>(withoutOutput));
  Messages.clear();
  const std::string good = Folder / "good.wav";
  WriteSineWav(good, 22050, 1, 0.2);
  ImportByOk(good);
  EXPECT_EQ(Messages, QStringList({"Failed to load output plugin !"}));
  EXPECT_FALSE(std::filesystem::exists(good + "_tmp.wav"));
  EXPECT_EQ(Folder.FileNames(), (std::vector<std::string>{"broken.wav", "broken.wav_tmp.wav", "good.wav"}));

  // An empty name is no sound: nothing decoded, nothing said, the name emptied.
  Messages.clear();
  ImportByOk("");
  EXPECT_TRUE(Messages.isEmpty());
  EXPECT_EQ(Host.StoredContent(1), "");
}

TEST_F(SoundChooser, WindowsKeepWorkingWhileTheSoundIsDecoded)
{
  // The output catches up only after a number of polls, so the wait is seen from inside.
  static plugins::TAudioModules slow = plugins::TAudioModules::Standard();
  slow.Register("sound.dll", [] {
    std::unique_ptr<plugins::TOutModule> module = plugins::MakeSoundOutModule();
    auto polls = std::make_shared<int>(0);
    module->GetOutputTime = [real = module->GetOutputTime, polls] { return ++*polls < 40 ? 0 : real(); };
    return std::make_unique<plugins::TOutputLibrary>("sound.dll", std::move(module));
  });
  SetSoundImporter(std::make_unique<plugins::TSoundImporter>(slow));
  const std::string source = Folder / "a.wav";
  WriteSineWav(source, 11025, 1, 0.3);

  int ticksWhileImporting = 0;
  bool buttonsDisabled = true;
  std::vector<int> progress;
  bool stayedOpen = true;
  QTimer ticker;
  ticker.setInterval(0);
  QObject::connect(&ticker, &QTimer::timeout, [&] {
    if (!Chooser->Importing()) return;
    ++ticksWhileImporting;
    buttonsDisabled = buttonsDisabled && !Chooser->OkBtn->isEnabled() && !Chooser->OpenBtn->isEnabled() &&
                      !Chooser->CleanBtn->isEnabled();
    progress.push_back(Chooser->ProgressBar1->value());
    // Escape and the close button wait for the decoding to end.
    Chooser->reject();
    Chooser->close();
    stayedOpen = stayedOpen && Chooser->isVisible();
  });
  ticker.start();
  ImportByOk(source);
  ticker.stop();

  EXPECT_TRUE(Messages.isEmpty()) << Messages.join("; ").toStdString();
  EXPECT_GT(ticksWhileImporting, 5);
  EXPECT_TRUE(buttonsDisabled);
  EXPECT_TRUE(stayedOpen);
  ASSERT_GE(progress.size(), 2u);
  EXPECT_EQ(progress[1] - progress[0], 2); // an activity indicator: 2 of 1000 per poll
  EXPECT_EQ(ReadWavFacts(source + "_tmp.wav").Channels, 1);
  EXPECT_FALSE(Chooser->isVisible());
}
