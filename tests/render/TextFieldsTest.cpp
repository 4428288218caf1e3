// Fields in texts: how "{Name}" and the brace escapes are read, and that every effect
// animates the filled-in text (per-letter effects cut the value, not the placeholder).
#include <gtest/gtest.h>

#include <set>

#include "EffectTestSupport.h"
#include "render/TextFields.h"
#include "render/TextUnits.h"

namespace {

const char* const EffectNames[] = {"-- None --", "Come In",   "Fade",    "Heart Beat", "Kerning",
                                   "Move",       "Radiation", "Rainbow", "Roll In",    "Rotate"};

// The texts handed to MakeTextSimple when the text renders with these values.
std::set<std::string> ShapedTexts(const TTextSpec& spec, const TFieldValues* values)
{
  TRenderFixture fixture(TextObjXml(spec));
  fixture.Preview.Total = 100;
  fixture.Ctx.Random = TRandomSource(3);
  fixture.Ctx.FieldValues = values;
  TFlashText renderer(fixture.Ctx);
  renderer.Render(0);
  std::set<std::string> texts;
  for (const auto& call : fixture.Builder.Recording.Named("MakeTextSimple")) texts.insert(call.Texts[1]);
  return texts;
}

} // namespace

TEST(TextFields, FillsNamedFieldsAndWritesEscapedBraces)
{
  const TFieldValues values = {{"Name", "Anna"}, {"First Name", "Li"}, {"Empty", ""}};
  EXPECT_EQ(FillFields("Dear {Name}!", values), "Dear Anna!");
  EXPECT_EQ(FillFields("{First Name} & {Name}{Name}", values), "Li & AnnaAnna");
  EXPECT_EQ(FillFields("[{Empty}]", values), "[]");
  // Escapes: doubled braces write one, also around a field.
  EXPECT_EQ(FillFields("{{Name}}", values), "{Name}");
  EXPECT_EQ(FillFields("{{{Name}}}", values), "{Anna}");
  EXPECT_EQ(FillFields("a }} b {{ c", values), "a } b { c");
  // What names no known field stays as written.
  EXPECT_EQ(FillFields("{Nobody} {name}", values), "{Nobody} {name}");
  EXPECT_EQ(FillFields("{} { } {Na\nme} {Name", values), "{} { } {Na\nme} {Name");
  EXPECT_EQ(FillFields("x } y {", values), "x } y {");
  // A value is put in as it is: braces in it are not read again.
  EXPECT_EQ(FillFields("{Name}", {{"Name", "{Name}}"}}), "{Name}}");

  EXPECT_EQ(FieldNames("{B} {A} {{C}} {B} {} {A"), (std::vector<std::string>{"B", "A"}));
  EXPECT_TRUE(FieldNames("no fields {{here}}").empty());
}

TEST(TextFields, EveryEffectAnimatesTheFilledText)
{
  // Chinese, Hebrew (right to left) and Arabic values; the text has a field and a letter.
  for (const std::string value : {"李小龍", "שלום", "سلام"}) {
    const TFieldValues values = {{"Name", value}};
    const std::vector<std::string> letters = SplitCharacters(value + "!");
    for (const char* effect : EffectNames) {
      SCOPED_TRACE(std::string(effect) + " / " + value);
      TTextSpec spec;
      spec.Content = "{Name}!";
      spec.Effect = effect;
      const std::set<std::string> texts = ShapedTexts(spec, &values);
      ASSERT_FALSE(texts.empty());
      // Either the whole filled text, or each of its letters: never a piece of "{Name}".
      const std::set<std::string> perLetter(letters.begin(), letters.end());
      EXPECT_TRUE(texts == std::set<std::string>{value + "!"} || texts == perLetter) << *texts.begin();
    }
  }
}

TEST(TextFields, WithoutValuesTheTextShowsAsWritten)
{
  TTextSpec spec;
  spec.Content = "{Name} {{x}}";
  spec.Effect = "Fade";
  EXPECT_EQ(ShapedTexts(spec, nullptr), std::set<std::string>{"{Name} {{x}}"});
  const TFieldValues values = {{"Name", "Ola"}};
  EXPECT_EQ(ShapedTexts(spec, &values), std::set<std::string>{"Ola {x}"});
  // Units of two letters cut the filled text.
  spec.Effect = "Rainbow";
  spec.Unit = 2;
  spec.Content = "{Name}";
  const TFieldValues cjk = {{"Name", "生日快乐"}};
  EXPECT_EQ(ShapedTexts(spec, &cjk), (std::set<std::string>{"生日", "快乐", ""}));
}
