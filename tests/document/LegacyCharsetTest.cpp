// Cards in a legacy character set: read through the declared set, saved back in it byte
// for byte, and saved as UTF-8 once a value has no place in it.
#include <gtest/gtest.h>

#include "document/XMLUnit.h"

namespace {

// lineEnd: what follows the declaration; the parser keeps a "\r\n" as "\n".
std::string Card(const std::string& encoding, const std::string& author, const std::string& lineEnd = "\r\n")
{
  return "<?xml version=\"1.0\" encoding=\"" + encoding + "\"?>" + lineEnd + "<Movie><Author>" + author +
         "</Author><MovieName>x</MovieName></Movie>";
}

std::string WithName(std::string card, const std::string& name)
{
  return card.replace(card.find("<MovieName>x"), 12, "<MovieName>" + name);
}

} // namespace

TEST(LegacyCharset, Windows1252CardIsReadAndSavedInItsOwnSet)
{
  TXMLCardDocument document;
  const std::string bytes = Card("windows-1252", "Gr\xFC\xDF" "e \x80");
  document.LoadFromXml(bytes);
  TXMLMovie movie = BindMovie(document);
  EXPECT_EQ(movie.Author(), "Grüße €");
  EXPECT_EQ(document.SaveToXml(), bytes);
  // A value the set can hold keeps the file in it.
  movie.SetMovieName("Café");
  EXPECT_EQ(document.SaveToXml(), WithName(Card("windows-1252", "Gr\xFC\xDF" "e \x80", "\n"), "Caf\xE9"));
  // Back as it was read, it is saved as it was read.
  movie.SetMovieName("x");
  EXPECT_EQ(document.SaveToXml(), bytes);
}

TEST(LegacyCharset, ChineseCardsAreReadAndSavedByteForByte)
{
  for (const auto& [encoding, author, text] :
       std::vector<std::tuple<std::string, std::string, std::string>>{
           {"GB2312", "\xC9\xFA\xC8\xD5\xBF\xEC\xC0\xD6", "生日快乐"},
           {"gbk", "\xC9\xFA\xC8\xD5\xBF\xEC\xC0\xD6", "生日快乐"},
           {"Big5", "\xA5\xCD\xA4\xE9", "生日"}}) {
    SCOPED_TRACE(encoding);
    TXMLCardDocument document;
    const std::string bytes = Card(encoding, author);
    document.LoadFromXml(bytes);
    EXPECT_EQ(BindMovie(document).Author(), text);
    EXPECT_EQ(document.SaveToXml(), bytes);
  }
}

TEST(LegacyCharset, AValueOutsideTheSetTurnsTheWholeFileIntoUtf8)
{
  TXMLCardDocument document;
  document.LoadFromXml(Card("GB2312", "\xC9\xFA\xC8\xD5"));
  TXMLMovie movie = BindMovie(document);
  movie.SetMovieName("Grüße ☺"); // neither character is in GB2312
  const std::string expected = Card("UTF-8", "生日", "\n");
  EXPECT_EQ(document.SaveToXml(), WithName(expected, "Grüße ☺"));
  // From then on the file stays UTF-8, even without the stranger.
  movie.SetMovieName("x");
  EXPECT_EQ(document.SaveToXml(), expected);
}

TEST(LegacyCharset, UnknownSetsAndBadBytesAreRefusedWithTheirReason)
{
  TXMLCardDocument document;
  try {
    document.LoadFromXml(Card("x-martian", "a"), "card.grx");
    FAIL() << "an unknown set was read";
  } catch (const TXMLError& error) {
    EXPECT_NE(std::string(error.what()).find("\"card.grx\""), std::string::npos) << error.what();
    EXPECT_NE(std::string(error.what()).find("\"x-martian\""), std::string::npos) << error.what();
  }
  EXPECT_FALSE(document.Loaded());
  // A lead byte of GB2312 followed by the end of the element is no character.
  EXPECT_THROW(document.LoadFromXml(Card("GB2312", "\xC9<")), TXMLError);
}

TEST(LegacyCharset, DeclarationsTheParserReadsItselfAreLeftToIt)
{
  // Single quotes and spaces around '=' are a declaration too.
  TXMLCardDocument document;
  const std::string quoted = "<?xml version='1.0' encoding = 'windows-1251'?><Movie><Author>\xCF\xF0\xE8</Author></Movie>";
  document.LoadFromXml(quoted);
  EXPECT_EQ(BindMovie(document).Author(), "При");
  EXPECT_EQ(document.SaveToXml(), quoted);
  // A UTF-16 name on single-byte text is a mistake of its writer: the text is read as UTF-8.
  document.LoadFromXml(Card("UTF-16", "Grüße"));
  EXPECT_EQ(BindMovie(document).Author(), "Grüße");
  // A card with no declaration stays UTF-8.
  document.LoadFromXml("<Movie><Author>Grüße</Author></Movie>");
  EXPECT_EQ(BindMovie(document).Author(), "Grüße");
}
