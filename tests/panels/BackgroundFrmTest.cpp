// The background panel: delayed and immediate apply, the updating flag, the ranges of its
// fields as the card reads them.
#include <QLabel>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <stdexcept>
#include <vector>

#include "panels/BackgroundFrm.h"
#include "panels/ColorButton.h"
#include "panels/PanelHost.h"
#include "panels/SpinEdit.h"

namespace {

// What the card would store at each ReadAndStore, and how often it rendered.
struct TStored {
  std::uint32_t Color;
  int Width, Height, Rate;
};

class TRecordingHost : public IPanelHost {
public:
  explicit TRecordingHost(TBackgroundForm& panel) : Panel(panel) { SetPanelHost(this); }
  ~TRecordingHost() override { SetPanelHost(nullptr); }
  TRenderContext& RenderContext() override { throw std::logic_error("no card objects here"); }
  void StoreCard() override {
    Stores.push_back({Panel.BgColorValue(), Panel.EditWidth->Value(), Panel.EditHeight->Value(),
                      Panel.EditRate->Value()});
  }
  void RenderCard() override { ++Renders; }
  void SetPreviewFrame(int) override {}
  void SetCurrentObjectKind(const std::string&) override {}

  TBackgroundForm& Panel;
  std::vector<TStored> Stores;
  int Renders = 0;
};

class BackgroundFormTest : public ::testing::Test {
protected:
  void SetUp() override {
    Window.resize(610, 439);
    PanelLeft = new QWidget(&Window);
    PanelLeft->setGeometry(0, 83, 195, 356);
    Panel = new TBackgroundForm(&Window, PanelLeft);
    Host = std::make_unique<TRecordingHost>(*Panel);
    Window.show();
    Panel->show();
    QApplication::setActiveWindow(&Window);
  }

  // The card filling the panel, as ShowInPanels does.
  void Fill(std::uint32_t colour, int width, int height, int rate) {
    Panel->SetUpdating(true);
    Panel->SetBgColorValue(colour);
    Panel->EditWidth->SetValue(width);
    Panel->EditHeight->SetValue(height);
    Panel->EditRate->SetValue(rate);
    Panel->SetUpdating(false);
  }

  void TypeInto(TSpinEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
  }

