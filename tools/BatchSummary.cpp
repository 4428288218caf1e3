#include "tools/BatchSummary.h"

#include <cstdio>

namespace {

std::string Count(int count, const char* one, const char* many)
{
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

} // namespace

std::string BatchSummary(const TBatchCounts& counts, double seconds)
{
  std::string text = Count(counts.Made, "card", "cards") + " made";
  if (counts.Skipped > 0) text += ", " + std::to_string(counts.Skipped) + " already there";
  if (counts.Failed > 0) text += ", " + std::to_string(counts.Failed) + " failed";
  if (counts.Stopped > 0) text += ", " + std::to_string(counts.Stopped) + " not made (stopped)";
  char time[32];
  std::snprintf(time, sizeof time, " in %.1f s", seconds);
  text += time;
  if (counts.OffStage > 0) text += "; " + Count(counts.OffStage, "row's text runs", "rows' text runs") + " off the stage";
  return text;
}
