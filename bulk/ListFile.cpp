#include "bulk/ListFile.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <set>
#include <sstream>
#include <stdexcept>

#include "platform/InputFile.h"
#include "render/TextUnits.h"

namespace {

// Bytes of one record kept at most, all its fields together.
constexpr std::size_t MaxRecordBytes = 1u << 20;
// The first line of a file read for its separator, at most.
constexpr std::size_t SeparatorSampleBytes = 1u << 20;

// One record's cells as read, with the first fault met. Cells past `Keep` are counted, not
// kept.
struct TRawRecord {
  std::vector<std::string> Cells;
  std::size_t CellCount = 0;    // kept or not
  bool DroppedNonEmpty = false; // a cell past those kept held something
  std::string Error;
  int Line = 0;
};

bool IsWellFormedUtf8(std::string_view text)
{
  while (!text.empty()) {
    const std::size_t length = Utf8SequenceLength(text);
    if (length == 0) return false;
    text.remove_prefix(length);
  }
  return true;
}

std::string CellFault(const std::vector<std::string>& cells)
{
  for (const std::string& cell : cells) {
    if (cell.find('\0') != std::string::npos) return "a field holds a NUL character";
    if (!IsWellFormedUtf8(cell)) return "a field is not UTF-8 text";
  }
  return {};
}

bool IsBlank(const TRawRecord& record) { return record.CellCount == 1 && record.Cells.size() == 1 && record.Cells[0].empty(); }

std::string KiloBytes(std::size_t bytes) { return std::to_string(bytes >> 10) + " KB"; }

} // namespace

// Reads records from a stream buffer one character at a time (the buffer reads ahead).
class TListReader::TParser {
public:
  TParser(std::streambuf& text, char separator) : Text(text), Separator(separator) {}

  // Names of the fields, for messages about a field; null while the header is read.
  const std::vector<std::string>* FieldNames = nullptr;
  // Cells kept of a record; the others are counted.
  std::size_t Keep = MaxListFields + 1;

  bool AtEnd() { return Peek() == Eof; }

  void SkipByteOrderMark()
  {
    if (Peek() != 0xEF) return;
    Take();
    if (Peek() == 0xBB) {
      Take();
      if (Peek() == 0xBF) {
        Take();
        return;
      }
      Pending = "\xEF\xBB";
    } else {
      Pending = "\xEF";
    }
  }

  TRawRecord Next()
  {
    TRawRecord record;
    record.Line = Line;
    RecordBytes = 0;
    std::string cell;
    bool cellKept = true;
    const auto endCell = [&] {
      ++record.CellCount;
      if (record.Cells.size() < Keep) {
        record.Cells.push_back(std::move(cell));
      } else if (!cell.empty()) {
        record.DroppedNonEmpty = true;
      }
      cell.clear();
      cellKept = record.Cells.size() < Keep;
    };
    while (true) {
      const int c = Peek();
      if (c == Eof) {
        endCell();
        return record;
      }
      if (c == '"' && cell.empty() && !InCell) {
        ReadQuoted(cell, record, cellKept);
        InCell = true;
        continue;
      }
      if (c == Separator) {
        Take();
        endCell();
        InCell = false;
        Quoted = false;
        continue;
      }
      if (c == '\n' || c == '\r') {
        SkipLineBreak();
        endCell();
        InCell = false;
        return record;
      }
      if (InCell && Quoted) {
        if (record.Error.empty()) record.Error = "text after a closing quote";
      } else if (c == '"' && record.Error.empty()) {
        record.Error = "a quote inside a field that does not begin with one";
      }
      Append(cell, static_cast<char>(c), record, cellKept);
      InCell = true;
      Take();
    }
  }

  int Line = 1;

private:
  static constexpr int Eof = -1;

  int Peek()
  {
    if (!Pending.empty()) return static_cast<unsigned char>(Pending.front());
    const auto c = Text.sgetc();
    return c == std::char_traits<char>::eof() ? Eof : static_cast<unsigned char>(c);
  }

  void Take()
  {
    if (!Pending.empty()) {
      Pending.erase(0, 1);
      return;
    }
    Text.sbumpc();
  }

  // Keeps the character unless the cell or the record has reached its limit; a value that
  // passes it is refused by its field's name, never shown.
  void Append(std::string& cell, char c, TRawRecord& record, bool cellKept)
  {
    if (!cellKept) {
      if (!record.DroppedNonEmpty) record.DroppedNonEmpty = true;
      return;
    }
    if (cell.size() >= MaxValueBytes) {
      if (record.Error.empty()) record.Error = TooLong(record.Cells.size());
      return;
    }
    if (RecordBytes >= MaxRecordBytes) {
      if (record.Error.empty()) record.Error = "the row holds more than " + KiloBytes(MaxRecordBytes);
      return;
    }
    cell += c;
    ++RecordBytes;
  }

  std::string TooLong(std::size_t field) const
  {
    std::string name = "field " + std::to_string(field + 1);
    if (FieldNames && field < FieldNames->size() && !(*FieldNames)[field].empty())
      name = "the field \"" + (*FieldNames)[field] + "\"";
    return "the value of " + name + " is longer than " + KiloBytes(MaxValueBytes) + ", the most a value may hold";
  }

  void SkipLineBreak()
  {
    const int c = Peek();
    Take();
    if (c == '\r' && Peek() == '\n') Take();
    ++Line;
    Quoted = false;
  }

