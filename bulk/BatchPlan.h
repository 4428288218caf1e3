// What a run over a list will make: the fields the card uses, one planned card per row
// with its values and its file name, and the faults found before rendering.
#pragma once

#include <atomic>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "render/TextFields.h"

struct TBatchOptions {
  std::string CardFile;
  std::string ListFile;
  std::string OutputFolder;
  std::string Format = "swf";
  // File name of each card, with "{Name}" fields; empty: the list's first field.
  std::string NamePattern;
  int Jobs = 1;
  // Only the rows whose index (from 0) leaves ShardIndex when divided by ShardCount.
  int ShardIndex = 0;
  int ShardCount = 1;
  std::optional<std::uint32_t> Seed;
  std::string ProgramFolder;
  // Media only from the card's folder and the program's library (TCardRenderOptions).
  bool ConfineMedia = false;
  // Picture size of the video, animation and web formats: the stage times Scale, or Width
  // pixels wide with the stage's proportions.
  double Scale = 1;
  std::optional<int> Width;
  // Set (by a signal handler or another thread) to stop: the card being made is dropped
  // and no other is begun; the cards already made stay.
  const std::atomic<bool>* Stop = nullptr;

  bool Stopped() const { return Stop && Stop->load(std::memory_order_relaxed); }
};

struct TBatchRow {
  int Index = 0; // from 0, over the list's rows without blank lines
  int Row = 0;   // as a spreadsheet counts (the header is row 1)
  int Line = 0;  // of the list file
  TFieldValues Values;
  std::string FileName;           // safe and unique, with the format's extension
  std::string Error;              // a row that cannot be made
  std::vector<std::string> Notes; // told, but the card is made (a name changed)

  // "row 5" or "row 5 (line 7)" when a quoted line break moved the line.
  std::string Where() const;
};

// What holds for the whole list, found by one pass over it before any card is made.
struct TBatchPlan {
  std::vector<std::string> CardFields;
  std::vector<std::string> Header;
  std::vector<std::string> Warnings; // about the list as a whole
  std::vector<std::string> Notes;    // the same, where nothing is wrong (a column left unused)
  std::string NamePattern;           // the options' pattern, or the first column's field
  std::size_t RowCount = 0;          // rows of the list
  std::size_t ShardRowCount = 0;     // rows of the options' shard
};

// Reads the card and passes over the list (one record at a time). Throws
// std::runtime_error for what stops the whole run: a card or list that cannot be read, a
// list without rows, a field the card or the name uses that the list has no column for.
TBatchPlan PlanBatch(const TBatchOptions& options);

// The planned rows of a list as it is read again, each with its values, its fault and
// its file name, named as in a whole run whichever shard is made.
class TBatchRows {
public:
  // Throws std::runtime_error when the list cannot be read.
  TBatchRows(const TBatchOptions& options, const TBatchPlan& plan);
  ~TBatchRows();

  // The next row of the options' shard; false after the last.
  bool NextOfShard(TBatchRow& row);

private:
  bool Next(TBatchRow& row);

  struct TState;
  std::unique_ptr<TState> State;
  const TBatchOptions& Options;
  const TBatchPlan& Plan;
};

// A text of the list as a message shows it: cut to a few dozen characters.
std::string ShownValue(const std::string& text);