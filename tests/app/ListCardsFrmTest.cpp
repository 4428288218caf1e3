// "Make Cards for a List": the dialog shows what the card and the list hold and makes the
// cards through the command line program beside it.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>

#include <filesystem>

#include "app/ListCardsFrm.h"
#include "support/TestFolder.h"

namespace {

std::string CardWithFields(int frames = 10)
{
  return "<?xml version=\"1.0\"?>\n<Movie><BgColor>16777215</BgColor><BgPic></BgPic><Width>200</Width>"
         "<Height>100</Height><Rate>12</Rate><TotalFrames>" + std::to_string(frames) + "</TotalFrames><Times>0</Times><FileSize>0</FileSize>"
         "<MovieName></MovieName><Author></Author><Loop>false</Loop>"
         "<Obj><ObjName>Text1</ObjName><StartTime>0</StartTime><EndTime>" + std::to_string(frames - 2) + "</EndTime><Layer>2</Layer>"
         "<ObjTypeName>Text</ObjTypeName><ObjType><ObjText><Content>Dear {Name} of {City}</Content>"
         "<TextUnit>1</TextUnit><FontName>DejaVu Sans</FontName><FontSize>14</FontSize><FontColor>255</FontColor>"
         "<PositionX>5</PositionX><PositionY>5</PositionY><EffectName>Kerning</EffectName><EffectValue/>"
         "</ObjText></ObjType></Obj></Movie>";
}

template <typename TWidget>
TWidget* Find(const TListCardsForm& form, const char* name)
{
  auto* widget = form.findChild<TWidget*>(QString::fromLatin1(name));
  EXPECT_NE(widget, nullptr) << name;
  return widget;
}

} // namespace

TEST(ListCardsForm, ShowsTheFieldsAndFirstRowsAndMakesTheCards)
{
  TTestFolder folder;
  WriteWholeFile(folder.File("card.grx"), CardWithFields());
  std::string list = "Name,City\n";
  for (int i = 1; i <= 7; ++i) list += "Guest " + std::to_string(i) + ",Town\n";
  WriteWholeFile(folder.File("list.csv"), list);

  TListCardsForm form(QString::fromStdString(folder.File("card.grx")));
  EXPECT_EQ(Find<QLabel>(form, "LabelFields")->text(), "Fields the card uses: Name, City");
  Find<QLineEdit>(form, "EditList")->setText(QString::fromStdString(folder.File("list.csv")));
  EXPECT_TRUE(form.LoadList());
  auto* table = Find<QTableWidget>(form, "TableRows");
  EXPECT_EQ(table->columnCount(), 2);
  EXPECT_EQ(table->rowCount(), TListCardsForm::ShownRows);
  EXPECT_EQ(table->horizontalHeaderItem(0)->text(), "Name");
  EXPECT_EQ(table->item(4, 0)->text(), "Guest 5");
  auto* formats = Find<QComboBox>(form, "ComboFormat");
  EXPECT_EQ(formats->currentText(), "swf");
  EXPECT_EQ(formats->count(), 7); // the video, animation and web formats too
  EXPECT_GE(formats->findText("html"), 0);

  Find<QLineEdit>(form, "EditFolder")->setText(QString::fromStdString(folder.File("cards")));
  Find<QLineEdit>(form, "EditName")->setText("{Name}-card");
  EXPECT_EQ(form.MakeCards(), 0) << form.Summary().toStdString();
  EXPECT_TRUE(form.Summary().startsWith("7 cards made in ")) << form.Summary().toStdString();
  EXPECT_TRUE(std::filesystem::exists(folder.File("cards/Guest 7-card.swf")));
}