  QWidget Window;
  QWidget* PanelLeft = nullptr;
  TBackgroundForm* Panel = nullptr;
  std::unique_ptr<TRecordingHost> Host;
};

TEST_F(BackgroundFormTest, ControlsCarryTheirNamesRangesAndHints) {
  EXPECT_EQ(Panel->objectName(), "BackgroundForm");
  EXPECT_EQ(Panel->findChild<TColorButton*>("BGColor"), Panel->BGColor);
  EXPECT_EQ(Panel->BGColor->toolTip(), "Background Color");
  struct {
    const char* Name;
    int Min, Max, Design;
  } const fields[] = {{"EditRate", 1, 90, 15}, {"EditWidth", 1, 800, 390}, {"EditHeight", 1, 600, 320}};
  for (const auto& field : fields) {
    auto* edit = Panel->findChild<TSpinEdit*>(field.Name);
    ASSERT_NE(edit, nullptr) << field.Name;
    EXPECT_EQ(edit->MinValue(), field.Min);
    EXPECT_EQ(edit->MaxValue(), field.Max);
    EXPECT_EQ(edit->Value(), field.Design);
  }
  EXPECT_EQ(Panel->Timer1->interval(), 1000);
  EXPECT_FALSE(Panel->Timer1->isActive());
}

TEST_F(BackgroundFormTest, FillingFromTheCardStartsNoTimerAndStoresNothing) {
  Fill(0x00FF00, 420, 180, 12);
  EXPECT_FALSE(Panel->Timer1->isActive());
  EXPECT_TRUE(Host->Stores.empty());
  EXPECT_EQ(Host->Renders, 0);
  EXPECT_EQ(Panel->EditWidth->Value(), 420);
  // A value out of range set by the program is clamped.
  Fill(0, 2000, 0, 200);
  EXPECT_EQ(Panel->EditWidth->Value(), 800);
  EXPECT_EQ(Panel->EditHeight->Value(), 1);
  EXPECT_EQ(Panel->EditRate->Value(), 90);
}

TEST_F(BackgroundFormTest, WidthTypedAs900AppliesThenIsCorrectedTo800OnLeaving) {
  Fill(0, 420, 180, 15);
  TypeInto(Panel->EditWidth, "900");
  EXPECT_EQ(Panel->EditWidth->Text(), "900");
  EXPECT_TRUE(Panel->Timer1->isActive());
  EXPECT_TRUE(Host->Stores.empty());

  // The timer's apply, one second after the first keystroke.
  QSignalSpy fired(Panel->Timer1, &QTimer::timeout);
  ASSERT_TRUE(fired.wait(3000));
  ASSERT_EQ(Host->Stores.size(), 1u);
  EXPECT_EQ(Host->Stores[0].Width, 900);
  EXPECT_EQ(Host->Renders, 1);
  EXPECT_FALSE(Panel->Timer1->isActive());

  // Leaving the field corrects it, which is a change like any other.
  Panel->EditHeight->setFocus();
  EXPECT_EQ(Panel->EditWidth->Text(), "800");
  EXPECT_TRUE(Panel->Timer1->isActive());
  Panel->Timer1Timer();
  ASSERT_EQ(Host->Stores.size(), 2u);
  EXPECT_EQ(Host->Stores[1].Width, 800);
}

TEST_F(BackgroundFormTest, TypingIsLimitedToThreeCharactersInWidthAndHeight) {
  TypeInto(Panel->EditHeight, "12345");
  EXPECT_EQ(Panel->EditHeight->Text(), "123");
  TypeInto(Panel->EditWidth, "ab7");
  EXPECT_EQ(Panel->EditWidth->Text(), "7");
}

TEST_F(BackgroundFormTest, RateOfZeroReadsAsZeroUntilLeftThenOne) {
  TypeInto(Panel->EditRate, "0");
  EXPECT_EQ(Panel->EditRate->Value(), 0);
  Panel->Timer1Timer();
  EXPECT_EQ(Host->Stores.back().Rate, 0);
  Panel->EditWidth->setFocus();
  EXPECT_EQ(Panel->EditRate->Value(), 1);
  // Text that is no number reads as the minimum, and shows it once left.
  TypeInto(Panel->EditRate, "-");
  EXPECT_EQ(Panel->EditRate->Value(), 1);
  Panel->EditWidth->setFocus();
  EXPECT_EQ(Panel->EditRate->Text(), "1");
}

TEST_F(BackgroundFormTest, SeveralFieldsChangedWithinASecondApplyOnce) {
  TypeInto(Panel->EditWidth, "300");
  TypeInto(Panel->EditHeight, "200");
  TypeInto(Panel->EditRate, "24");
  EXPECT_EQ(Host->Renders, 0);
  Panel->Timer1Timer();
  ASSERT_EQ(Host->Stores.size(), 1u);
  EXPECT_EQ(Host->Stores[0].Width, 300);
  EXPECT_EQ(Host->Stores[0].Height, 200);
  EXPECT_EQ(Host->Stores[0].Rate, 24);
  EXPECT_EQ(Host->Renders, 1);
}

TEST_F(BackgroundFormTest, EnterAppliesAtOnceAndThePendingTimerStillFires) {
  TypeInto(Panel->EditWidth, "333");
  QTest::keyClick(Panel->EditWidth, Qt::Key_Return);
  ASSERT_EQ(Host->Stores.size(), 1u);
  EXPECT_EQ(Host->Stores[0].Width, 333);
  EXPECT_EQ(Host->Renders, 1);
  EXPECT_TRUE(Panel->Timer1->isActive());
  Panel->Timer1Timer();
  EXPECT_EQ(Host->Renders, 2);
  // Other keys apply nothing.
  QTest::keyClick(Panel->EditWidth, Qt::Key_Escape);
  EXPECT_EQ(Host->Renders, 2);
}

TEST_F(BackgroundFormTest, PickingAColourFromThePaletteAppliesAtOnce) {
  Fill(0, 420, 180, 15);
  QTest::mouseClick(Panel->BGColor, Qt::LeftButton);
  QMenu* palette = Panel->BGColor->Palette();
  ASSERT_TRUE(palette->isVisible());
  auto* red = palette->findChild<QToolButton*>("Swatch16");
  ASSERT_NE(red, nullptr);
  red->click();
  EXPECT_FALSE(palette->isVisible());
  ASSERT_EQ(Host->Stores.size(), 1u);
  EXPECT_EQ(Host->Stores[0].Color, 0x0000FFu); // red 255 in the lowest byte
  EXPECT_EQ(Host->Renders, 1);
  EXPECT_FALSE(Panel->Timer1->isActive());
}

TEST_F(BackgroundFormTest, MoreColorOffersTheColourDialog) {
  Panel->BGColor->DropDown();
  QAction* more = Panel->BGColor->Palette()->findChild<QAction*>("MoreColor");
  ASSERT_NE(more, nullptr);
  EXPECT_EQ(more->text(), "More Color...");
  more->trigger();
  QColorDialog* dialog = Panel->BGColor->ColorDialog();
  ASSERT_NE(dialog, nullptr);
  dialog->setCurrentColor(QColor(10, 20, 30));
  dialog->accept();
  EXPECT_EQ(Panel->BgColorValue(), 10u | (20u << 8) | (30u << 16));
  EXPECT_EQ(Host->Renders, 1);
}

} // namespace
