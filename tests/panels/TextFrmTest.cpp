// The text panel on a real card: what it shows, how each control applies, the delayed
// apply, the effect lengths, and what every apply leaves behind (saved card, re-rendered
// preview at the frame it showed).
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QFrame>
#include <QMenu>
#include <QStandardItemModel>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QUndoStack>
#include <QAbstractItemView>
#include <QMouseEvent>
#include <QApplication>
#include <gtest/gtest.h>

#include "PanelTestCards.h"
#include "PanelTestEditor.h"
#include "document/XMLUnit.h"
#include "panels/ColorButton.h"
#include "panels/ObjListFrm.h"
#include "panels/SpinEdit.h"
#include "panels/TextFrm.h"
#include "render/effects/TextEffect.h"
#include "panels/TextFrm.h"

namespace {

class TextFormTest : public ::testing::Test {
protected:
  // Opens a card holding the given texts and selects the first.
  void OpenWith(const std::string& objects) {
    Editor.OpenCard(CardSettings() + objects);
    Editor.Library().SelectNode(0);
    Renders = Editor.Renders;
    Saved = Editor.WorkProjectText();
  }
  TTextForm& Panel() { return Editor.TextPanel(); }
  TXMLObjText SavedText(int index = 0) {
    SavedDocument = std::make_unique<TXMLCardDocument>(Editor.Card->WorkProjectFile());
    return BindMovie(*SavedDocument).Obj().Item(index).ObjType().ObjText();
  }
  TXMLObj SavedObj(int index = 0) {
    SavedDocument = std::make_unique<TXMLCardDocument>(Editor.Card->WorkProjectFile());
    return BindMovie(*SavedDocument).Obj().Item(index);
  }
  void Type(QWidget* field, const QString& text) {
    field->setFocus();
    if (auto* edit = qobject_cast<QLineEdit*>(field))
      edit->selectAll();
    else if (auto* box = qobject_cast<QPlainTextEdit*>(field))
      box->selectAll();
    else
      static_cast<TSpinEdit*>(field)->selectAll();
    QTest::keyClicks(field, text);
  }

