// A text of several lines: the card file keeps its line breaks, and the movie shows each
// line on its own row, centred lines centred under one another.
#include <gtest/gtest.h>

#include <QImage>

#include "CardFrames.h"
#include "document/XMLUnit.h"
#include "document/XmlDocument.h"
#include "swf/reader/DisplayList.h"
#include "swf/reader/MovieParser.h"

namespace {

const std::string TwoLines = "Happy birthday\nto you";

std::string CentredCard(const std::string& effect, const std::string& content)
{
  std::string xml = CardXml({{effect, 0, 24, 50, 40, content, 28}}, 0);
  const std::string after = "<EffectValue></EffectValue>";
  xml.insert(xml.find(after) + after.size(), "<TextAlign>Centre</TextAlign>");
  return xml;
}


// The rows of blue ink, each as the box of its ink; a row ends at a pixel row without ink.
std::vector<QRect> InkRows(const QImage& image)
{
  std::vector<QRect> rows;
  bool inRow = false;
  for (int y = 0; y < image.height(); ++y) {
    QRect line;
    for (int x = 0; x < image.width(); ++x) {
      const QColor colour = image.pixelColor(x, y);
      if (colour.blue() > 150 && colour.red() < 120 && colour.green() < 120) line |= QRect(x, y, 1, 1);
    }
    if (line.isNull()) inRow = false;
    else if (inRow) rows.back() |= line;
    else rows.push_back(line), inRow = true;
  }
  return rows;
}

} // namespace

TEST(MultiLineText, TwoCentredLinesStandOnTwoRowsCentredOnEachOther)
{
  TScratch scratch;
  for (const char* effect : {"-- None --", "Fade In Letters"}) {
    SCOPED_TRACE(effect);
    const std::vector<QRect> rows = InkRows(DrawnCardFrame(scratch, CentredCard(effect, TwoLines), 24));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_GT(rows[1].top(), rows[0].bottom());
    EXPECT_LT(rows[1].width(), rows[0].width()); // "to you" is the shorter line
    EXPECT_NEAR(rows[0].center().x(), rows[1].center().x(), 3);
    EXPECT_NEAR(rows[0].left(), 50, 4);
  }
  // Classic effects show both lines too, each starting at the text's left edge: the whole
  // text, and the letters of a per-letter effect, whose second line starts below the first.
  const std::vector<QRect> fade = InkRows(DrawnCardFrame(scratch, CentredCard("Fade", TwoLines), 24));
  ASSERT_EQ(fade.size(), 2u);
  EXPECT_NEAR(fade[1].left(), fade[0].left(), 4);
  const std::vector<QRect> beat = InkRows(DrawnCardFrame(scratch, CentredCard("Heart Beat", TwoLines), 24));
  ASSERT_EQ(beat.size(), 2u);
  EXPECT_NEAR(beat[1].left(), beat[0].left(), 4);
  EXPECT_NEAR(beat[1].top(), fade[1].top(), 4);
  // One line is one row, where it always stood.
  const std::vector<QRect> one = InkRows(DrawnCardFrame(scratch, CentredCard("-- None --", "Happy birthday"), 24));
  ASSERT_EQ(one.size(), 1u);
  EXPECT_EQ(one[0].top(), fade[0].top());
}

TEST(MultiLineText, TheCardFileKeepsTheLineBreaks)
{
  TScratch scratch;
  WriteAll(scratch.File("card.grx"), CentredCard("-- None --", "one"));
  {
    TXMLCardDocument document(scratch.File("card.grx"));
    document.Load();
    BindMovie(document).Obj().Item(0).ObjType().ObjText().SetContent("first\nsecond\n\nfourth");
    document.Save();
  }
  TXMLCardDocument reopened(scratch.File("card.grx"));
  reopened.Load();
  EXPECT_EQ(BindMovie(reopened).Obj().Item(0).ObjType().ObjText().Content(), "first\nsecond\n\nfourth");
  // A file written with Windows line ends reads as the same lines.
  WriteAll(scratch.File("crlf.grx"), CentredCard("-- None --", "first\r\nsecond"));
  TXMLCardDocument crlf(scratch.File("crlf.grx"));
  crlf.Load();
  EXPECT_EQ(BindMovie(crlf).Obj().Item(0).ObjType().ObjText().Content(), "first\nsecond");
}
