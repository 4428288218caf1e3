// The undo history of a card: what a step is called, which edits merge into one step, and
// what undo and redo hand back.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "card/CardChange.h"
#include "card/CardHistory.h"

namespace {

std::string TextObj(const std::string& name, int x, const std::string& content = "Hi",
                     const std::string& effect = "Fade", int end = 24)
{
  return "<Obj><ObjName>" + name + "</ObjName><StartTime>0</StartTime><EndTime>" + std::to_string(end) +
         "</EndTime><ObjTypeName>Text</ObjTypeName><ObjType><ObjText><Content>" + content +
         "</Content><PositionX>" + std::to_string(x) + "</PositionX><EffectName>" + effect +
         "</EffectName></ObjText></ObjType></Obj>";
}

std::string Card(const std::string& objects, int rate = 15, int totalFrames = 100)
{
  return "<Movie><TotalFrames>" + std::to_string(totalFrames) + "</TotalFrames><Rate>" + std::to_string(rate) +
         "</Rate>" + objects + "</Movie>";
}

// A history whose restores are noted instead of reaching a window.
struct THistoryRig {
  std::vector<std::pair<std::string, std::string>> Restored; // document, selection
  TCardHistory History{[this](const std::string& xml, const std::string& select) {
    Restored.emplace_back(xml, select);
    return xml;
  }};
};

} // namespace

TEST(CardChange, NamesTheEditByWhatItTouched)
{
  const std::string base = Card(TextObj("Text1", 10) + TextObj("Text2", 20));
  struct TCase {
    std::string After, Label, Object;
  } cases[] = {
      {Card(TextObj("Text1", 10) + TextObj("Text2", 20) + "<Obj><ObjName>Pic1</ObjName><ObjTypeName>Pic</ObjTypeName></Obj>"),
       "Insert Picture", "Pic1"},
      {Card(TextObj("Text2", 20)), "Delete Text", "Text1"},
      {Card(TextObj("Text1", 10) + TextObj("Text2", 25)), "Move", "Text2"},
      {Card(TextObj("Text1", 10, "Hello") + TextObj("Text2", 20)), "Typing", "Text1"},
      // An effect brings its own length: still the effect.
      {Card(TextObj("Text1", 10, "Hi", "Rotate", 48) + TextObj("Text2", 20)), "Effect", "Text1"},
      // The frame count follows the preview beside the edit that changed it.
      {Card(TextObj("Text1", 10) + TextObj("Text2", 20, "Hi", "Fade", 200), 15, 201), "Frames", "Text2"},
      {Card(TextObj("Text1", 10) + TextObj("Text2", 20), 24), "Frame Rate", ""},
      {Card(TextObj("Text1", 10, "Hi", "Fade", 30) + TextObj("Text2", 21)), "Change", ""},
      {Card(TextObj("Text1", 12, "Ho") + TextObj("Text2", 20)), "Change Text", "Text1"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Label);
    const TCardChange change = DescribeCardChange(base, c.After);
    EXPECT_TRUE(change.Changed);
    EXPECT_EQ(change.Label, c.Label);
    EXPECT_EQ(change.ObjectName, c.Object);
  }
  EXPECT_FALSE(DescribeCardChange(base, base).Changed);
}

TEST(CardHistory, ARunOfTheSameEditIsOneStepUntilTheRunEnds)
{
  THistoryRig rig;
  rig.History.Reset(Card(TextObj("Text1", 10)));
  EXPECT_TRUE(rig.History.Record(Card(TextObj("Text1", 10, "H")), "Text1"));
  EXPECT_TRUE(rig.History.Record(Card(TextObj("Text1", 10, "He")), "Text1"));
  EXPECT_TRUE(rig.History.Record(Card(TextObj("Text1", 10, "Hey")), "Text1"));
  EXPECT_EQ(rig.History.Steps().count(), 1);
  // Another element of the same object is a step of its own.
  rig.History.Record(Card(TextObj("Text1", 11, "Hey")), "Text1");
  EXPECT_EQ(rig.History.Steps().count(), 2);
  rig.History.Record(Card(TextObj("Text1", 12, "Hey")), "Text1");
  EXPECT_EQ(rig.History.Steps().count(), 2);
  rig.History.EndRun();
  rig.History.Record(Card(TextObj("Text1", 13, "Hey")), "Text1");
  EXPECT_EQ(rig.History.Steps().count(), 3);
  // Nothing changed: no step.
  EXPECT_FALSE(rig.History.Record(Card(TextObj("Text1", 13, "Hey")), "Text1"));
  EXPECT_TRUE(rig.Restored.empty());
}

