#include "bulk/ListFile.h"

#include <algorithm>
#include <fstream>
#include <set>
#include <stdexcept>

#include "platform/InputFile.h"
#include "render/TextUnits.h"

namespace {

// One record's cells as read, with the first fault met.
struct TRawRecord {
  std::vector<std::string> Cells;
  std::string Error;
  int Line = 0;
};

class TListParser {
public:
  TListParser(std::string_view text, char separator) : Text(text), Separator(separator) {}

  bool AtEnd() const { return Pos >= Text.size(); }

  TRawRecord Next()
  {
    TRawRecord record;
    record.Line = Line;
    std::string cell;
    while (true) {
      if (AtEnd()) {
        record.Cells.push_back(std::move(cell));
        return record;
      }
      const char c = Text[Pos];
      if (c == '"' && cell.empty() && !InCell) {
        ReadQuoted(cell, record);
        InCell = true;
        continue;
      }
      if (c == Separator) {
        ++Pos;
        record.Cells.push_back(std::move(cell));
        cell.clear();
        InCell = false;
        Quoted = false;
        continue;
      }
      if (c == '\n' || c == '\r') {
        SkipLineBreak();
        record.Cells.push_back(std::move(cell));
        InCell = false;
        return record;
      }
      if (InCell && Quoted) {
        if (record.Error.empty()) record.Error = "text after a closing quote";
      } else if (c == '"' && record.Error.empty()) {
        record.Error = "a quote inside a field that does not begin with one";
      }
      cell += c;
      InCell = true;
      ++Pos;
    }
  }

private:
  void SkipLineBreak()
  {
    if (Text[Pos] == '\r' && Pos + 1 < Text.size() && Text[Pos + 1] == '\n') ++Pos;
    ++Pos;
    ++Line;
    Quoted = false;
  }

  // From an opening quote to its closing quote; a doubled quote inside writes one.
  void ReadQuoted(std::string& cell, TRawRecord& record)
  {
    const int startLine = Line;
    ++Pos;
    while (Pos < Text.size()) {
      const char c = Text[Pos];
      if (c == '"') {
        if (Pos + 1 < Text.size() && Text[Pos + 1] == '"') {
          cell += '"';
          Pos += 2;
          continue;
        }
        ++Pos;
        Quoted = true;
        return;
      }
      if (c == '\n' || (c == '\r' && !(Pos + 1 < Text.size() && Text[Pos + 1] == '\n'))) ++Line;
      cell += c;
      ++Pos;
    }
    if (record.Error.empty()) record.Error = "a quote opened on line " + std::to_string(startLine) + " is never closed";
    Quoted = true;
  }

  std::string_view Text;
  char Separator;
  std::size_t Pos = 0;
  int Line = 1;
  bool InCell = false; // the current cell has begun
  bool Quoted = false; // the current cell was quoted and its quote is closed
};

bool IsBlank(const TRawRecord& record) { return record.Cells.size() == 1 && record.Cells[0].empty(); }

// Splitting replaces every broken sequence, so a text that comes back whole was UTF-8.
bool IsWellFormedUtf8(std::string_view text)
{
  std::string whole;
  for (const std::string& character : SplitCharacters(text)) whole += character;
  return whole == text;
}

std::string CellFault(const std::vector<std::string>& cells)
{
  for (const std::string& cell : cells) {
    if (cell.find('\0') != std::string::npos) return "a field holds a NUL character";
    if (!IsWellFormedUtf8(cell)) return "a field is not UTF-8 text";
  }
  return {};
}

} // namespace

TListTable ParseList(std::string_view text, char separator)
{
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  TListParser parser(text, separator);
  TListTable table;
  int row = 0;
  bool haveHeader = false;
  while (!parser.AtEnd()) {
    TRawRecord raw = parser.Next();
    ++row;
    if (IsBlank(raw)) continue;
    if (raw.Error.empty()) raw.Error = CellFault(raw.Cells);
    if (!haveHeader) {
      if (!raw.Error.empty()) throw std::runtime_error("the header row is malformed: " + raw.Error);
      std::set<std::string> seen;
      for (const std::string& name : raw.Cells)
        if (!name.empty() && !seen.insert(name).second)
          throw std::runtime_error("the header names the field \"" + name + "\" twice");
      table.Header = std::move(raw.Cells);
      haveHeader = true;
      continue;
    }
    TListRecord record;
    record.Row = row;
    record.Line = raw.Line;
    record.Cells = std::move(raw.Cells);
    record.Error = std::move(raw.Error);
    // Empty cells past the header's end are the trailing separators some programs write.
    const auto extra = std::find_if(record.Cells.begin() + std::min(record.Cells.size(), table.Header.size()),
                                    record.Cells.end(), [](const std::string& cell) { return !cell.empty(); });
    if (record.Error.empty() && extra != record.Cells.end())
      record.Error = std::to_string(record.Cells.size()) + " fields where the header names " +
                     std::to_string(table.Header.size());
    table.Records.push_back(std::move(record));
  }
  if (!haveHeader) throw std::runtime_error("the list is empty: a header row of field names is needed");
  return table;
}

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

TListTable ReadListFile(const std::string& fileName)
{
  files::RefuseNonRegularFile(fileName);
  std::ifstream file(fileName, std::ios::binary);
  if (!file) throw std::runtime_error("cannot open list \"" + fileName + "\"");
  file.seekg(0, std::ios::end);
  const std::streamoff size = file.tellg();
  if (size < 0) throw std::runtime_error("cannot read list \"" + fileName + "\"");
  if (static_cast<std::size_t>(size) > MaxListFileBytes)
    throw std::runtime_error("list \"" + fileName + "\" is larger than " + std::to_string(MaxListFileBytes >> 20) + " MB");
  std::string text(static_cast<std::size_t>(size), '\0');
  file.seekg(0);
  if (!file.read(text.data(), size)) throw std::runtime_error("cannot read list \"" + fileName + "\"");
  try {
    return ParseList(text, ListSeparator(fileName, text));
  } catch (const std::exception& error) {
    throw std::runtime_error("list \"" + fileName + "\": " + error.what());
  }
}
