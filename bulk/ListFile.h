// Lists of recipients: CSV or TSV text with a header row of field names. Quoted fields may
// hold separators, line breaks and doubled quotes; a UTF-8 byte order mark is skipped. A
// malformed record is kept with its error, so the records after it are still read.
#pragma once

#include <cstddef>
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
  std::vector<TListRecord> Records; // blank lines left out
};

inline constexpr std::size_t MaxListFileBytes = 256u << 20;

// Parses list text with the given separator (',' or '\t'). Throws std::runtime_error when
// there is no header row or the header is malformed or names a field twice.
TListTable ParseList(std::string_view text, char separator);

// The separator of a list: a tab for ".tsv" and ".tab" files, otherwise whichever of tab
// and comma the first line holds more of outside quotes (comma on a tie).
char ListSeparator(const std::string& fileName, std::string_view text);

// Reads and parses a list file. Throws std::runtime_error with the file's name for a file
// that cannot be read, is larger than MaxListFileBytes or has no usable header.
TListTable ReadListFile(const std::string& fileName);
