// The picture panel and the picture chooser, driven by their object names: the panel's
// binding to the picture object and the card document, the delayed apply, the effect
// choice, and the chooser's Open, Clean and OK with good, refused and unreadable pictures.
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <memory>

#include "panels/PanelHost.h"
#include "panels/PicFrm.h"
#include "panels/PicSelectFrm.h"
#include "panels/SoundFrm.h" // completes the sound chooser's header
#include "panels/SoundSelectFrm.h"
#include "panels/SpinEdit.h"
#include "render/FlashPic.h"
#include "render/PicFixture.h"

namespace {

// The editor around the panel: a card with a text and two pictures, Pic2 selected in the
// library. A render runs the real picture renderer over every picture into the recording.
class TPicHost : public IPanelHost {
public:
  TPicHost()
  {
    WriteJpeg(Fixture.Scratch.File("one.jpg"), 30, 40);
    Fixture.LoadCard(MovieXml(TextObjXml({.Name = "Text1"}) +
                              PicObjXml({.Name = "Pic1", .Content = Fixture.Scratch.File("one.jpg")}) +
                              PicObjXml({.Name = "Pic2", .Start = 10, .End = 20, .Content = Fixture.Scratch.File("one.jpg"),
                                         .X = 10, .Y = 20, .W = 30, .H = 40})));
    Fixture.Library.Selected = "Pic2";
    SetPanelHost(this);
  }
  ~TPicHost() override { SetPanelHost(nullptr); }
  TRenderContext& RenderContext() override { return Fixture.Ctx; }
  void StoreCard() override {}
  void RenderCard() override
  {
    ++Renders;
    Fixture.Builder.Recording.Clear();
    for (int i = 0; i < Fixture.Ctx.Movie().Obj().Count(); ++i)
      if (Fixture.Ctx.Movie().Obj().Item(i).ObjTypeName() == "Pic") TFlashPic(Fixture.Ctx).Render(i);
  }
  void SetPreviewFrame(int) override {}
  void SetCurrentObjectKind(const std::string&) override {}

  // Opens Pic2 as the library does: a fresh editing object loaded and shown.
  TFlashPic& OpenSecondPicture()
  {
    auto* picture = static_cast<TFlashPic*>(Fixture.Ctx.RenewEditingObject("Pic"));
    picture->LoadAndShow(2);
    return *picture;
  }
  // Pic2 as the saved card file holds it.
  struct TStored {
    std::string Content, EffectName;
    int PositionX, Width, Height, EndTime;
  };
  TStored Stored()
  {
    Reread.LoadCard(ReadWholeFile(Fixture.CardFile()));
    TFlashPic picture(Reread.Ctx);
    picture.LoadFromDocument(2);
    return {picture.Content, picture.EffectName, picture.PositionX, picture.Width, picture.Height, picture.EndTime};
  }

