// Whether a process still runs, for the sweeps that remove what ended processes left.
#pragma once

namespace files {

// False for a process that is gone and for one killed but not yet reaped by its parent (a
// zombie writes no more). Reads /proc; see ProcIsReadable before trusting a false.
bool ProcessRuns(long pid);

// Without /proc every process would look ended, and no sweep may remove anything.
bool ProcIsReadable();

} // namespace files
