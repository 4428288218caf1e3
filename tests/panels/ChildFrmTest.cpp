// The panel base: floating and docked construction, the inherited controls.
#include <QApplication>
#include <QLabel>
#include <gtest/gtest.h>

#include "panels/ChildFrm.h"

namespace {

class TNamedPanel : public TChildForm {
public:
  using TChildForm::TChildForm;
};

TEST(ChildFormTest, DockedPanelIsABorderlessChildOfItsHostAtTheOrigin) {
  QWidget window;
  auto* panelLeft = new QWidget(&window);
  panelLeft->setGeometry(0, 83, 195, 356);
  TChildForm panel(&window, panelLeft);
  EXPECT_TRUE(panel.IsDocked());
  EXPECT_EQ(panel.HostPanel(), panelLeft);
  EXPECT_EQ(panel.parentWidget(), panelLeft);
  EXPECT_FALSE(panel.isWindow());
  EXPECT_EQ(panel.geometry(), QRect(0, 0, 203, 600));
  // Made hidden: the library or the mode switch shows it.
  window.show();
  EXPECT_FALSE(panel.isVisible());
}

TEST(ChildFormTest, FloatingPanelIsAToolWindowOfItsOwner) {
  QWidget window;
  TChildForm panel(&window);
  EXPECT_FALSE(panel.IsDocked());
  EXPECT_TRUE(panel.isWindow());
  EXPECT_EQ(panel.size(), QSize(201, 380));
}

TEST(ChildFormTest, InheritedControlsCarryTheirNamesAndTexts) {
  TChildForm panel(nullptr);
  for (const char* name : {"ChildImage1", "ChildImage2", "ChildLabelFlashObj1", "ChildLabelFlashObj",
                           "ChildImgLine"})
    EXPECT_NE(panel.findChild<QLabel*>(QString::fromLatin1(name)), nullptr) << name;
  EXPECT_EQ(panel.ChildLabelFlashObj1->text(), "Selected:");
  EXPECT_EQ(panel.ChildLabelFlashObj->text(), "Background");
  EXPECT_TRUE(panel.ChildLabelFlashObj->font().bold());
  EXPECT_EQ(panel.ChildImgLine->geometry().topLeft(), QPoint(187, 7));
  EXPECT_EQ(panel.ChildImgLine->width(), 1);
  // The background picture fills the panel.
  EXPECT_FALSE(panel.ChildImage1->pixmap().isNull());
  panel.resize(250, 400);
  panel.show();
  EXPECT_EQ(panel.ChildImage1->geometry(), QRect(0, 0, 250, 400));
}

TEST(ChildFormTest, LivePanelsAreFoundByNameUntilFreed) {
  auto* panel = new TNamedPanel(nullptr);
  panel->setObjectName("SoundForm");
  EXPECT_EQ(TChildForm::Find("SoundForm"), panel);
  delete panel;
  EXPECT_EQ(TChildForm::Find("SoundForm"), nullptr);
}

} // namespace
