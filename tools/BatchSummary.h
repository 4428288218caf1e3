// The sentence that closes a run over a list: "5 cards made in 4.6 s; 1 row's text runs
// off the stage".
#pragma once

#include <string>

struct TBatchCounts {
  int Made = 0;
  int Skipped = 0;  // already there from an earlier run
  int Failed = 0;
  int Stopped = 0;  // not made because the run was stopped
  int OffStage = 0; // rows whose filled text runs off the stage
};

std::string BatchSummary(const TBatchCounts& counts, double seconds);
