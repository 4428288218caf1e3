// What a run of the editor leaves in its working folder about itself, so a later start can
// tell a crashed run from a live one and offer the card it was editing: the process id and
// the moment the process started (a reused id belongs to a process that started later),
// the card's own path, and whether the working card holds changes its file lacks. When the
// card last changed is the time of its working project file, saved at every edit.
#pragma once

#include <QString>
#include <optional>

namespace Platform {

struct TRunState {
  qint64 Pid = 0;
  // "<boot id>/<start time in clock ticks since boot>"; empty when unknown.
  QString Started;
  QString CardPath; // without extension
  bool Changed = false;
  // A later start has asked about this folder once already.
  bool Offered = false;
};

// How a process's start is written in TRunState::Started; empty when it does not run.
QString ProcessStarted(qint64 pid);

// The record file inside a working folder.
QString RunStateFile(const QString& folder);
// Writes the record as a whole (temp file + rename); a failure throws TPlatformError.
void WriteRunState(const QString& folder, const TRunState& state);
// The record of a folder; none when it is missing or unreadable.
std::optional<TRunState> ReadRunState(const QString& folder);

// This process as a record begins: its id and start.
TRunState ThisRun();

// Whether the run that owns a folder (named "greetix-<pid>-XXXXXX") still runs: by the
// record's pid and start when there is one, else by the pid of the name.
bool RunIsAlive(const QString& folder, qint64 pidOfName);

} // namespace Platform