  TPicFixture Fixture;
  TRenderFixture Reread;
  int Renders = 0;
};

void TypeInto(TSpinEdit* edit, const QString& text)
{
  edit->selectAll();
  QTest::keyClicks(edit, text);
}

TEST(PicForm, ControlsAsDesigned)
{
  TPicHost host;
  auto panel = std::make_unique<TPicForm>(nullptr);
  EXPECT_EQ(panel->objectName(), "PicForm");
  EXPECT_EQ(panel->windowTitle(), "PicForm");
  EXPECT_EQ(panel->size(), QSize(222, 344));
  EXPECT_EQ(panel->ChildImage2->y(), 1);
  EXPECT_EQ(host.Fixture.Ctx.PicturePanel, &panel->Panel());

  auto* frame = panel->findChild<QFrame*>("Panel1");
  auto* content = panel->findChild<QLabel*>("Content");
  ASSERT_TRUE(frame && content);
  EXPECT_EQ(frame->size(), QSize(72, 42));
  EXPECT_EQ(content->parentWidget(), frame);
  EXPECT_EQ(content->toolTip(), "Background Picture");
  EXPECT_EQ(content->cursor().shape(), Qt::PointingHandCursor);
  EXPECT_TRUE(content->hasScaledContents());

  struct TSpin { const char* Name; int Min, Max, Value; const char* Label; };
  for (const TSpin& spin : {TSpin{"EditPositionX", -10000, 10000, 0, "Pos&X:"}, TSpin{"EditPositionY", -10000, 10000, 0, "Pos&Y:"},
                            TSpin{"EditWidth", 1, 10000, 1, "&Width:"}, TSpin{"EditHeight", 1, 10000, 1, "&Height:"},
                            TSpin{"EditBegin", 1, 100000, 1, "&Start:"}, TSpin{"EditEnd", -1, 100000, 0, "&End:"}}) {
    SCOPED_TRACE(spin.Name);
    auto* edit = panel->findChild<TSpinEdit*>(spin.Name);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ((std::vector<int>{edit->MinValue(), edit->MaxValue(), edit->Value()}),
              (std::vector<int>{spin.Min, spin.Max, spin.Value}));
    bool labelled = false;
    for (QLabel* label : panel->findChildren<QLabel*>())
      labelled = labelled || (label->buddy() == edit && label->text() == spin.Label);
    EXPECT_TRUE(labelled);
  }
  auto* effects = panel->findChild<QComboBox*>("EffectName");
  ASSERT_NE(effects, nullptr);
  EXPECT_EQ(effects->count(), 2);
  EXPECT_EQ(effects->itemText(0), "-- None --");
  EXPECT_EQ(effects->itemText(1), "Move");
  EXPECT_EQ(effects->maxVisibleItems(), 8);
  auto* timer = panel->findChild<QTimer*>("Timer1");
  ASSERT_NE(timer, nullptr);
  EXPECT_EQ(timer->interval(), 1000);
  EXPECT_FALSE(timer->isActive());

  const std::vector<QWidget*> order = {frame, panel->EditPositionX, panel->EditPositionY, panel->EditWidth,
                                       panel->EditHeight, effects, panel->EditBegin, panel->EditEnd};
  for (std::size_t i = 1; i < order.size(); ++i) {
    QWidget* next = order[i - 1]->nextInFocusChain();
    while (next && next->focusPolicy() == Qt::NoFocus) next = next->nextInFocusChain();
    // A spin edit's own line edit follows it in the chain.
    while (next && next->parentWidget() == order[i - 1]) next = next->nextInFocusChain();
    EXPECT_EQ(next, order[i]) << i;
  }

  panel.reset();
  EXPECT_EQ(host.Fixture.Ctx.PicturePanel, nullptr);
}

TEST(PicForm, ShowsThePictureObjectWithoutApplyingIt)
{
  TPicHost host;
  TPicForm panel(nullptr);
  host.OpenSecondPicture();
  EXPECT_TRUE(panel.HasPicture());
  EXPECT_EQ((std::vector<int>{panel.EditPositionX->Value(), panel.EditPositionY->Value(), panel.EditWidth->Value(),
                              panel.EditHeight->Value(), panel.EditBegin->Value(), panel.EditEnd->Value()}),
            (std::vector<int>{10, 20, 30, 40, 11, 21}));
  EXPECT_EQ(panel.EffectName->currentText(), "-- None --");
  EXPECT_FALSE(panel.Updating());
  EXPECT_FALSE(panel.Timer1->isActive());
  EXPECT_EQ(host.Renders, 0);
}

TEST(PicForm, TypingAppliesOnceByTheTimerOrAtOnceOnEnter)
{
  TPicHost host;
  TPicForm panel(nullptr);
  host.OpenSecondPicture();

  TypeInto(panel.EditPositionX, "123");
  TypeInto(panel.EditHeight, "77");
  EXPECT_TRUE(panel.Timer1->isActive());
  EXPECT_EQ(host.Stored().PositionX, 10); // nothing applied before the timer fires
  EXPECT_EQ(host.Renders, 0);

  panel.Timer1Timer(); // what the timer runs when it fires
  EXPECT_FALSE(panel.Timer1->isActive());
  EXPECT_EQ(host.Stored().PositionX, 123);
  EXPECT_EQ(host.Stored().Height, 77);
  EXPECT_EQ(host.Renders, 1);

  TypeInto(panel.EditEnd, "50");
  QTest::keyClick(panel.EditEnd, Qt::Key_Return);
  EXPECT_EQ(host.Stored().EndTime, 49);
  EXPECT_EQ(host.Renders, 2);
  // The timer the typing started still applies once when it fires.
  EXPECT_TRUE(panel.Timer1->isActive());
  panel.Timer1Timer();
  EXPECT_EQ(host.Renders, 3);
}

TEST(PicForm, ChoosingAnEffectGivesTwentyFiveFrames)
{
  TPicHost host;
  TPicForm panel(nullptr);
  TFlashPic& picture = host.OpenSecondPicture();
  EXPECT_EQ(panel.EditBegin->Value(), 11);

  panel.EffectName->setCurrentText("Move");
  EXPECT_EQ(panel.EditEnd->Value(), 35);
  EXPECT_EQ(picture.EndTime, 34);
  EXPECT_EQ(host.Stored().EndTime, 34);
  EXPECT_EQ(host.Stored().EffectName, "Move");
  EXPECT_EQ(host.Renders, 1);
  EXPECT_FALSE(panel.Timer1->isActive()); // filling the panel again starts no apply
  // One shape for each of frames 10 to 33: the picture leaves at its last frame.
  EXPECT_EQ(host.Fixture.Builder.Recording.Named("MakePicture").size(), 1u + 24u);
}

// The chooser of the run with its answers and messages collected for each test.
class PicChooser : public testing::Test {
protected:
  void SetUp() override
  {
    Chooser = TPicSelectForm::Instance();
    Chooser->ShowMessage = [this](QWidget*, const QString& text) { ErrorBoxes << text; };
    Chooser->OpenPictureDialog = [this](QWidget*, const QString& folder, const QString& filter) {
      DialogFolders << folder;
      DialogFilters << filter;
      return DialogAnswer;
    };
    TPicSelectForm::ConnectMediaFolder([this] { return MediaFolder; },
                                       [this](const QString& folder) { MediaFolder = folder; });
    Panel = std::make_unique<TPicForm>(nullptr);
    Picture = &Host.OpenSecondPicture();
  }
  void TearDown() override { TPicSelectForm::ConnectMediaFolder({}, {}); }