  // From an opening quote to its closing quote; a doubled quote inside writes one.
  void ReadQuoted(std::string& cell, TRawRecord& record, bool cellKept)
  {
    const int startLine = Line;
    Take();
    while (true) {
      const int c = Peek();
      if (c == Eof) break;
      Take();
      if (c == '"') {
        if (Peek() == '"') {
          Take();
          Append(cell, '"', record, cellKept);
          continue;
        }
        Quoted = true;
        return;
      }
      if (c == '\n' || (c == '\r' && Peek() != '\n')) ++Line;
      Append(cell, static_cast<char>(c), record, cellKept);
    }
    if (record.Error.empty())
      record.Error = "a quote opened on line " + std::to_string(startLine) + " is never closed";
    Quoted = true;
  }

  std::streambuf& Text;
  char Separator;
  std::string Pending; // bytes taken back after a partial byte order mark
  std::size_t RecordBytes = 0;
  bool InCell = false; // the current cell has begun
  bool Quoted = false; // the current cell was quoted and its quote is closed
};

char ListSeparator(const std::string& fileName, std::string_view text)
{
  std::string extension = fileName.size() >= 4 ? fileName.substr(fileName.size() - 4) : "";
  std::transform(extension.begin(), extension.end(), extension.begin(), [](unsigned char c) { return std::tolower(c); });
  if (extension == ".tsv" || extension == ".tab") return '\t';
  std::size_t tabs = 0, commas = 0;
  bool quoted = false;
  for (char c : text) {
    if (c == '"') quoted = !quoted;
    if (quoted) continue;
    if (c == '\n' || c == '\r') break;
    if (c == '\t') ++tabs;
    if (c == ',') ++commas;
  }
  return tabs > commas ? '\t' : ',';
}

TListReader::TListReader(const std::string& fileName) : FFileName(fileName)
{
  files::RefuseNonRegularFile(fileName);
  auto file = std::make_unique<std::ifstream>(fileName, std::ios::binary);
  if (!*file) throw std::runtime_error("cannot open list \"" + fileName + "\"");
  std::string sample(SeparatorSampleBytes, '\0');
  file->read(sample.data(), static_cast<std::streamsize>(sample.size()));
  sample.resize(static_cast<std::size_t>(file->gcount()));
  if (file->bad()) throw std::runtime_error("cannot read list \"" + fileName + "\"");
  file->clear();
  file->seekg(0);
  if (sample.substr(0, 3) == "\xEF\xBB\xBF") sample.erase(0, 3);
  FOwnStream = std::move(file);
  FParser = std::make_unique<TParser>(*FOwnStream->rdbuf(), ListSeparator(fileName, sample));
  try {
    ReadHeader();
  } catch (const std::exception& error) {
    throw std::runtime_error("list \"" + fileName + "\": " + error.what());
  }
}

TListReader::TListReader(std::istream& text, char separator)
    : FParser(std::make_unique<TParser>(*text.rdbuf(), separator))
{
  ReadHeader();
}

TListReader::~TListReader() = default;

void TListReader::ReadHeader()
{
  FParser->SkipByteOrderMark();
  while (!FParser->AtEnd()) {
    TRawRecord raw = FParser->Next();
    ++FRow;
    if (IsBlank(raw)) continue;
    if (raw.CellCount > MaxListFields)
      throw std::runtime_error("the header names more than " + std::to_string(MaxListFields) + " fields");
    if (raw.Error.empty()) raw.Error = CellFault(raw.Cells);
    if (!raw.Error.empty()) throw std::runtime_error("the header row is malformed: " + raw.Error);
    std::set<std::string> seen;
    for (const std::string& name : raw.Cells)
      if (!name.empty() && !seen.insert(name).second)
        throw std::runtime_error("the header names the field \"" + name + "\" twice");
    FHeader = std::move(raw.Cells);
    FParser->FieldNames = &FHeader;
    // Empty cells past the header's end are the trailing separators some programs write;
    // a few are kept, the rest only counted.
    FParser->Keep = FHeader.size() + 16;
    return;
  }
  throw std::runtime_error("the list is empty: a header row of field names is needed");
}

bool TListReader::Next(TListRecord& record)
{
  while (!FParser->AtEnd()) {
    TRawRecord raw = FParser->Next();
    ++FRow;
    if (IsBlank(raw)) continue;
    if (raw.Error.empty()) raw.Error = CellFault(raw.Cells);
    record.Row = FRow;
    record.Line = raw.Line;
    record.Cells = std::move(raw.Cells);
    record.Error = std::move(raw.Error);
    const auto extra = std::find_if(record.Cells.begin() + std::min(record.Cells.size(), FHeader.size()),
                                    record.Cells.end(), [](const std::string& cell) { return !cell.empty(); });
    if (record.Error.empty() && (extra != record.Cells.end() || raw.DroppedNonEmpty))
      record.Error = std::to_string(raw.CellCount) + " fields where the header names " + std::to_string(FHeader.size());
    return true;
  }
  return false;
}

TListTable ParseList(std::string_view text, char separator)
{
  std::istringstream stream{std::string(text)};
  TListReader reader(stream, separator);
  TListTable table;
  table.Header = reader.Header();
  TListRecord record;
  while (reader.Next(record)) table.Records.push_back(record);
  table.RecordCount = table.Records.size();
  return table;
}

TListTable ReadListFile(const std::string& fileName, std::size_t keepRecords)
{
  TListReader reader(fileName);
  TListTable table;
  table.Header = reader.Header();
  TListRecord record;
  while (reader.Next(record)) {
    if (table.Records.size() < keepRecords) table.Records.push_back(record);
    ++table.RecordCount;
  }
  return table;
}
