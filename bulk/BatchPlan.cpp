#include "bulk/BatchPlan.h"

#include <algorithm>
#include <stdexcept>

#include "card/CardFields.h"
#include "document/XMLUnit.h"
#include "bulk/ListFile.h"
#include "bulk/OutputNames.h"

namespace {

// Characters of a value shown in a message at most.
constexpr std::size_t ShownCharacters = 40;

std::vector<std::string> ReadCardFields(const std::string& cardFile)
{
  try {
    TXMLCardDocument document(cardFile);
    return CardFieldNames(BindMovie(document));
  } catch (const std::exception& error) {
    throw std::runtime_error("card \"" + cardFile + "\": " + error.what());
  }
}

bool Contains(const std::vector<std::string>& names, const std::string& name)
{
  return std::find(names.begin(), names.end(), name) != names.end();
}

std::string Quoted(const std::string& text) { return "\"" + ShownValue(text) + "\""; }

bool InShard(std::size_t index, const TBatchOptions& options)
{
  return options.ShardCount <= 1 || static_cast<int>(index % static_cast<std::size_t>(options.ShardCount)) == options.ShardIndex;
}

} // namespace

std::string ShownValue(const std::string& text)
{
  std::size_t characters = 0, end = 0;
  for (; end < text.size(); ++end) {
    const bool starts = (static_cast<unsigned char>(text[end]) & 0xC0) != 0x80;
    if (starts && ++characters > ShownCharacters) break;
  }
  if (end >= text.size()) return text;
  return text.substr(0, end) + "\xE2\x80\xA6 (" + std::to_string(text.size()) + " bytes)";
}

std::string TBatchRow::Where() const
{
  std::string where = "row " + std::to_string(Row);
  if (Line != Row) where += " (line " + std::to_string(Line) + ")";
  return where;
}

TBatchPlan PlanBatch(const TBatchOptions& options)
{
  TBatchPlan plan;
  plan.CardFields = ReadCardFields(options.CardFile);
  TListReader list(options.ListFile);
  plan.Header = list.Header();

  plan.NamePattern = options.NamePattern;
  if (plan.NamePattern.empty()) plan.NamePattern = plan.Header.front().empty() ? "card" : "{" + plan.Header.front() + "}";
  const std::vector<std::string> nameFields = FieldNames(plan.NamePattern);
  const auto requireColumns = [&](const std::vector<std::string>& fields, const char* user) {
    for (const std::string& field : fields)
      if (!Contains(plan.Header, field))
        throw std::runtime_error("list \"" + options.ListFile + "\" has no column " + Quoted(field) + ", which the " +
                                 user + " uses");
  };
  requireColumns(plan.CardFields, "card");
  requireColumns(nameFields, "name");
  for (const std::string& column : plan.Header) {
    if (!column.empty() && !Contains(plan.CardFields, column) && !Contains(nameFields, column))
      plan.Notes.push_back("column " + Quoted(column) + " is not used by the card");
  }

  TListRecord record;
  while (list.Next(record)) {
    if (InShard(plan.RowCount, options)) ++plan.ShardRowCount;
    ++plan.RowCount;
  }
  if (plan.RowCount == 0) throw std::runtime_error("list \"" + options.ListFile + "\" has no rows below its header");
  return plan;
}

struct TBatchRows::TState {
  explicit TState(const std::string& listFile) : List(listFile) {}
  TListReader List;
  TUniqueNames Names;
  TListRecord Record;
  std::size_t Index = 0;
};

TBatchRows::TBatchRows(const TBatchOptions& options, const TBatchPlan& plan)
    : State(std::make_unique<TState>(options.ListFile)), Options(options), Plan(plan)
{
}

TBatchRows::~TBatchRows() = default;

bool TBatchRows::NextOfShard(TBatchRow& row)
{
  while (Next(row))
    if (InShard(static_cast<std::size_t>(row.Index), Options)) return true;
  return false;
}

bool TBatchRows::Next(TBatchRow& row)
{
  TListRecord& record = State->Record;
  if (!State->List.Next(record)) return false;
  const std::vector<std::string>& header = Plan.Header;
  row = TBatchRow();
  row.Index = static_cast<int>(State->Index++);
  row.Row = record.Row;
  row.Line = record.Line;
  row.Error = std::move(record.Error);
  for (std::size_t c = 0; c < header.size() && c < record.Cells.size(); ++c)
    if (!header[c].empty()) row.Values[header[c]] = std::move(record.Cells[c]);
  if (row.Error.empty()) {
    for (const std::string& field : Plan.CardFields)
      if (!row.Values.count(field)) {
        row.Error = "no value for the field " + Quoted(field);
        break;
      }
  }
  // Every row takes its name, failed ones too, so fixing a row never renames another.
  const std::string wanted = FillFields(Plan.NamePattern, row.Values);
  std::string name = SafeFileName(wanted);
  if (name.empty()) name = "row-" + std::to_string(row.Row);
  if (name != wanted) row.Notes.push_back("the name " + Quoted(wanted) + " is not a safe file name");
  const std::string unique = State->Names.Take(name);
  if (unique != name) row.Notes.push_back("the name " + Quoted(name) + " is taken by an earlier row");
  row.FileName = unique + "." + Options.Format;
  // A row of another shard only takes its name.
  if (!InShard(static_cast<std::size_t>(row.Index), Options)) row.Values.clear();
  return true;
}