TEST(ListCardsForm, RowsWhoseTextRunsOffTheStageAreFlaggedBeforeAndToldAfter)
{
  TTestFolder folder;
  WriteWholeFile(folder.File("card.grx"), CardWithFields());
  WriteWholeFile(folder.File("list.csv"), "Name,City,Note\nAnn,Oslo,a\nBartholomew Maximilian,Oslo,b\nEve,Rome,c\n");
  TListCardsForm form(QString::fromStdString(folder.File("card.grx")));
  Find<QLineEdit>(form, "EditList")->setText(QString::fromStdString(folder.File("list.csv")));
  EXPECT_TRUE(form.LoadList());
  auto* table = Find<QTableWidget>(form, "TableRows");
  EXPECT_EQ(table->item(1, 0)->toolTip(), "The text \"Dear Bartholomew Maximilian of Oslo\" runs off the stage.");
  EXPECT_EQ(table->item(1, 2)->background().color(), table->item(1, 0)->background().color());
  EXPECT_FALSE(table->verticalHeaderItem(1)->icon().isNull());
  EXPECT_TRUE(table->item(0, 0)->toolTip().isEmpty());
  EXPECT_TRUE(table->verticalHeaderItem(2)->icon().isNull());
  EXPECT_EQ(Find<QLabel>(form, "LabelListState")->text(), "3 rows. The text runs off the stage in row 3.");

  Find<QLineEdit>(form, "EditFolder")->setText(QString::fromStdString(folder.File("cards")));
  EXPECT_EQ(form.MakeCards(), 0) << form.Summary().toStdString();
  const QString summary = form.Summary();
  EXPECT_TRUE(summary.startsWith("3 cards made in ")) << summary.toStdString();
  EXPECT_TRUE(summary.contains(" s; 1 row's text runs off the stage.\n")) << summary.toStdString();
  EXPECT_TRUE(summary.contains("\nRow 3: the text \"Dear Bartholomew Maximilian of Oslo\" runs off the stage.\n"))
      << summary.toStdString();
  // The unused column is a note in the dialog's words, not the command line's warning.
  EXPECT_TRUE(summary.endsWith("\n\nColumn \"Note\" is not used by the card.")) << summary.toStdString();
  EXPECT_FALSE(summary.contains("greetix-cli")) << summary.toStdString();
  EXPECT_FALSE(summary.contains("warning", Qt::CaseInsensitive)) << summary.toStdString();
}

TEST(ListCardsForm, CancelStopsAVideoHalfMadeAndLeavesNoUnfinishedFile)
{
  TTestFolder folder;
  WriteWholeFile(folder.File("card.grx"), CardWithFields(600));
  WriteWholeFile(folder.File("list.csv"), "Name,City\nAnn,Oslo\nBob,Rome\n");
  TListCardsForm form(QString::fromStdString(folder.File("card.grx")));
  Find<QLineEdit>(form, "EditList")->setText(QString::fromStdString(folder.File("list.csv")));
  Find<QLineEdit>(form, "EditFolder")->setText(QString::fromStdString(folder.File("cards")));
  Find<QComboBox>(form, "ComboFormat")->setCurrentText("mp4");

  // Cancel once a video is being written (a hidden file other than the card's movie).
  const auto writingVideo = [&] {
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(folder.File("cards"), ignored)) {
      const std::string name = entry.path().filename().string();
      if (name[0] == '.' && name.find(".swf.") == std::string::npos) return true;
    }
    return false;
  };
  bool cancelled = false;
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&] {
    auto* progress = form.findChild<QProgressDialog*>("MakeCardsProgress");
    if (!cancelled && progress && writingVideo()) {
      cancelled = true;
      progress->findChild<QPushButton*>()->click();
    }
  });
  watch.start(5);
  EXPECT_EQ(form.MakeCards(), -1) << form.Summary().toStdString();
  EXPECT_TRUE(cancelled);
  EXPECT_TRUE(form.Summary().contains("Stopped.")) << form.Summary().toStdString();
  EXPECT_TRUE(form.Summary().contains("not made (stopped)")) << form.Summary().toStdString();
  for (const auto& entry : std::filesystem::directory_iterator(folder.File("cards")))
    EXPECT_NE(entry.path().filename().string()[0], '.') << entry.path();
}

TEST(ListCardsForm, TellsWhatTheListLacks)
{
  TTestFolder folder;
  WriteWholeFile(folder.File("card.grx"), CardWithFields());
  WriteWholeFile(folder.File("list.csv"), "Name\nAnn\n");
  TListCardsForm form(QString::fromStdString(folder.File("card.grx")));
  auto* state = Find<QLabel>(form, "LabelListState");
  Find<QLineEdit>(form, "EditList")->setText(QString::fromStdString(folder.File("list.csv")));
  EXPECT_FALSE(form.LoadList());
  EXPECT_TRUE(state->text().contains("no column for: City")) << state->text().toStdString();
  Find<QLineEdit>(form, "EditList")->setText(QString::fromStdString(folder.File("none.csv")));
  EXPECT_FALSE(form.LoadList());
  EXPECT_TRUE(state->text().contains("cannot open list")) << state->text().toStdString();
  EXPECT_EQ(form.MakeCards(), -1); // no folder chosen
}
