// The text object's binding to the card document and to the text panel, its names and
// its units.
#include <gtest/gtest.h>

#include "EffectTestSupport.h"
#include "render/TextUnits.h"

namespace {

std::string PicObjXml(const std::string& name)
{
  return "<Obj><ObjName>" + name + "</ObjName><StartTime>0</StartTime><EndTime>24</EndTime><Layer>2</Layer>"
         "<ObjTypeName>Pic</ObjTypeName><ObjType><ObjPic><Content></Content></ObjPic></ObjType></Obj>";
}

std::string NamesXml(const std::vector<std::string>& names)
{
  std::string xml;
  for (const auto& name : names) {
    TTextSpec spec;
    spec.Name = name;
    xml += TextObjXml(spec);
  }
  return xml;
}

std::string UniqueName(const std::string& objectsXml)
{
  TRenderFixture fixture(objectsXml);
  TFlashText text(fixture.Ctx);
  text.MakeUniqueName();
  return text.ObjName;
}

} // namespace

TEST(FlashText, MakeUniqueName)
{
  EXPECT_EQ(UniqueName(""), "Text1");
  EXPECT_EQ(UniqueName(NamesXml({"Text1", "Text2"})), "Text3");
  // Not always the lowest free number: the count stops at the clashing object.
  EXPECT_EQ(UniqueName(NamesXml({"Text5", "Text1"})), "Text3");
  EXPECT_EQ(UniqueName(NamesXml({"Text2"})), "Text1");
  // Another kind bearing a candidate name would send the scan round for ever: the
  // candidate that came back moves on to the next number not yet tried.
  EXPECT_EQ(UniqueName(NamesXml({"Text1"}) + PicObjXml("Text2")), "Text3");
  EXPECT_EQ(UniqueName(PicObjXml("Text1") + PicObjXml("Text2")), "Text3");
}

TEST(FlashText, AddNewAppendsTheDefaultsInOrderAndSelectsTheNewNode)
{
  TRenderFixture fixture(NamesXml({"Text1"}));
  fixture.Preview.Current = 10;
  auto text = std::make_unique<TFlashText>(fixture.Ctx);
  text->AddNew();
  EXPECT_EQ(fixture.Library.Nodes, (std::vector<std::string>{"Text2"}));
  EXPECT_EQ(fixture.Library.SelectLastCalls, 1);

  // Saved at once, elements in the order they were written.
  const std::string saved = ReadWholeFile(fixture.CardFile());
  const std::string expected =
      "<Obj><ObjName>Text2</ObjName><StartTime>10</StartTime><EndTime>34</EndTime><Layer>2</Layer>"
      "<ObjTypeName>Text</ObjTypeName><ObjType><ObjText><Content/><TextUnit>1</TextUnit>"
      "<FontName>MS Sans Serif</FontName><FontSize>18</FontSize><FontColor>$FF0000</FontColor>"
      "<PositionX>50</PositionX><PositionY>50</PositionY><EffectName>-- None --</EffectName>"
      "<EffectValue/></ObjText></ObjType></Obj></Movie>";
  EXPECT_NE(saved.find(expected), std::string::npos) << saved;

  // The panel then shows 11 and 35.
  TFlashText shown(fixture.Ctx);
  shown.LoadAndShow(1);
  EXPECT_EQ(fixture.Panel.Begin, 11);
  EXPECT_EQ(fixture.Panel.End, 35);
}

TEST(FlashText, LoadFromDocumentConvertsColoursAndRefusesBadNumbers)
{
  TTextSpec hex;
  hex.Colour = "$FF";
  TTextSpec decimal;
  decimal.Name = "Text2";
  decimal.Colour = "255";
  decimal.Start = 3;
  decimal.End = 7;
  decimal.Unit = 2;
  TTextSpec bad;
  bad.Name = "Text3";
  bad.Colour = "blue";
  TRenderFixture fixture(TextObjXml(hex) + TextObjXml(decimal) + TextObjXml(bad));
  TFlashText text(fixture.Ctx);
  text.ObjName = "kept";
  text.LoadFromDocument(0);
  EXPECT_EQ(text.Red(), 255);
  EXPECT_EQ(text.Green(), 0);
  EXPECT_EQ(text.Blue(), 0);
  text.LoadFromDocument(1);
  EXPECT_EQ(text.FontColor, 255u);
  EXPECT_EQ(text.StartTime, 3);
  EXPECT_EQ(text.EndTime, 7);
  EXPECT_EQ(text.TextUnit, 2);
  EXPECT_EQ(text.FontName, "DejaVu Sans");
  EXPECT_EQ(text.ObjName, "kept"); // not loaded
  EXPECT_THROW(text.LoadFromDocument(2), TConvertError);
  // A bad colour stops the render as well, with no builder call.
  EXPECT_THROW(text.Render(2), TConvertError);
  EXPECT_TRUE(fixture.Builder.Recording.Calls.empty());
}

