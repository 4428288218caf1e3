// Lists of recipients (CSV and TSV) and the file names made from them.
#include <gtest/gtest.h>

#include <stdexcept>

#include "tools/CardFiles.h"
#include "bulk/ListFile.h"
#include "bulk/OutputNames.h"

namespace {

using TCells = std::vector<std::string>;

TCells CellsOf(const TListTable& table, std::size_t record) { return table.Records.at(record).Cells; }

} // namespace

TEST(ListFile, QuotedFieldsHoldSeparatorsQuotesAndLineBreaks)
{
  const TListTable table = ParseList("\xEF\xBB\xBFName,Note\r\n"
                                     "\"Smith, Anna\",\"She said \"\"hi\"\"\"\r\n"
                                     "Bo,\"two\r\nlines\"\r\n"
                                     "\r\n"
                                     "\"\",last\n"
                                     "Eve,no line break at the end",
                                     ',');
  EXPECT_EQ(table.Header, (TCells{"Name", "Note"})); // the byte order mark is not part of the name
  ASSERT_EQ(table.Records.size(), 4u);                // the blank line is left out
  EXPECT_EQ(CellsOf(table, 0), (TCells{"Smith, Anna", "She said \"hi\""}));
  EXPECT_EQ(CellsOf(table, 1), (TCells{"Bo", "two\r\nlines"}));
  EXPECT_EQ(CellsOf(table, 2), (TCells{"", "last"}));
  EXPECT_EQ(CellsOf(table, 3), (TCells{"Eve", "no line break at the end"}));
  // Rows as a spreadsheet counts them; lines of the file where each begins.
  EXPECT_EQ(table.Records[1].Row, 3);
  EXPECT_EQ(table.Records[1].Line, 3);
  EXPECT_EQ(table.Records[2].Row, 5);
  EXPECT_EQ(table.Records[2].Line, 6);
  for (const TListRecord& record : table.Records) EXPECT_EQ(record.Error, "");
}

TEST(ListFile, MalformedRecordsAreKeptWithTheirFaultAndTheRestIsRead)
{
  const TListTable table = ParseList("Name,City\n"
                                     "Ann,Oslo\n"
                                     "\"Bob\"x,Rome\n"
                                     "Ca\"rl,Lima\n"
                                     "Dan,Kyiv,extra\n"
                                     "Eva,Bern,,\n"
                                     "Fay\n"
                                     "G\xC3,Nice\n"
                                     "Hal,\"open\n"
                                     "Ivy,Riga\n",
                                     ',');
  ASSERT_EQ(table.Records.size(), 8u);
  EXPECT_EQ(table.Records[0].Error, "");
  EXPECT_NE(table.Records[1].Error.find("after a closing quote"), std::string::npos);
  EXPECT_NE(table.Records[2].Error.find("quote inside"), std::string::npos);
  EXPECT_NE(table.Records[3].Error.find("3 fields"), std::string::npos);
  EXPECT_EQ(table.Records[4].Error, ""); // trailing empty cells are only separators
  EXPECT_EQ(table.Records[5].Error, ""); // a short row: the plan decides what is missing
  EXPECT_EQ(CellsOf(table, 5), (TCells{"Fay"}));
  EXPECT_NE(table.Records[6].Error.find("UTF-8"), std::string::npos);
  // An unclosed quote swallows the rest of the file, and says where it began.
  EXPECT_NE(table.Records[7].Error.find("line 9"), std::string::npos);
  EXPECT_EQ(table.Records[7].Row, 9);
}

TEST(ListFile, HeaderFaultsStopTheWholeList)
{
  EXPECT_THROW(ParseList("", ','), std::runtime_error);
  EXPECT_THROW(ParseList("\xEF\xBB\xBF\n\n", ','), std::runtime_error);
  EXPECT_THROW(ParseList("Name,Name\nA,B\n", ','), std::runtime_error);
  EXPECT_THROW(ParseList("\"Name,City\nA,B\n", ','), std::runtime_error);
  // A header alone is a list without rows, not a fault of the reader.
  EXPECT_TRUE(ParseList("Name\n", ',').Records.empty());
}

TEST(ListFile, TabsOrCommasByExtensionOrFirstLine)
{
  EXPECT_EQ(ListSeparator("people.tsv", "a,b,c"), '\t');
  EXPECT_EQ(ListSeparator("PEOPLE.TAB", "a,b"), '\t');
  EXPECT_EQ(ListSeparator("people.csv", "Name\tNote\n"), '\t');
  EXPECT_EQ(ListSeparator("people.txt", "\"a\tb\",c\n"), ','); // tabs in quotes do not count
  EXPECT_EQ(ListSeparator("people.csv", "Name\n"), ',');

  TScratch scratch;
  WriteAll(scratch.File("list.tsv"), "Name\tNote\n\"Ann, Jr.\"\tsays \"hi\"\n");
  const TListTable table = ReadListFile(scratch.File("list.tsv"));
  EXPECT_EQ(CellsOf(table, 0), (TCells{"Ann, Jr.", "says \"hi\""}));
  try {
    ReadListFile(scratch.File("missing.csv"));
    FAIL();
  } catch (const std::runtime_error& error) {
    EXPECT_NE(std::string(error.what()).find("missing.csv"), std::string::npos);
  }
}

