// What a command leaves in the file system while it works (unfinished files, its scratch
// folder) is removed when a stop signal ends it: Ctrl-C, a polite kill or a closed
// terminal then leave nothing behind. Commands that stop cleanly by themselves (export,
// batch) catch the signals instead and never reach this.
#pragma once

#include <string>

namespace files {

// A path to remove if a stop signal ends the program: a file, or a folder with the files in
// it. Up to 64 paths are kept; past that, the sweeps of later runs remain.
void RemoveOnStop(const std::string& path, bool folder);
// The path is no longer removed (it was renamed into place, or removed already).
void KeepOnStop(const std::string& path);

// SIGINT, SIGTERM and SIGHUP remove the paths registered above, then end the program by
// the same signal.
void RemoveOnStopSignals();

} // namespace files