  TPanelTestEditor Editor;
  int Renders = 0;
  std::string Saved;
  std::unique_ptr<TXMLCardDocument> SavedDocument;
};

TEST_F(TextFormTest, ControlsCarryTheirNamesHintsRangesAndEntries) {
  OpenWith(NamedText("Text1"));
  TTextForm& panel = Panel();
  EXPECT_EQ(panel.windowTitle(), "TextForm");
  EXPECT_EQ(panel.parentWidget(), Editor.PanelLeft);
  struct {
    const char* Name;
    const char* Hint;
  } const hints[] = {{"Content", "Text Content"},        {"FontName", "Font Name"},
                     {"FontSize", "Font Size"},          {"FontColor", "Font Color"},
                     {"PositionX", "Text Position X"},   {"PositionY", "Text Position Y"},
                     {"EffectName", "Text Effect Name"}};
  for (const auto& hint : hints) {
    auto* control = panel.findChild<QWidget*>(hint.Name);
    ASSERT_NE(control, nullptr) << hint.Name;
    EXPECT_EQ(control->toolTip(), hint.Hint);
  }
  EXPECT_EQ(panel.PositionX->MinValue(), -10000);
  EXPECT_EQ(panel.PositionX->MaxValue(), 10000);
  EXPECT_EQ(panel.EditBegin->MinValue(), 1);
  EXPECT_EQ(panel.EditEnd->MinValue(), -10000);
  EXPECT_EQ(panel.Timer1->interval(), 1000);

  QStringList effects;
  for (int i = 0; i < panel.EffectName->count(); ++i)
    effects << panel.EffectName->itemText(i);
  EXPECT_EQ(effects.mid(0, 10), QStringList({"-- None --", "Come In", "Fade", "Heart Beat", "Kerning", "Move",
                                             "Radiation", "Rainbow", "Roll In", "Rotate"}));
  // Then the families under headings that cannot be chosen.
  for (const QString family : {"Entrance", "Emphasis", "Exit"}) {
    const int heading = effects.indexOf(EffectFamilyHeading(family.toStdString()));
    ASSERT_GT(heading, 10) << family.toStdString();
    const auto* model = qobject_cast<QStandardItemModel*>(panel.EffectName->model());
    EXPECT_FALSE(model->item(heading)->isEnabled());
    EXPECT_EQ(TTextEffectRegistry::Family(effects[heading + 1].toStdString()), family.toStdString());
  }
  EXPECT_LT(effects.indexOf("Fly In From Left"), effects.indexOf("Fly Out To Left"));
  EXPECT_EQ(panel.EffectName->maxVisibleItems(), 8);
  EXPECT_EQ(panel.FontSize->count(), 16);
  EXPECT_EQ(panel.FontSize->itemText(15), "72");

  // The installed families and "Default", sorted, each once.
  const QStringList fonts = TTextForm::FontFamilies();
  EXPECT_TRUE(fonts.contains("Default"));
  EXPECT_TRUE(fonts.contains("Liberation Sans"));
  EXPECT_EQ(fonts.size(), QSet<QString>(fonts.begin(), fonts.end()).size());
  for (int i = 1; i < fonts.size(); ++i)
    EXPECT_LE(fonts[i - 1].compare(fonts[i], Qt::CaseInsensitive), 0) << fonts[i].toStdString();
  for (const QString& font : fonts) EXPECT_FALSE(font.endsWith("]")) << font.toStdString();

  // A family of two foundries is offered once, by the name the builder finds it by.
  EXPECT_EQ(TTextForm::FontFamilies({"C059 [UKWN]", "C059 [URW]", "DejaVu Sans", "Mono [Bracket] Sans"}),
            QStringList({"C059", "Default", "DejaVu Sans", "Mono [Bracket] Sans"}));
}

TEST_F(TextFormTest, ShowsTheOpenedTextAndFillingItStoresNothing) {
  TTextObj text;
  text.Content = "Greetings";
  text.Start = 4;
  text.End = 40;
  text.Font = "Liberation Serif";
  text.Size = 24;
  text.Color = "$FF";
  text.X = -12;
  text.Y = 77;
  text.Effect = "Fade";
  OpenWith(TextObjXml(text));
  TTextForm& panel = Panel();
  EXPECT_EQ(panel.Content->text(), "Greetings");
  EXPECT_EQ(panel.EditBegin->Value(), 5);
  EXPECT_EQ(panel.EditEnd->Value(), 41);
  EXPECT_EQ(panel.FontName->currentText(), "Liberation Serif");
  EXPECT_EQ(panel.FontSize->currentText(), "24");
  EXPECT_EQ(panel.FontColor->Color(), 0xFFu);
  EXPECT_EQ(panel.PositionX->Value(), -12);
  EXPECT_EQ(panel.PositionY->Value(), 77);
  EXPECT_EQ(panel.EffectName->currentText(), "Fade");
  EXPECT_FALSE(panel.Timer1->isActive());
  EXPECT_EQ(Editor.WorkProjectText(), Saved);
  EXPECT_FALSE(panel.Updating());
}

TEST_F(TextFormTest, AMissingFontShowsTheFirstEntryAndAnUnlistedSizeShowsEight) {
  TTextObj text;
  text.Font = "No Such Font Family";
  text.Size = 13;
  OpenWith(TextObjXml(text));
  EXPECT_EQ(Panel().FontName->currentIndex(), 0);
  EXPECT_EQ(Panel().FontSize->currentText(), "8");
  // The next apply writes what the panel shows.
  QTest::keyClick(Panel().Content, Qt::Key_Return, Qt::ControlModifier);
  EXPECT_EQ(SavedText().FontName(), Panel().FontName->itemText(0).toStdString());
  EXPECT_EQ(SavedText().FontSize(), 8);
}

TEST_F(TextFormTest, AWordTypedIntoContentRendersOnceOneSecondAfterTheFirstKey) {
  OpenWith(NamedText("Text1", 0, ""));
  Editor.Frame = 7;
  Type(Panel().Content, "Hello");
  EXPECT_TRUE(Panel().Timer1->isActive());
  EXPECT_EQ(Editor.Renders, Renders);
  QSignalSpy fired(Panel().Timer1, &QTimer::timeout);
  ASSERT_TRUE(fired.wait(3000));
  EXPECT_EQ(Editor.Renders, Renders + 1);
  EXPECT_FALSE(Panel().Timer1->isActive());
  EXPECT_EQ(SavedText().Content(), "Hello");
  // The preview shows the new movie at the frame it showed before.
  EXPECT_EQ(Editor.PreviewPath, Editor.Card->WorkSwfFile);
  EXPECT_EQ(Editor.Frame, 7);
}

TEST_F(TextFormTest, EnterInTheTextStartsANewLineAndCtrlEnterAppliesIt) {
  OpenWith(NamedText("Text1", 0, ""));
  TContentEdit* content = Panel().Content;
  const int restHeight = content->height();
  Type(content, "Happy");
  QTest::keyClick(content, Qt::Key_Return);
  QTest::keyClicks(content, "birthday");
  EXPECT_EQ(content->text(), "Happy\nbirthday");
  EXPECT_EQ(Editor.Renders, Renders); // the break is typed, not applied
  // While it is typed in, the box shows both lines; at rest it keeps its row.
  EXPECT_GT(content->height(), restHeight);
  QTest::keyClick(content, Qt::Key_Return, Qt::ControlModifier);
  EXPECT_EQ(Editor.Renders, Renders + 1);
  EXPECT_EQ(SavedText().Content(), "Happy\nbirthday");
  EXPECT_EQ(content->text(), "Happy\nbirthday"); // Ctrl+Enter adds no line
  Panel().Timer1->stop();
  Panel().EffectName->setFocus();
  EXPECT_EQ(content->height(), restHeight);

  // The card's two lines come back into the box when the text is shown again.
  Editor.Library().SelectNode(0);
  EXPECT_EQ(content->text(), "Happy\nbirthday");
}

// The pointer over an entry of the open effect list, as the list sees it.
void HoverEffect(QComboBox* list, const QString& name) {
  QAbstractItemView* view = list->view();
  const int row = list->findText(name);
  ASSERT_GE(row, 0) << name.toStdString();
  const QPointF at = view->visualRect(list->model()->index(row, 0)).center();
  QMouseEvent move(QEvent::MouseMove, at, view->viewport()->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(view->viewport(), &move);
}

TEST_F(TextFormTest, TheEffectUnderThePointerPlaysInThePreviewWithoutChangingTheCard) {
  OpenWith(NamedText("Text1", 0, "one") + NamedText("Text2", 10, "two"));
  Editor.Library().SelectNode(1);
  Editor.Frame = 7;
  Editor.Playing = false;
  const int steps = Editor.Card->History().Steps().count();
  const std::string saved = Editor.WorkProjectText();
  const int renders = Editor.Renders;
  const int total = Editor.Total;
  QComboBox* list = Panel().EffectName;
  list->showPopup();
  QSignalSpy tried(Panel().TrialTimer, &QTimer::timeout);

  // "Move" lasts 240 frames: the preview's movie grows to hold it and plays it from the
  // text's first frame.
  HoverEffect(list, "Move");
  ASSERT_TRUE(tried.wait(2000));
  EXPECT_EQ(Editor.Trials, 1);
  EXPECT_GE(Editor.Total, 250);
  EXPECT_EQ(Editor.Frame, 10);
  EXPECT_TRUE(Editor.Playing);
  // A heading tries nothing: the card's own effect is back meanwhile.
  HoverEffect(list, EffectFamilyHeading(EntranceFamily));
  ASSERT_TRUE(tried.wait(2000));
  EXPECT_EQ(Editor.Total, total);
  HoverEffect(list, "Rotate");
  ASSERT_TRUE(tried.wait(2000));
  EXPECT_EQ(Editor.Total, 60);

  // Leaving the list shows the card as it was, where it stood; nothing was stored.
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(list->view()->viewport(), &leave);
  ASSERT_TRUE(tried.wait(2000));
  EXPECT_EQ(Editor.Total, total);
  EXPECT_EQ(Editor.Frame, 7);
  EXPECT_FALSE(Editor.Playing);
  EXPECT_EQ(Editor.WorkProjectText(), saved);
  EXPECT_EQ(Editor.Card->History().Steps().count(), steps);
  EXPECT_EQ(Editor.Renders, renders);

  // Choosing the entry under the pointer applies it as always: stored, one step.
  HoverEffect(list, "Fade");
  ASSERT_TRUE(tried.wait(2000));
  list->hidePopup();
  list->setCurrentText("Fade");
  EXPECT_EQ(SavedText(1).EffectName(), "Fade");
  EXPECT_EQ(SavedText(0).EffectName(), "-- None --");
  EXPECT_EQ(Editor.Card->History().Steps().count(), steps + 1);
  EXPECT_EQ(Editor.Frame, 7);
  EXPECT_FALSE(Editor.Card->TryingEffect());
  // The list's closing, just before the choice, finds nothing left to undo.
  const int trials = Editor.Trials;
  tried.wait(500);
  EXPECT_EQ(Editor.Total, total);
  EXPECT_LE(Editor.Trials, trials + 1);
}

TEST_F(TextFormTest, EnterAppliesAtOnceAndAPendingDelayedApplyFollows) {
  OpenWith(NamedText("Text1"));
  Type(Panel().PositionX, "120");
  QTest::keyClick(Panel().PositionX, Qt::Key_Return);
  EXPECT_EQ(Editor.Renders, Renders + 1);
  EXPECT_EQ(SavedText().PositionX(), 120);
  EXPECT_TRUE(Panel().Timer1->isActive());
  Panel().Timer1Timer();
  EXPECT_EQ(Editor.Renders, Renders + 2);
  // Other keys apply nothing.
  QTest::keyClick(Panel().PositionX, Qt::Key_Tab);
  EXPECT_EQ(Editor.Renders, Renders + 2);
}

TEST_F(TextFormTest, FontSizeAndColourApplyAtOnce) {
  OpenWith(NamedText("Text1"));
  Editor.Frame = 3;
  Panel().FontName->setCurrentText("Liberation Mono");
  EXPECT_EQ(SavedText().FontName(), "Liberation Mono");
  Panel().FontSize->setCurrentText("36");
  EXPECT_EQ(SavedText().FontSize(), 36);
  QTest::mouseClick(Panel().FontColor, Qt::LeftButton);
  QMenu* palette = Panel().FontColor->Palette();
  ASSERT_TRUE(palette->isVisible());
  palette->findChild<QToolButton*>("Swatch13")->click(); // blue 255
  EXPECT_EQ(SavedText().FontColor(), "16711680");
  EXPECT_EQ(Editor.Renders, Renders + 3);
  EXPECT_FALSE(Panel().Timer1->isActive());
  EXPECT_EQ(Editor.Frame, 3);
}

TEST_F(TextFormTest, FramesAreShownFromOneAndStoredFromZero) {
  OpenWith(NamedText("Text1"));
  Type(Panel().EditEnd, "30");
  Type(Panel().EditBegin, "0");
  QTest::keyClick(Panel().EditBegin, Qt::Key_Return);
  // 0 is read as typed until the field is left.
  EXPECT_EQ(SavedObj().StartTime(), -1);
  EXPECT_EQ(SavedObj().EndTime(), 29);
  Panel().Content->setFocus();
  EXPECT_EQ(Panel().EditBegin->Text(), "1");
  Panel().Timer1Timer();
  EXPECT_EQ(SavedObj().StartTime(), 0);
}

TEST_F(TextFormTest, PositionsAreLimitedToFourTypedCharacters) {
  OpenWith(NamedText("Text1"));
  Type(Panel().PositionY, "123456");
  EXPECT_EQ(Panel().PositionY->Text(), "1234");
  Type(Panel().PositionX, "-9999");
  EXPECT_EQ(Panel().PositionX->Text(), "-999");
}

TEST_F(TextFormTest, ChoosingAnEffectGivesTheTextTheEffectsLength) {
  TTextObj text;
  text.Start = 10;
  text.End = 12;
  OpenWith(TextObjXml(text));
  ASSERT_EQ(Panel().EditBegin->Value(), 11);
  Panel().EffectName->setCurrentText("Move");
  EXPECT_EQ(Panel().EditEnd->Value(), 250);
  EXPECT_EQ(SavedObj().EndTime(), 249);
  EXPECT_EQ(SavedText().EffectName(), "Move");
  EXPECT_EQ(Editor.Renders, Renders + 1);
  // Refilling the panel with the new end started no delayed apply.
  EXPECT_FALSE(Panel().Timer1->isActive());
  Panel().EffectName->setCurrentText("Rotate");
  EXPECT_EQ(Panel().EditEnd->Value(), 60);
  Panel().EffectName->setCurrentText("-- None --");
  EXPECT_EQ(SavedObj().EndTime(), 34);
}

TEST_F(TextFormTest, EveryApplySetsTheTextUnitToOne) {
  TTextObj text;
  text.TextUnit = 2;
  OpenWith(TextObjXml(text));
  QTest::keyClick(Panel().Content, Qt::Key_Enter, Qt::ControlModifier);
  EXPECT_EQ(SavedText().TextUnit(), 1);
}

TEST_F(TextFormTest, EditsGoToTheTextSelectedInTheLibraryAndRenderTheWholeCard) {
  OpenWith(NamedText("Text1", 0, "one") + NamedText("Text2", 0, "two") + NamedText("Text3", 0, "three"));
  Editor.Library().SelectNode(1);
  Type(Panel().Content, "zwei");
  QTest::keyClick(Panel().Content, Qt::Key_Return, Qt::ControlModifier);
  EXPECT_EQ(SavedText(0).Content(), "one");
  EXPECT_EQ(SavedText(1).Content(), "zwei");
  EXPECT_EQ(SavedText(2).Content(), "three");
  // The working movie holds the new text: its frame count is the card's 25 frames.
  EXPECT_EQ(Editor.Total, 25);
  Panel().Timer1->stop();
}

} // namespace

TEST_F(TextFormTest, EntranceExitAndAlignmentAreChosenBesideTheEffect) {
  TTextObj text;
  OpenWith(TextObjXml(text));
  // The four lists lie on a sheet that the button beside the effect opens.
  QTest::mouseClick(Panel().BtnMoreText, Qt::LeftButton);
  EXPECT_TRUE(Panel().MoreSheet->isVisible());
  EXPECT_TRUE(Panel().MoreSheet->isAncestorOf(Panel().EntranceEffect));
  Panel().MoreSheet->hide();
  EXPECT_EQ(Panel().EntranceEffect->currentIndex(), 0); // none, and nothing written for it
  EXPECT_EQ(SavedText().EntranceEffect(), "");
  const int renders = Editor.Renders;
  Panel().EntranceEffect->setCurrentText("Pop In Letters");
  Panel().ExitEffect->setCurrentText("Fade Out");
  Panel().TextAlign->setCurrentText("Centre");
  EXPECT_EQ(SavedText().EntranceEffect(), "Pop In Letters");
  EXPECT_EQ(SavedText().ExitEffect(), "Fade Out");
  EXPECT_EQ(SavedText().TextAlign(), "Centre");
  EXPECT_EQ(Editor.Renders, renders + 3);
  // Only entrances are offered as entrances, exits as exits.
  EXPECT_EQ(Panel().EntranceEffect->findText("Fade Out"), -1);
  EXPECT_EQ(Panel().ExitEffect->findText("Fade In"), -1);
  // Back to none: the element is emptied; the panel shows what the card holds.
  Panel().EntranceEffect->setCurrentIndex(0);
  EXPECT_EQ(SavedText().EntranceEffect(), "");
  Editor.Library().SelectNode(0);
  EXPECT_EQ(Panel().ExitEffect->currentText(), "Fade Out");
}