  // Shows the chooser modally and runs `whileShown` once it is up; returns when it closed.
  // `stillShown` tells whether the chooser was open after `whileShown`.
  void RunChooser(const std::function<void()>& whileShown)
  {
    QTimer::singleShot(0, Chooser, [this, whileShown] {
      whileShown();
      StillShown = Chooser->isVisible();
      if (StillShown) Chooser->reject();
    });
    Chooser->exec();
  }
  void Ok(const std::string& name)
  {
    RunChooser([&] {
      Chooser->EditPicName->setText(QString::fromStdString(name));
      QTest::mouseClick(Chooser->OkBtn, Qt::LeftButton);
    });
  }
  std::string File(const std::string& name) { return Host.Fixture.Scratch.File(name); }

  TPicHost Host;
  TPicSelectForm* Chooser = nullptr;
  std::unique_ptr<TPicForm> Panel;
  TFlashPic* Picture = nullptr;
  QStringList ErrorBoxes, DialogFolders, DialogFilters;
  QString DialogAnswer;
  QString MediaFolder = QStringLiteral("/media/last/");
  bool StillShown = false;
};

TEST_F(PicChooser, LooksAsDesignedAndOpensFromTheThumbnailWithTheObjectsName)
{
  QString shownName;
  QTimer::singleShot(0, Chooser, [&] {
    shownName = Chooser->EditPicName->text();
    Chooser->reject();
  });
  QTest::mouseClick(Panel->Content, Qt::LeftButton);
  EXPECT_EQ(shownName, QString::fromStdString(File("one.jpg")));

  EXPECT_EQ(Chooser->windowTitle(), "Select Picture:");
  EXPECT_EQ(Chooser->size(), QSize(315, 105));
  EXPECT_EQ(Chooser->palette().color(QPalette::Window), QColor(200, 228, 169));
  EXPECT_EQ(Chooser->findChild<QLabel*>("Label1")->text(), "Picture Filename:");
  EXPECT_EQ(Chooser->findChild<QPushButton*>("OpenBtn")->text(), "&Open");
  EXPECT_EQ(Chooser->findChild<QPushButton*>("OkBtn")->text(), "&OK");
  EXPECT_EQ(Chooser->findChild<QPushButton*>("CleanBtn")->text(), "&Clean");
  EXPECT_NE(Chooser->findChild<QLineEdit*>("EditPicName"), nullptr);
  // The first pair offers every kind the examiner reads.
  const QString all = TPicSelectForm::PictureFilter().section(QLatin1Char('|'), 1, 1);
  for (const char* pattern : {"*.jpg", "*.jpeg", "*.png", "*.gif", "*.webp", "*.heic", "*.heif", "*.avif", "*.bmp", "*.svg"})
    EXPECT_TRUE(all.split(QLatin1Char(';')).contains(QLatin1String(pattern))) << pattern;
  EXPECT_EQ(TPicSelectForm::Instance(), Chooser);
}

TEST_F(PicChooser, OpenStartsInTheLastMediaFolderAndCleanOnlyEmptiesTheName)
{
  RunChooser([&] {
    Chooser->EditPicName->setText("kept.jpg");
    DialogAnswer.clear(); // cancelled
    QTest::mouseClick(Chooser->OpenBtn, Qt::LeftButton);
    EXPECT_EQ(Chooser->EditPicName->text(), "kept.jpg");

    DialogAnswer = QString::fromStdString(File("one.jpg"));
    QTest::mouseClick(Chooser->OpenBtn, Qt::LeftButton);
    EXPECT_EQ(Chooser->EditPicName->text(), DialogAnswer);

    QTest::mouseClick(Chooser->CleanBtn, Qt::LeftButton);
    EXPECT_EQ(Chooser->EditPicName->text(), "");
  });
  EXPECT_TRUE(StillShown); // Clean keeps the chooser open
  EXPECT_EQ(DialogFolders, QStringList({"/media/last/", "/media/last/"}));
  EXPECT_TRUE(DialogFilters.value(0).startsWith("All (*.jpg *.jpeg *.png *.gif *.webp *.heic *.heif *.avif *.bmp *.svg);;"))
      << DialogFilters.value(0).toStdString();
  EXPECT_EQ(MediaFolder, QString::fromStdString(File("")));
  // Nothing changed without OK.
  EXPECT_EQ(Host.Stored().Content, File("one.jpg"));
  EXPECT_EQ(Host.Renders, 0);
}

TEST_F(PicChooser, OkTakesThePictureAndItsPixelSize)
{
  WriteBmp(File("new.bmp"), 120, 90);
  TypeInto(Panel->EditPositionX, "77"); // a pending panel edit is not applied by OK
  Ok(File("new.bmp"));
  EXPECT_FALSE(StillShown);
  EXPECT_EQ(Panel->EditWidth->Value(), 120);
  EXPECT_EQ(Panel->EditHeight->Value(), 90);
  EXPECT_TRUE(Panel->HasPicture());
  const auto stored = Host.Stored();
  EXPECT_EQ(stored.Content, File("new.bmp"));
  EXPECT_EQ((std::vector<int>{stored.PositionX, stored.Width, stored.Height}), (std::vector<int>{10, 120, 90}));
  EXPECT_EQ(Picture->WorkFile, Host.Fixture.WorkFile());
  EXPECT_EQ(Host.Renders, 1);
  EXPECT_EQ(MediaFolder, "/media/last/"); // a typed name leaves the media folder alone
  Panel->Timer1->stop();
}

TEST_F(PicChooser, OkWithATooLargePictureOffersToScaleItDown)
{
  WriteJpeg(File("large.jpg"), 1024, 768);
  Host.Fixture.Messages.ScaleAnswer = true;
  Ok(File("large.jpg"));
  EXPECT_EQ(Host.Fixture.Messages.Shown,
            (std::vector<std::string>{"The picture width>800 or height>600!", "Scale it down to fit?"}));
  EXPECT_EQ(Panel->EditWidth->Value(), 800); // 1024 x 768 in 800 x 600
  EXPECT_EQ(Panel->EditHeight->Value(), 600);
  EXPECT_EQ(Host.Stored().Content, File("large.jpg"));
  EXPECT_EQ(Host.Renders, 1);
  Panel->Timer1->stop();
}

TEST_F(PicChooser, OkWithATooLargePictureKeepsThePreviousOne)
{
  WriteJpeg(File("large.jpg"), 1024, 768);
  Ok(File("large.jpg"));
  EXPECT_FALSE(StillShown);
  EXPECT_EQ(Host.Fixture.Messages.Shown, std::vector<std::string>{"The picture width>800 or height>600!"});
  EXPECT_FALSE(Panel->HasPicture());
  EXPECT_EQ(Host.Stored().Content, File("one.jpg"));
  EXPECT_EQ(Picture->Content, File("one.jpg"));
  EXPECT_EQ(Host.Renders, 0);
}

TEST_F(PicChooser, OkWithAnUnreadableFileStaysOpenAndChangesNothing)
{
  WriteWholeFile(File("damaged.jpg"), "\xFF\xD8\xFF\xE0 cut short");
  Ok(File("damaged.jpg"));
  EXPECT_TRUE(StillShown);
  ASSERT_EQ(ErrorBoxes.size(), 1);
  EXPECT_TRUE(ErrorBoxes[0].contains("is not a readable JPEG picture")) << ErrorBoxes[0].toStdString();
  EXPECT_EQ(Chooser->EditPicName->text(), QString::fromStdString(File("damaged.jpg")));
  EXPECT_TRUE(Panel->HasPicture());
  EXPECT_EQ(Host.Stored().Content, File("one.jpg"));
  EXPECT_EQ(Host.Renders, 0);
}

TEST_F(PicChooser, OkWithAnEmptyNameRemovesThePictureAndRenders)
{
  Ok("");
  EXPECT_FALSE(StillShown);
  EXPECT_FALSE(Panel->HasPicture());
  EXPECT_EQ(Picture->Content, "");
  EXPECT_EQ(Picture->WorkFile, "");
  EXPECT_EQ(Host.Stored().Content, "");
  EXPECT_EQ(Host.Renders, 1);
  // Only Pic1 is left in the movie.
  const auto pictures = Host.Fixture.Builder.Recording.Named("MakePicture");
  ASSERT_EQ(pictures.size(), 1u);
  EXPECT_EQ(pictures[0].Numbers[0], 200);
}

} // namespace

namespace {

TEST(PicChooserMediaFolder, UnconnectedItIsTheSoundChoosersFolder)
{
  TPicSelectForm::ConnectMediaFolder({}, {});
  QString shared = QStringLiteral("/shared/");
  TSoundSelectForm::ConnectMediaFolder([&] { return shared; }, [&](const QString& folder) { shared = folder; });
  EXPECT_EQ(TPicSelectForm::LastMediaFolder(), "/shared/");
  TPicSelectForm::SetLastMediaFolder("/pictures/");
  EXPECT_EQ(shared, "/pictures/");
  TSoundSelectForm::ConnectMediaFolder({}, {});
}

} // namespace
