#include <gtest/gtest.h>

#include "document/XMLUnit.h"

namespace {

// A card with every Movie element and two objects, compact as the program writes it.
const char* const TwoObjectCard =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
    "<Movie><BgColor>16777215</BgColor><BgPic/><Width>420</Width><Height>300</Height><Rate>12</Rate>"
    "<TotalFrames>100</TotalFrames><Times>3</Times><FileSize>20480</FileSize>"
    "<MovieName>Grüße &amp; Küsse ✿</MovieName><Author>Ann &lt;ann@example.org&gt;</Author><Loop>true</Loop>"
    "<Obj><ObjName>Text1</ObjName><StartTime>0</StartTime><EndTime>24</EndTime><Layer>2</Layer>"
    "<ObjTypeName>Text</ObjTypeName><ObjType><ObjText><Content>Hi</Content><FontSize>18</FontSize></ObjText></ObjType></Obj>"
    "<Obj><ObjName>Pic1</ObjName><ObjTypeName>Pic</ObjTypeName></Obj>"
    "</Movie>";

struct TLoadedCard {
  TXMLCardDocument Document;
  TXMLMovie Movie;
  explicit TLoadedCard(const std::string& xml) : Movie(Bind(Document, xml)) {}
  static TXMLMovie Bind(TXMLCardDocument& document, const std::string& xml)
  {
    document.LoadFromXml(xml);
    return BindMovie(document);
  }
};

template <typename F> std::string ErrorOf(F&& action)
{
  try {
    action();
  } catch (const std::exception& error) {
    return error.what();
  }
  return "(no error)";
}

const std::string NullError = "Could not convert variant of type (Null) into type (Integer)";
const std::string StringError = "Could not convert variant of type (String) into type (Integer)";

} // namespace

TEST(XMLUnit, ReadsTypedValues)
{
  TLoadedCard card(TwoObjectCard);
  EXPECT_EQ(card.Movie.Width(), 420);
  EXPECT_EQ(card.Movie.Rate(), 12);
  EXPECT_EQ(card.Movie.MovieName(), "Grüße & Küsse ✿");
  EXPECT_EQ(card.Movie.Author(), "Ann <ann@example.org>");
  EXPECT_EQ(card.Movie.Obj().Count(), 2);
  TXMLObj text = card.Movie.Obj().Item(0);
  EXPECT_EQ(text.ObjName(), "Text1");
  EXPECT_EQ(text.ObjType().ObjText().Content(), "Hi");
  EXPECT_EQ(text.ObjType().ObjText().FontSize(), 18);
  EXPECT_EQ(card.Movie.Obj()[1].ObjTypeName(), "Pic");
}

TEST(XMLUnit, MissingElementIsCreatedEmptyAndAppendedLast)
{
  TLoadedCard card("<Movie><Width>10</Width><Obj><ObjName>A</ObjName></Obj></Movie>");
  EXPECT_EQ(card.Movie.BgPic(), "");
  EXPECT_EQ(card.Document.SaveToXml(), "<Movie><Width>10</Width><Obj><ObjName>A</ObjName></Obj><BgPic/></Movie>");

  // Containers too: reaching a detail element creates ObjType and ObjSound in turn.
  card.Movie.Obj().Item(0).ObjType().ObjSound().SetContent("song.mp3");
  EXPECT_EQ(card.Document.SaveToXml(),
            "<Movie><Width>10</Width><Obj><ObjName>A</ObjName><ObjType><ObjSound><Content>song.mp3</Content>"
            "</ObjSound></ObjType></Obj><BgPic/></Movie>");

  // A missing integer is created too, then fails to convert.
  EXPECT_EQ(ErrorOf([&] { card.Movie.Height(); }), NullError);
  EXPECT_TRUE(card.Document.DocumentElement().child("Height"));
}

TEST(XMLUnit, IntegerConversionErrors)
{
  TLoadedCard card("<Movie><Width></Width><Height>abc</Height><Rate> 12 </Rate><Times>$10</Times>"
                   "<FileSize>4294967296</FileSize></Movie>");
  EXPECT_EQ(ErrorOf([&] { card.Movie.Width(); }), NullError);
  EXPECT_EQ(ErrorOf([&] { card.Movie.Height(); }), StringError);
  EXPECT_EQ(ErrorOf([&] { card.Movie.FileSize(); }), StringError);
  EXPECT_THROW(card.Movie.Width(), TConvertError);
  EXPECT_EQ(card.Movie.Rate(), 12);
  EXPECT_EQ(card.Movie.Times(), 16);

  card.Movie.SetWidth(-5);
  EXPECT_EQ(card.Movie.Width(), -5);
  EXPECT_NE(card.Document.SaveToXml().find("<Width>-5</Width>"), std::string::npos);
}

