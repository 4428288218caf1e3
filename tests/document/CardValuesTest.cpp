#include <gtest/gtest.h>

#include "document/CardValues.h"

TEST(CardValues, IntegerTextDecimalAndDollarHex)
{
  EXPECT_EQ(ParseIntegerText("255"), 255);
  EXPECT_EQ(ParseIntegerText("-5"), -5);
  EXPECT_EQ(ParseIntegerText("+7"), 7);
  EXPECT_EQ(ParseIntegerText(" 42\n"), 42);
  EXPECT_EQ(ParseIntegerText("$FF"), 255);
  EXPECT_EQ(ParseIntegerText("$ff0000"), 16711680);
  EXPECT_EQ(ParseIntegerText("0x10"), 16);
  EXPECT_EQ(ParseIntegerText("2147483647"), 2147483647);
  EXPECT_EQ(ParseIntegerText("-2147483648"), INT32_MIN);
  // Hexadecimal fills 32 bits and reads as their signed value.
  EXPECT_EQ(ParseIntegerText("$FFFFFFFF"), -1);
}

TEST(CardValues, IntegerTextRejectsWhatIsNoNumber)
{
  for (const char* text : {"", " ", "abc", "12abc", "3.7", "$", "-", "$G1", "1 2", "2147483648", "-2147483649",
                           "$100000000", "99999999999999999999999"}) {
    EXPECT_FALSE(ParseIntegerText(text).has_value()) << '"' << text << '"';
  }
  EXPECT_EQ(IntegerToText(-12), "-12");
  EXPECT_EQ(IntegerToText(0), "0");
}

TEST(CardValues, ColourText)
{
  ASSERT_TRUE(ParseColourText("$FF").has_value());
  std::uint32_t red = *ParseColourText("$FF");
  EXPECT_EQ(ColourRed(red), 255);
  EXPECT_EQ(ColourGreen(red), 0);
  EXPECT_EQ(ColourBlue(red), 0);
  EXPECT_EQ(ParseColourText("255"), red);
  EXPECT_FALSE(ParseColourText("abc").has_value());
  // A new text's "$FF0000" is pure blue and is written back as decimal text.
  EXPECT_EQ(ColourToText(StrToIntColour("$FF0000")), "16711680");
  EXPECT_EQ(ColourBlue(StrToIntColour("16711680")), 255);
  try {
    StrToIntColour("abc");
    FAIL() << "no error for abc";
  } catch (const TConvertError& error) {
    EXPECT_STREQ(error.what(), "'abc' is not a valid integer value");
  }
}

TEST(CardValues, BooleanTextIsTrueOnlyForTrueInAnyCase)
{
  for (const char* text : {"True", "TRUE", "true", "tRuE"}) EXPECT_TRUE(ParseBooleanText(text)) << text;
  for (const char* text : {"yes", "1", "", "false", " true", "true ", "truex"}) EXPECT_FALSE(ParseBooleanText(text)) << text;
  EXPECT_EQ(BooleanToText(true), "true");
  EXPECT_EQ(BooleanToText(false), "false");
}
