// Registering a screen-saver program with xscreensaver: the user's preferences file
// (~/.xscreensaver) gains one "programs:" entry, or has ours updated, and that entry is
// selected as the only one shown. Everything else in the file stays as it was, and the
// file as it was is kept beside it with ".bak" appended.
#pragma once

#include <QString>
#include <QStringList>

namespace Platform {

// ~/.xscreensaver; GREETIX_XSCREENSAVER_FILE or SetXScreenSaverFile replace it (tests).
QString XScreenSaverFile();
void SetXScreenSaverFile(const QString& fileName);

// Whether xscreensaver's daemon is installed (found on PATH).
bool XScreenSaverInstalled();

// The entries xscreensaver offers when the user's file names none (its system defaults).
QStringList XScreenSaverDefaultPrograms();

// The entries of a "programs:" value as xscreensaver writes it (entries ended by "\n",
// lines continued by a backslash), each without its surrounding blanks.
QStringList ParseXScreenSaverPrograms(const QString& value);

struct TXScreenSaverPrefsEdit {
  QString Text;       // the new file
  int Selected = -1;  // the index of our entry in "programs:"
  bool Changed = false;
};

// The preferences text with `entry` in "programs:" (replacing the first entry that contains
// `marker`, else appended) and selected ("mode: one", "selected: N"). When the text has no
// "programs:", the list starts from `defaults`, so the user keeps the choice they had.
TXScreenSaverPrefsEdit SelectXScreenSaverProgram(const QString& prefs, const QString& entry,
                                                 const QString& marker, const QStringList& defaults);

enum class TXScreenSaverOutcome {
  Registered,         // the file was written (the old one kept as the backup)
  AlreadyRegistered,  // it named our entry and had it selected: nothing written
  ReadOnly,           // the user's file may not be written: left alone
  Failed,             // reading or writing failed: Error says why
};

struct TXScreenSaverRegistration {
  TXScreenSaverOutcome Outcome = TXScreenSaverOutcome::Failed;
  QString BackupFile;  // set when a backup was made
  QString Error;
};

// Registers `command` under the name shown in xscreensaver's settings. `marker` (a part of
// the command, such as the program's file name) finds an entry made before.
TXScreenSaverRegistration RegisterXScreenSaverProgram(const QString& name, const QString& command,
                                                      const QString& marker);

} // namespace Platform
