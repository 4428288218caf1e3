// Lists of recipients: CSV or TSV text with a header row of field names. Quoted fields may
// hold separators, line breaks and doubled quotes; a UTF-8 byte order mark is skipped. A
// malformed record is kept with its error, so the records after it are still read. Lists
// are read as a stream, one record at a time, so a list of any length takes the memory of
// one record; a record never takes more than the limits below.
#pragma once

#include <cstddef>
#include <istream>
#include <limits>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct TListRecord {
  int Row = 0;  // as a spreadsheet counts: the header is row 1
  int Line = 0; // line of the file where the record begins, from 1
  std::vector<std::string> Cells;
  std::string Error; // empty when the record is well formed
};

struct TListTable {
  std::vector<std::string> Header;
  std::vector<TListRecord> Records; // blank lines left out; at most the records asked for
  std::size_t RecordCount = 0;      // records of the whole list
};

// A value longer than this is refused (the row fails; the value is never kept whole).
inline constexpr std::size_t MaxValueBytes = 64u << 10;
// Fields a header may name.
inline constexpr std::size_t MaxListFields = 1024;

// The separator of a list: a tab for ".tsv" and ".tab" files, otherwise whichever of tab
// and comma the first line holds more of outside quotes (comma on a tie).
char ListSeparator(const std::string& fileName, std::string_view text);

// Reads a list record by record. The header is read on opening.
class TListReader {
public:
  // Reads the list file (a plain file only). Throws std::runtime_error with the file's name
  // for a file that cannot be read or has no usable header.
  explicit TListReader(const std::string& fileName);
  // Reads list text from a stream with the given separator (',' or '\t'). Throws
  // std::runtime_error when there is no header row or the header is malformed or names a
  // field twice.
  TListReader(std::istream& text, char separator);
  ~TListReader();
  TListReader(const TListReader&) = delete;
  TListReader& operator=(const TListReader&) = delete;

  const std::vector<std::string>& Header() const { return FHeader; }
  // The next record (blank lines skipped); false at the end of the list.
  bool Next(TListRecord& record);

private:
  void ReadHeader();

  class TParser;
  std::unique_ptr<std::istream> FOwnStream;
  std::unique_ptr<TParser> FParser;
  std::vector<std::string> FHeader;
  std::string FFileName; // for messages; empty for a stream
  int FRow = 0;
};

// Parses list text; see TListReader.
TListTable ParseList(std::string_view text, char separator);

// Reads a list file, keeping its first `keepRecords` records and counting all of them.
TListTable ReadListFile(const std::string& fileName, std::size_t keepRecords = std::numeric_limits<std::size_t>::max());