TEST(FlashText, StoreInDocumentWritesTheObjectNamedByTheSelectedNode)
{
  TTextSpec second;
  second.Name = "Text2";
  TRenderFixture fixture(NamesXml({"Text1"}) + TextObjXml(second) + PicObjXml("Pic1"));
  TFlashText text(fixture.Ctx);
  text.LoadFromDocument(1);
  text.FontColor = 0xFF0000; // pure blue
  text.Content = "Grüße";
  text.EffectValue = "not written";
  const std::string before = ReadWholeFile(fixture.CardFile());

  // No node selected: nothing is written or saved.
  text.StoreInDocument();
  EXPECT_EQ(ReadWholeFile(fixture.CardFile()), before);

  fixture.Library.Selected = "Text2";
  text.StoreInDocument();
  const std::string saved = ReadWholeFile(fixture.CardFile());
  EXPECT_NE(saved.find("<FontColor>16711680</FontColor>"), std::string::npos);
  EXPECT_NE(saved.find("<Content>Grüße</Content>"), std::string::npos);
  EXPECT_EQ(saved.find("not written"), std::string::npos);
  EXPECT_EQ(fixture.Ctx.Movie().Obj().Item(0).ObjType().ObjText().Content(), "Hi");

  // A node of another kind: saved, nothing written.
  fixture.Library.Selected = "Pic1";
  text.Content = "elsewhere";
  text.StoreInDocument();
  EXPECT_EQ(ReadWholeFile(fixture.CardFile()).find("elsewhere"), std::string::npos);
}

TEST(FlashText, ShowInPanelSelectsExactEntriesOrTheFirst)
{
  TRenderFixture fixture;
  TFlashText text(fixture.Ctx);
  text.Content = "Hello";
  text.StartTime = 0;
  text.EndTime = 24;
  text.FontName = "MS Sans Serif";
  text.FontSize = 13; // not in the list
  text.FontColor = 0x00FF00;
  text.PositionX = -5;
  text.PositionY = 7;
  text.EffectName = "Move";
  text.ShowInPanel();
  const TFakeTextPanel& panel = fixture.Panel;
  EXPECT_EQ(panel.Text, "Hello");
  EXPECT_EQ(panel.Begin, 1);
  EXPECT_EQ(panel.End, 25);
  EXPECT_EQ(panel.Index[int(TTextPanelList::FontName)], 2);
  EXPECT_EQ(panel.Index[int(TTextPanelList::FontSize)], 0);
  EXPECT_EQ(panel.Index[int(TTextPanelList::EffectName)], 5);
  EXPECT_EQ(panel.Colour, 0x00FF00u);
  EXPECT_EQ(panel.X, -5);
  EXPECT_EQ(panel.Y, 7);
  EXPECT_EQ(panel.UpdatingChanges, (std::vector<bool>{true, false}));

  text.FontName = "Comic Sans";
  text.EffectName = "fade";
  text.ShowInPanel();
  EXPECT_EQ(panel.Index[int(TTextPanelList::FontName)], 0);
  EXPECT_EQ(panel.Index[int(TTextPanelList::EffectName)], 0);
}

