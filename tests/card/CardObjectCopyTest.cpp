// Objects copied out of one card and pasted into another: what travels, the fresh name, the
// new place in time, and clipboard text that is not an object.
#include <gtest/gtest.h>

#include "card/CardObjectCopy.h"
#include "document/XMLUnit.h"

namespace {

const char* const Source =
    "<Movie><Width>400</Width>"
    "<Obj><ObjName>Text1</ObjName><StartTime>5</StartTime><EndTime>29</EndTime><Layer>2</Layer>"
    "<ObjTypeName>Text</ObjTypeName><ObjType><ObjText><Content>Dear Anna &amp; Tom</Content>"
    "<PositionX>12</PositionX><EffectName>Fade</EffectName></ObjText></ObjType></Obj>"
    "<Obj><ObjName>Pic1</ObjName><StartTime>0</StartTime><EndTime>99</EndTime><Layer>2</Layer>"
    "<ObjTypeName>Pic</ObjTypeName><ObjType><ObjPic><Content>balloons.png</Content><Width>90</Width>"
    "</ObjPic></ObjType></Obj></Movie>";

struct TCardRig {
  TXMLCardDocument Document;
  explicit TCardRig(const std::string& xml) { Document.LoadFromXml(xml); }
  TXMLMovie Movie() { return BindMovie(Document); }
};

std::string InFolder(const std::string& path) { return "/cards/" + path; }

} // namespace

TEST(CardObjectCopy, AnObjectTravelsWholeUnderAFreshNameAtTheFrameGiven)
{
  TCardRig source(Source);
  const std::string text = CopyCardObject(source.Movie(), "Text1", InFolder);
  const std::string picture = CopyCardObject(source.Movie(), "Pic1", InFolder);
  EXPECT_EQ(CardObjectWords(text), "Dear Anna & Tom");
  EXPECT_EQ(CardObjectWords(picture), "");

  // Into the same card: Text1 is taken, so the copy is Text2; its 25 frames start at 40.
  TPastedObject pasted = PasteCardObject(source.Movie(), text, 40);
  EXPECT_EQ(pasted.Name, "Text2");
  EXPECT_EQ(pasted.Kind, "Text");
  TXMLObj copy = source.Movie().Obj().Item(2);
  EXPECT_EQ(copy.ObjName(), "Text2");
  EXPECT_EQ(copy.StartTime(), 40);
  EXPECT_EQ(copy.EndTime(), 64);
  EXPECT_EQ(copy.Layer(), 2);
  EXPECT_EQ(copy.ObjType().ObjText().Content(), "Dear Anna & Tom");
  EXPECT_EQ(copy.ObjType().ObjText().PositionX(), 12);
  EXPECT_EQ(copy.ObjType().ObjText().EffectName(), "Fade");

  // Into another card: the picture's path names the file it named in its own card.
  TCardRig other("<Movie><Obj><ObjName>Pic1</ObjName><ObjTypeName>Text</ObjTypeName></Obj></Movie>");
  pasted = PasteCardObject(other.Movie(), picture, 0);
  EXPECT_EQ(pasted.Name, "Pic2");
  EXPECT_EQ(other.Movie().Obj().Item(1).ObjType().ObjPic().Content(), "/cards/balloons.png");
  EXPECT_EQ(other.Movie().Obj().Item(1).ObjType().ObjPic().Width(), 90);
  EXPECT_EQ(other.Movie().Obj().Item(1).EndTime(), 99);

  EXPECT_THROW(CopyCardObject(source.Movie(), "Sound7", InFolder), TXMLError);
}

TEST(CardObjectCopy, ClipboardTextThatIsNotAnObjectIsRefusedAndTheCardStays)
{
  TCardRig card(Source);
  const std::string before = card.Document.SaveToXml();
  const std::string refused[] = {
      "",
      "Happy birthday",
      "<Obj><ObjName>Text1</ObjName>",                                        // cut short
      "<Movie><Width>1</Width></Movie>",                                      // a card, not an object
      "<Obj><ObjName>X</ObjName><ObjTypeName>Button</ObjTypeName></Obj>",    // a kind we lack
      "<Obj><ObjTypeName>Text</ObjTypeName><StartTime>1e300</StartTime><EndTime>3</EndTime></Obj>",
      "<Obj><ObjTypeName>Text</ObjTypeName><StartTime>0</StartTime><EndTime>3</EndTime><ObjType><ObjText><Content>" +
          std::string(MaxObjectXmlSize, 'a') + "</Content></ObjText></ObjType></Obj>",
  };
  for (const std::string& xml : refused) {
    SCOPED_TRACE(xml.substr(0, 60));
    EXPECT_THROW(PasteCardObject(card.Movie(), xml, 3), TXMLError);
    EXPECT_EQ(CardObjectWords(xml), "");
  }
  EXPECT_EQ(card.Document.SaveToXml(), before);

  // Frames far out are kept within what a card holds.
  PasteCardObject(card.Movie(),
                  "<Obj><ObjTypeName>Sound</ObjTypeName><StartTime>-2147483648</StartTime>"
                  "<EndTime>2147483647</EndTime></Obj>",
                  10);
  EXPECT_EQ(card.Movie().Obj().Item(2).StartTime(), 10);
  EXPECT_EQ(card.Movie().Obj().Item(2).EndTime(), 2147483647);
}

TEST(CardObjectCopy, PlainTextBecomesATextObjectOfItsWords)
{
  TCardRig card(Source);
  const std::string xml = PlainTextObjectXml("Dear <Anna> & \"Tom\"\r\nSee you\rsoon\x01\x7F\tbye");
  TPastedObject pasted = PasteCardObject(card.Movie(), xml, 7);
  EXPECT_EQ(pasted.Name, "Text2");
  TXMLObj object = card.Movie().Obj().Item(2);
  EXPECT_EQ(object.ObjTypeName(), "Text");
  EXPECT_EQ(object.StartTime(), 7);
  EXPECT_EQ(object.EndTime(), 31);
  EXPECT_EQ(object.ObjType().ObjText().Content(), "Dear <Anna> & \"Tom\"\nSee you\nsoon\tbye");
  EXPECT_EQ(object.ObjType().ObjText().EffectName(), "-- None --");
  // The card, written and read again, holds the same words.
  TCardRig reread(card.Document.SaveToXml());
  EXPECT_EQ(reread.Movie().Obj().Item(2).ObjType().ObjText().Content(), object.ObjType().ObjText().Content());

  for (const char* blank : {"", " \r\n\t ", "\x01\x02"}) EXPECT_EQ(PlainTextObjectXml(blank), "") << blank;
}