TEST(XMLUnit, ElementWithChildrenHoldsNoValue)
{
  TLoadedCard card("<Movie><Width><Big>1</Big></Width><Author>A<!-- note -->nn</Author></Movie>");
  const std::string expected = "Element does not contain a single text node";
  EXPECT_EQ(ErrorOf([&] { card.Movie.Width(); }), expected);
  EXPECT_EQ(ErrorOf([&] { card.Movie.SetWidth(3); }), expected);
  // The failed write leaves the children alone.
  EXPECT_TRUE(card.Document.DocumentElement().child("Width").child("Big"));
  // A comment inside a value is not an element: the text around it is the value.
  EXPECT_EQ(card.Movie.Author(), "Ann");
  // The Movie element itself holds elements.
  EXPECT_EQ(ErrorOf([&] { card.Movie.Text(); }), expected);
}

TEST(XMLUnit, StringsAreKeptExactly)
{
  TLoadedCard card("<Movie><MovieName> </MovieName><Author><![CDATA[a<b]]></Author></Movie>");
  EXPECT_EQ(card.Movie.MovieName(), " ");
  EXPECT_EQ(card.Movie.Author(), "a<b");
  card.Movie.SetBgPic("/home/ann/Pictures/Ünïcode & <more>.jpg");
  card.Movie.SetLoop("");
  TXMLCardDocument reloaded;
  reloaded.LoadFromXml(card.Document.SaveToXml());
  EXPECT_EQ(BindMovie(reloaded).BgPic(), "/home/ann/Pictures/Ünïcode & <more>.jpg");
  EXPECT_EQ(BindMovie(reloaded).Loop(), "");
  EXPECT_EQ(BindMovie(reloaded).MovieName(), " ");
}

TEST(XMLUnit, LoopTextAsTheCardReadsIt)
{
  for (auto [text, looping] : {std::pair{"True", true}, {"TRUE", true}, {"true", true}, {"yes", false}, {"1", false}}) {
    TLoadedCard card(std::string("<Movie><Loop>") + text + "</Loop></Movie>");
    EXPECT_EQ(ParseBooleanText(card.Movie.Loop()), looping) << text;
  }
}

TEST(XMLUnit, NewTextObjectIsAppendedWithItsElementsInWritingOrder)
{
  TLoadedCard card(TwoObjectCard);
  TXMLObjList objects = card.Movie.Obj();
  TXMLObj added = objects.Add();
  added.SetObjName("Text2");
  added.SetStartTime(10);
  added.SetEndTime(34);
  added.SetLayer(2);
  added.SetObjTypeName("Text");
  TXMLObjText text = added.ObjType().ObjText();
  text.SetContent("");
  text.SetTextUnit(1);
  text.SetFontName("DejaVu Sans");
  text.SetFontSize(18);
  text.SetFontColor("$FF0000");
  text.SetPositionX(50);
  text.SetPositionY(50);
  text.SetEffectName("-- None --");
  text.SetEffectValue("");

  ASSERT_EQ(objects.Count(), 3);
  EXPECT_EQ(objects.Item(2), added);
  EXPECT_EQ(objects.Item(2).ObjName(), "Text2");
  const std::string xml = card.Document.SaveToXml();
  const std::string tail =
      "<Obj><ObjName>Text2</ObjName><StartTime>10</StartTime><EndTime>34</EndTime><Layer>2</Layer>"
      "<ObjTypeName>Text</ObjTypeName><ObjType><ObjText><Content/><TextUnit>1</TextUnit>"
      "<FontName>DejaVu Sans</FontName><FontSize>18</FontSize><FontColor>$FF0000</FontColor>"
      "<PositionX>50</PositionX><PositionY>50</PositionY><EffectName>-- None --</EffectName>"
      "<EffectValue/></ObjText></ObjType></Obj></Movie>";
  EXPECT_TRUE(xml.ends_with(tail)) << xml;
}

