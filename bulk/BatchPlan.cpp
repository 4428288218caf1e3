#include "bulk/BatchPlan.h"

#include <algorithm>
#include <stdexcept>

#include "card/CardFields.h"
#include "document/XMLUnit.h"
#include "bulk/ListFile.h"
#include "bulk/OutputNames.h"

namespace {

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

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

} // namespace

std::string TBatchRow::Where() const
{
  std::string where = "row " + std::to_string(Row);
  if (Line != Row) where += " (line " + std::to_string(Line) + ")";
  return where;
}

std::vector<const TBatchRow*> TBatchPlan::ShardRows(int index, int count) const
{
  std::vector<const TBatchRow*> rows;
  for (const TBatchRow& row : Rows)
    if (count <= 1 || row.Index % count == index) rows.push_back(&row);
  return rows;
}

TBatchPlan PlanBatch(const TBatchOptions& options)
{
  TBatchPlan plan;
  plan.CardFields = ReadCardFields(options.CardFile);
  TListTable list = ReadListFile(options.ListFile);
  plan.Header = list.Header;
  if (list.Records.empty()) throw std::runtime_error("list \"" + options.ListFile + "\" has no rows below its header");

  std::string pattern = options.NamePattern;
  if (pattern.empty()) pattern = list.Header.front().empty() ? "card" : "{" + list.Header.front() + "}";
  const std::vector<std::string> nameFields = FieldNames(pattern);
  const auto requireColumns = [&](const std::vector<std::string>& fields, const char* user) {
    for (const std::string& field : fields)
      if (!Contains(list.Header, field))
        throw std::runtime_error("list \"" + options.ListFile + "\" has no column " + Quoted(field) + ", which the " +
                                 user + " uses");
  };
  requireColumns(plan.CardFields, "card");
  requireColumns(nameFields, "name");
  for (const std::string& column : list.Header) {
    if (!column.empty() && !Contains(plan.CardFields, column) && !Contains(nameFields, column))
      plan.Notes.push_back("column " + Quoted(column) + " is not used by the card");
  }

  const std::string extension = "." + options.Format;
  std::vector<std::string> names;
  for (std::size_t i = 0; i < list.Records.size(); ++i) {
    TListRecord& record = list.Records[i];
    TBatchRow row;
    row.Index = static_cast<int>(i);
    row.Row = record.Row;
    row.Line = record.Line;
    row.Error = record.Error;
    for (std::size_t c = 0; c < list.Header.size() && c < record.Cells.size(); ++c)
      if (!list.Header[c].empty()) row.Values[list.Header[c]] = std::move(record.Cells[c]);
    if (row.Error.empty()) {
      for (const std::string& field : plan.CardFields)
        if (!row.Values.count(field)) {
          row.Error = "no value for the field " + Quoted(field);
          break;
        }
    }
    const std::string wanted = FillFields(pattern, row.Values);
    std::string name = SafeFileName(wanted);
    if (name.empty()) name = "row-" + std::to_string(row.Row);
    if (name != wanted) row.Notes.push_back("the name " + Quoted(wanted) + " is not a safe file name");
    names.push_back(name);
    plan.Rows.push_back(std::move(row));
  }
  // Every row takes its name, failed ones too, so fixing a row never renames another.
  const std::vector<std::string> unique = UniqueNames(names);
  for (std::size_t i = 0; i < plan.Rows.size(); ++i) {
    if (unique[i] != names[i]) plan.Rows[i].Notes.push_back("the name " + Quoted(names[i]) + " is taken by an earlier row");
    plan.Rows[i].FileName = unique[i] + extension;
  }
  return plan;
}
