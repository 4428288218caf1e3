// The window's own controls: picture buttons, the slider's arithmetic, the About box.
#include <QLabel>
#include <QTest>

#include "app/AboutFrm.h"
#include "app/DialogCentring.h"
#include "app/FileDialogs.h"
#include "app/PictureButton.h"
#include "app/PlaySlider.h"
#include <gtest/gtest.h>

namespace {

TEST(DialogCentring, ADialogStandsOnItsWindowAndInsideTheScreen) {
  const QRect screen(0, 0, 1280, 900);
  EXPECT_EQ(TDialogCentring::CentredPosition(QSize(200, 100), QRect(300, 200, 600, 400), screen), QPoint(500, 350));
  // A window near the screen's corner: the dialog moves in rather than stick out.
  EXPECT_EQ(TDialogCentring::CentredPosition(QSize(400, 300), QRect(1100, 800, 300, 200), screen), QPoint(880, 600));
  EXPECT_EQ(TDialogCentring::CentredPosition(QSize(400, 300), QRect(-250, -100, 300, 200), screen), QPoint(0, 0));
}

TEST(PictureButton, ShowsIdleOverPressedAndDisabledPictures) {
  QWidget parent;
  TPictureButton button(&parent, "BtnTest", QSize(40, 40), "Test");
  button.SetImageList(TImageList::ToolButton("new"));
  EXPECT_EQ(button.toolTip(), "Test");
  EXPECT_EQ(button.ShownIndex(), TImageList::Idle);
  button.setDown(true);
  EXPECT_EQ(button.ShownIndex(), TImageList::Pressed);
  button.setDown(false);
  button.setEnabled(false);
  EXPECT_EQ(button.ShownIndex(), TImageList::Disabled);
  int clicks = 0;
  QObject::connect(&button, &QAbstractButton::clicked, [&] { ++clicks; });
  parent.show();
  QTest::mouseClick(&button, Qt::LeftButton);
  EXPECT_EQ(clicks, 0);
  // Every state has its own picture.
  TImageList images = button.ImageList();
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(images.Image(i).size(), QSize(40, 40)) << i;
  EXPECT_NE(images.Image(0).toImage(), images.Image(3).toImage());
}

TEST(PlaySlider, MapsPixelsToFramesWithTheTwentyPixelMargins) {
  QWidget parent;
  TPlaySlider slider(&parent, "SliderPlay");
  slider.resize(240, 18); // track of 200 pixels
  slider.SetMax(49);
  EXPECT_EQ(slider.ValueAt(20), 0);
  EXPECT_EQ(slider.ValueAt(220), 49);
  EXPECT_EQ(slider.ValueAt(0), 0);    // left of the track: its start
  EXPECT_EQ(slider.ValueAt(239), 49); // right of it: its end
  // 100 / 200 * 49 = 24.5: the half goes to the even frame.
  EXPECT_EQ(slider.ValueAt(120), 24);
  slider.SetPosition(49);
  EXPECT_EQ(slider.ThumbCentre(), 220);
  slider.SetPosition(0);
  EXPECT_EQ(slider.ThumbCentre(), 20);
}

TEST(PlaySlider, NewMaximumClampsTheValueAndAOneFrameRangeIsIgnored) {
  QWidget parent;
  TPlaySlider slider(&parent, "SliderPlay");
  EXPECT_EQ(slider.Max(), 9999);
  slider.SetPosition(300);
  slider.SetMax(99);
  EXPECT_EQ(slider.Position(), 99);
  slider.SetMax(0);
  EXPECT_EQ(slider.Max(), 99);
}

TEST(AboutForm, ShowsTheMemoryFiguresAndTheBuildsVersion) {
  Platform::TMemoryStatus memory;
  memory.TotalPhys = quint64(8) * 1024 * 1024 * 1024;
  memory.MemoryLoad = 37;
  TAboutForm about(nullptr, memory);
  EXPECT_EQ(about.PhysMem->text(), "8,388,608 KB");
  EXPECT_EQ(about.FreeRes->text(), "37 %");
  about.show();
  EXPECT_EQ(about.LabelVersion->text(), "Version " + ProgramFileVersion());
  EXPECT_FALSE(ProgramFileVersion().isEmpty());
  EXPECT_EQ(about.size(), QSize(298, 186));
  EXPECT_TRUE(about.windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_EQ(FormatKilobytes(1023), " KB");
}

TEST(FileDialogs, FiltersBecomeTheDialogsOwnForm) {
  EXPECT_EQ(TFileDialogs::DialogFilters(
                "All file (*.grx *.swf)|*.grx;*.swf|Greetix file (*.grx)|*.grx|Flash file (*.swf)|*.swf"),
            (QStringList{"All file (*.grx *.swf)", "Greetix file (*.grx)", "Flash file (*.swf)"}));
  EXPECT_EQ(TFileDialogs::DialogFilters("Pictures|*.jpg;*.bmp"),
            QStringList{"Pictures (*.jpg *.bmp)"});
}

} // namespace