// A value past the limit fails its row by the field's name, is never kept or shown whole,
// and the rows after it are read as usual; so are rows with a great many empty cells.
TEST(ListFile, OverlongValuesAndRowsAreRefusedWithoutBeingKept)
{
  const std::string huge(MaxValueBytes + 1, 'x');
  std::string text = "Name,City\n" + huge + ",Oslo\n\"" + huge + "\",Rome\nAnn," + huge + "\nBob,Bern\nCy,Lima" +
                     std::string(100000, ',') + "\nDi,Kyiv" + std::string(100000, ',') + "x\n";
  const TListTable table = ParseList(text, ',');
  ASSERT_EQ(table.Records.size(), 6u);
  for (std::size_t i : {0u, 1u}) {
    EXPECT_NE(table.Records[i].Error.find("the field \"Name\" is longer than 64 KB"), std::string::npos)
        << table.Records[i].Error;
    EXPECT_EQ(CellsOf(table, i).at(0).size(), MaxValueBytes); // cut, not kept whole
  }
  EXPECT_NE(table.Records[2].Error.find("the field \"City\""), std::string::npos);
  EXPECT_EQ(table.Records[3].Error, "");
  EXPECT_EQ(CellsOf(table, 3), (TCells{"Bob", "Bern"}));
  EXPECT_EQ(table.Records[4].Error, ""); // empty cells after the header's end are separators
  EXPECT_LT(CellsOf(table, 4).size(), 100u);
  EXPECT_NE(table.Records[5].Error.find("100002 fields"), std::string::npos) << table.Records[5].Error;
  for (const TListRecord& record : table.Records) EXPECT_LT(record.Error.size(), 200u);

  EXPECT_THROW(ParseList(std::string(MaxListFields + 1, ',') + "\nA\n", ','), std::runtime_error);
}

// The list is read one record at a time: a file with many rows keeps only those asked for,
// and counts them all.
TEST(ListFile, ReadingALongListKeepsOnlyTheRowsAskedFor)
{
  TScratch scratch;
  std::string text = "\xEF\xBB\xBFName\tCity\n";
  for (int i = 0; i < 20000; ++i) text += "P" + std::to_string(i) + "\t\"T\n" + std::to_string(i) + "\"\n";
  WriteAll(scratch.File("list.txt"), text);
  const TListTable table = ReadListFile(scratch.File("list.txt"), 3);
  EXPECT_EQ(table.Header, (TCells{"Name", "City"}));
  EXPECT_EQ(table.RecordCount, 20000u);
  ASSERT_EQ(table.Records.size(), 3u);
  EXPECT_EQ(CellsOf(table, 2), (TCells{"P2", "T\n2"}));
  EXPECT_EQ(table.Records[2].Row, 4);
  EXPECT_EQ(table.Records[2].Line, 6);

  TListReader reader(scratch.File("list.txt"));
  TListRecord record;
  int last = 0;
  while (reader.Next(record)) last = record.Row;
  EXPECT_EQ(last, 20001);
}

TEST(OutputNames, UnsafeTextBecomesOneHarmlessName)
{
  EXPECT_EQ(SafeFileName("Anna"), "Anna");
  EXPECT_EQ(SafeFileName("../../etc/passwd"), "_._etc_passwd");
  EXPECT_EQ(SafeFileName("a..b...c"), "a.b.c");
  EXPECT_EQ(SafeFileName(".."), "");
  EXPECT_EQ(SafeFileName(" . "), "");
  EXPECT_EQ(SafeFileName(".hidden"), "hidden");
  EXPECT_EQ(SafeFileName("a\\b/c:d*e?f\"g<h>i|j"), "a_b_c_d_e_f_g_h_i_j");
  EXPECT_EQ(SafeFileName("line\nbreak\ttab\x7F\x01"), "linebreaktab");
  EXPECT_EQ(SafeFileName("trailing. . "), "trailing");
  EXPECT_EQ(SafeFileName("con"), "_con");
  EXPECT_EQ(SafeFileName("LPT3"), "_LPT3");
  EXPECT_EQ(SafeFileName("李小龍 שלום"), "李小龍 שלום");
  // Long names are cut between characters ("龍" is three bytes).
  std::string longName(100, 'x');
  for (int i = 0; i < 100; ++i) longName += "龍";
  const std::string cut = SafeFileName(longName);
  EXPECT_EQ(cut.size(), 100u + 3 * 33);
  EXPECT_EQ(cut.substr(0, 100), std::string(100, 'x'));
}

TEST(OutputNames, RepeatsAreNumberedInOrderWhateverTheirCase)
{
  EXPECT_EQ(UniqueNames({"Anna", "Bo", "anna", "Anna", "Anna-2", "ANNA"}),
            (std::vector<std::string>{"Anna", "Bo", "anna-2", "Anna-3", "Anna-2-2", "ANNA-4"}));
}