TEST(FlashText, ReadFromPanel)
{
  TRenderFixture fixture;
  TFakeTextPanel& panel = fixture.Panel;
  panel.Text = "Hi there";
  panel.Begin = 0; // typed 0: start frame -1 until the field is corrected
  panel.End = 35;
  panel.Colour = 0x123456;
  panel.X = 12;
  panel.Y = 34;
  panel.Index[int(TTextPanelList::FontName)] = 1;
  panel.Index[int(TTextPanelList::FontSize)] = -1;
  panel.Index[int(TTextPanelList::EffectName)] = -1;
  TFlashText text(fixture.Ctx);
  text.FontSize = 20;
  text.EffectName = "Rotate";
  text.TextUnit = 3;
  text.ReadFromPanel();
  EXPECT_EQ(text.Content, "Hi there");
  EXPECT_EQ(text.FontName, "DejaVu Sans");
  EXPECT_EQ(text.FontSize, 20);         // no size selected: unchanged
  EXPECT_EQ(text.EffectName, "Rotate"); // no effect selected: unchanged
  EXPECT_EQ(text.FontColor, 0x123456u);
  EXPECT_EQ(text.PositionX, 12);
  EXPECT_EQ(text.PositionY, 34);
  EXPECT_EQ(text.TextUnit, 1);
  EXPECT_EQ(text.StartTime, -1);
  EXPECT_EQ(text.EndTime, 34);

  panel.Lists[int(TTextPanelList::FontSize)].push_back("big");
  panel.Index[int(TTextPanelList::FontSize)] = 16;
  text.ReadFromPanel();
  EXPECT_EQ(text.FontSize, 20); // a size that does not parse is ignored
  panel.Index[int(TTextPanelList::FontSize)] = 13;
  panel.Index[int(TTextPanelList::EffectName)] = 2;
  text.ReadFromPanel();
  EXPECT_EQ(text.FontSize, 36);
  EXPECT_EQ(text.EffectName, "Fade");
}

TEST(FlashText, UnitsAreWholeCharacters)
{
  // ASCII: one entry per byte, as many as the text has.
  EXPECT_EQ(SplitTextUnits("abcdef", 2), (std::vector<std::string>{"ab", "cd", "ef", "", "", ""}));
  EXPECT_EQ(SplitTextUnits("abcde", 2), (std::vector<std::string>{"ab", "cd", "e", "", ""}));
  EXPECT_EQ(SplitTextUnits("abc", 1), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_TRUE(SplitTextUnits("", 1).empty());
  // A unit length below 1 counts as 1.
  EXPECT_EQ(SplitTextUnits("ab", 0), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(SplitTextUnits("ab", -4), (std::vector<std::string>{"a", "b"}));
  // Characters, not bytes: "é" (2 bytes), "祝" (3 bytes), "🎂" (4 bytes).
  EXPECT_EQ(SplitTextUnits("é祝🎂", 1), (std::vector<std::string>{"é", "祝", "🎂"}));
  EXPECT_EQ(SplitTextUnits("生日快乐!", 2), (std::vector<std::string>{"生日", "快乐", "!", "", ""}));
  // Broken sequences become U+FFFD, never half a character.
  EXPECT_EQ(SplitTextUnits("a\xC3", 1), (std::vector<std::string>{"a", "\xEF\xBF\xBD"}));
  EXPECT_EQ(SplitTextUnits("\xE6\x97x", 1), (std::vector<std::string>{"\xEF\xBF\xBD", "\xEF\xBF\xBD", "x"}));
  EXPECT_EQ(SplitCharacters("\xC0\xAF").size(), 2u); // overlong form
}

TEST(FlashText, PerLetterEffectsPlaceEachUnitAndWalkTheEmptyEntries)
{
  TTextSpec spec;
  spec.Content = "生日快";
  spec.Unit = 2;
  spec.Effect = "Rainbow";
  spec.End = 0;
  const auto makes = RenderText(spec, 100).Named("MakeTextSimple");
  ASSERT_EQ(makes.size(), 3u);
  EXPECT_EQ(makes[0].Texts[1], "生日");
  EXPECT_EQ(makes[1].Texts[1], "快");
  EXPECT_EQ(makes[2].Texts[1], "");
  // Each unit stands 28 F twips right of the one before.
  EXPECT_EQ(makes[1].Numbers[0] - makes[0].Numbers[0], 28.0 * 18);
  EXPECT_EQ(makes[2].Numbers[0] - makes[1].Numbers[0], 28.0 * 18);
}

TEST(FlashText, TextsOfLegacyCharacterSetsReachTheBuilderAsTheirCharacters)
{
  for (const auto& [charset, bytes, text] : std::vector<std::tuple<std::string, std::string, std::string>>{
           {"windows-1252", "Gr\xFC\xDF" "e", "Grüße"}, {"GB2312", "\xC9\xFA\xC8\xD5", "生日"}}) {
    SCOPED_TRACE(charset);
    TTextSpec spec;
    spec.Content = bytes;
    std::string xml = MovieXml(TextObjXml(spec));
    xml.replace(0, xml.find("?>"), "<?xml version=\"1.0\" encoding=\"" + charset + "\"");
    TRenderFixture fixture;
    fixture.LoadCard(xml);
    TFlashText renderer(fixture.Ctx);
    renderer.Render(0);
    EXPECT_EQ(fixture.Builder.Recording.Named("MakeTextSimple").at(0).Texts.at(1), text);
  }
}