TEST(XMLUnit, ObjListOperations)
{
  TLoadedCard card("<Movie><Obj><ObjName>A</ObjName></Obj><Width>1</Width><Obj><ObjName>B</ObjName></Obj>"
                   "<Loop>true</Loop></Movie>");
  TXMLObjList objects = card.Movie.Obj();
  ASSERT_EQ(objects.Count(), 2);
  EXPECT_EQ(objects.Item(1).ObjName(), "B"); // found by name, other elements between

  objects.Insert(0).SetObjName("First");
  objects.Insert(3).SetObjName("Last"); // index == Count appends
  EXPECT_EQ(objects.Count(), 4);
  EXPECT_EQ(objects.Item(0).ObjName(), "First");
  EXPECT_EQ(objects.Item(3).ObjName(), "Last");
  EXPECT_TRUE(card.Document.SaveToXml().starts_with("<Movie><Obj><ObjName>First</ObjName></Obj>"));

  objects.Delete(1); // A
  EXPECT_EQ(objects.Item(1).ObjName(), "B");
  TXMLObj b = objects.Item(1);
  EXPECT_EQ(objects.Remove(b), 1);
  EXPECT_EQ(objects.Remove(b), -1);
  EXPECT_EQ(objects.Count(), 2);

  EXPECT_THROW(objects.Item(2), TXMLError);
  EXPECT_THROW(objects.Item(-1), TXMLError);
  EXPECT_THROW(objects.Delete(5), TXMLError);
  EXPECT_THROW(objects.Insert(7), TXMLError);
  EXPECT_EQ(ErrorOf([&] { objects.Item(9); }), "List index out of bounds (9)");

  objects.Clear();
  EXPECT_EQ(objects.Count(), 0);
  EXPECT_EQ(card.Document.SaveToXml(), "<Movie><Width>1</Width><Loop>true</Loop></Movie>");
}

TEST(XMLUnit, CarriedMovieFieldsSurviveEditAndSaveByteForByte)
{
  TLoadedCard card(TwoObjectCard);
  card.Movie.SetWidth(640);
  card.Movie.SetLoop("false");
  card.Movie.Obj().Item(0).SetEndTime(48);
  std::string expected = TwoObjectCard;
  expected.replace(expected.find("<Width>420"), 10, "<Width>640");
  expected.replace(expected.find("<Loop>true"), 10, "<Loop>false");
  expected.replace(expected.find("<EndTime>24"), 11, "<EndTime>48");
  EXPECT_EQ(card.Document.SaveToXml(), expected);
}

TEST(XMLUnit, BindMovieCreatesRootOnlyWhereThereIsNone)
{
  TXMLCardDocument empty; // no file name: loads as an empty document
  TXMLMovie movie = BindMovie(empty);
  EXPECT_TRUE(empty.Loaded());
  EXPECT_EQ(movie.NodeName(), "Movie");
  EXPECT_EQ(movie.Obj().Count(), 0);
  movie.SetRate(12);
  EXPECT_EQ(empty.SaveToXml(), "<Movie><Rate>12</Rate></Movie>");

  TXMLCardDocument foreign;
  foreign.LoadFromXml("<html><body/></html>");
  EXPECT_THROW(BindMovie(foreign), TXMLError);
}

TEST(XMLUnit, BindingOutlivesAReloadOfItsDocument)
{
  TXMLCardDocument document;
  document.LoadFromXml("<Movie><Width>1</Width></Movie>");
  TXMLMovie old = BindMovie(document);
  document.LoadFromXml("<Movie><Width>2</Width></Movie>");
  // The old binding still works, on the old tree, which nobody saves.
  EXPECT_EQ(old.Width(), 1);
  old.SetWidth(5);
  EXPECT_EQ(BindMovie(document).Width(), 2);
}

TEST(XMLUnit, ObjectListsSeeEveryChangeWhoeverMadeIt)
{
  // Two lists over one card, and a second card, read in turns: each sees the changes made
  // through the other and through a reload.
  TLoadedCard card("<Movie><Obj><ObjName>A</ObjName></Obj><Obj><ObjName>B</ObjName></Obj></Movie>");
  TLoadedCard other("<Movie><Obj><ObjName>X</ObjName></Obj></Movie>");
  TXMLObjList first = card.Movie.Obj();
  TXMLObjList second = card.Movie.Obj();
  EXPECT_EQ(first.Count(), 2);
  EXPECT_EQ(other.Movie.Obj().Item(0).ObjName(), "X");
  second.Add().SetObjName("C");
  EXPECT_EQ(first.Count(), 3);
  EXPECT_EQ(first.Item(2).ObjName(), "C");
  second.Delete(0);
  EXPECT_EQ(first.Item(0).ObjName(), "B");
  EXPECT_EQ(other.Movie.Obj().Count(), 1);
  second.Insert(1).SetObjName("B2");
  EXPECT_EQ(first.Item(1).ObjName(), "B2");
  EXPECT_EQ(first.Count(), 3);

  // A list read while the card had no objects sees the first one added.
  TLoadedCard bare("<Movie><Width>1</Width></Movie>");
  TXMLObjList none = bare.Movie.Obj();
  EXPECT_EQ(none.Count(), 0);
  bare.Movie.Obj().Add();
  EXPECT_EQ(none.Count(), 1);

  card.Document.LoadFromXml("<Movie><Obj><ObjName>Z</ObjName></Obj></Movie>");
  TXMLObjList reloaded = BindMovie(card.Document).Obj();
  EXPECT_EQ(reloaded.Count(), 1);
  EXPECT_EQ(reloaded.Item(0).ObjName(), "Z");
  EXPECT_EQ(first.Count(), 3); // the old tree, as it was
}
