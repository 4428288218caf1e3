// Making the cards of a planned list: each row rendered from one opened card and written
// into the output folder, on one or more worker processes. A row whose card already exists
// whole is skipped, so a run that was stopped can simply be started again.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "bulk/BatchFormats.h"
#include "bulk/BatchPlan.h"

// Stopped: not made because the run was asked to stop.
enum class TRowOutcome { Made, Skipped, Failed, Stopped };

struct TRowReport {
  int Index = 0; // the row's index in the list
  TRowOutcome Outcome = TRowOutcome::Failed;
  std::string Message; // why it failed; empty otherwise
  std::string Where;   // "row 5", as TBatchRow tells it
  std::string FileName;
  std::vector<std::string> Notes; // the row's notes (a name changed)
  TFieldValues Values;            // the row's values (kept while the row is being made)
};

// Makes the rows of the options' shard as the list is read again (on forked workers when
// there are several jobs and this process has no other thread, each given one row at a
// time), so the memory taken does not grow with the list. The video, animation and web
// formats go through the export of movies. Reports every row once, in the calling process,
// as it finishes; warnings of the render (a picture that cannot be used) go to `warn`, each
// once per worker. A row with an object left out of its card fails. Once a card cannot be
// written for a full disk, no other is begun: the rows left are reported as stopped.
// Throws std::runtime_error when nothing can start (an output folder that cannot be made,
// a format that cannot be made).
void RunBatch(const TBatchOptions& options, const TBatchPlan& plan, const std::function<void(const TRowReport&)>& report,
              const std::function<void(const std::string&)>& warn);