TEST(CardHistory, TypingBackToTheStartLeavesNoStep)
{
  THistoryRig rig;
  rig.History.Reset(Card(TextObj("Text1", 10, "Hi")));
  rig.History.Record(Card(TextObj("Text1", 10, "Hi!")), "Text1");
  rig.History.Record(Card(TextObj("Text1", 10, "Hi")), "Text1");
  EXPECT_EQ(rig.History.Steps().count(), 0);
  EXPECT_FALSE(rig.History.Modified());
}

TEST(CardHistory, UndoAndRedoHandBackTheDocumentsAndWhatToSelect)
{
  THistoryRig rig;
  const std::string start = Card(TextObj("Text1", 10));
  const std::string inserted = Card(TextObj("Text1", 10) + TextObj("Text2", 0));
  const std::string moved = Card(TextObj("Text1", 10) + TextObj("Text2", 30));
  rig.History.Reset(start, "Text1");
  rig.History.Record(inserted, "Text2");
  rig.History.Record(moved, "Text2");
  EXPECT_EQ(rig.History.Steps().undoText(), "Move");

  rig.History.Undo();
  rig.History.Undo();
  rig.History.Redo();
  using TRestore = std::pair<std::string, std::string>;
  const std::vector<TRestore> expected = {{inserted, "Text2"}, {start, "Text1"}, {inserted, "Text2"}};
  EXPECT_EQ(rig.Restored, expected);
  EXPECT_EQ(rig.History.Recorded(), inserted);
  // A new edit after an undo drops what could be redone.
  rig.History.Record(Card(TextObj("Text1", 10) + TextObj("Text2", 5)), "Text2");
  EXPECT_FALSE(rig.History.Steps().canRedo());
}

TEST(CardHistory, SavedStateAndARestoredCardCountAsTheyShould)
{
  THistoryRig rig;
  rig.History.Reset(Card(TextObj("Text1", 10)));
  EXPECT_FALSE(rig.History.Modified());
  rig.History.Record(Card(TextObj("Text1", 10, "A")), "Text1");
  EXPECT_TRUE(rig.History.Modified());
  rig.History.MarkSaved();
  EXPECT_FALSE(rig.History.Modified());
  // Typing on after a save does not merge into the saved step: undo returns to the file.
  rig.History.Record(Card(TextObj("Text1", 10, "AB")), "Text1");
  EXPECT_EQ(rig.History.Steps().count(), 2);
  rig.History.Undo();
  EXPECT_FALSE(rig.History.Modified());
  rig.History.Undo();
  EXPECT_TRUE(rig.History.Modified());

  rig.History.Reset(Card(""));
  rig.History.MarkModified();
  EXPECT_TRUE(rig.History.Modified());
}

TEST(CardHistory, MovesOfOneObjectInOneRunMergeWhicheverWayTheyGo)
{
  THistoryRig rig;
  auto moved = [](int x, int y) {
    return Card("<Obj><ObjName>Text1</ObjName><ObjTypeName>Text</ObjTypeName><ObjType><ObjText><PositionX>" +
                std::to_string(x) + "</PositionX><PositionY>" + std::to_string(y) +
                "</PositionY></ObjText></ObjType></Obj>");
  };
  rig.History.Reset(moved(10, 10), "Text1");
  rig.History.EndRun();
  rig.History.Record(moved(11, 10), "Text1");
  rig.History.Record(moved(11, 20), "Text1");
  rig.History.Record(moved(10, 20), "Text1");
  ASSERT_EQ(rig.History.Steps().count(), 1);
  EXPECT_EQ(rig.History.Steps().undoText().toStdString(), "Move");
  // The next run is a step of its own.
  rig.History.EndRun();
  rig.History.Record(moved(10, 21), "Text1");
  EXPECT_EQ(rig.History.Steps().count(), 2);
  rig.History.Undo();
  rig.History.Undo();
  EXPECT_EQ(rig.Restored.back().first, moved(10, 10));
}
