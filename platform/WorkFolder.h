// The private folder of this run of the program, where the working card files live.
//
// Each run makes its own folder "greetix-<pid>-XXXXXX" (mode 0700) in the temporary folder,
// so two running programs never share working files and no other user can plant files
// there. The folder stays after the program ends, so the last working card can be recovered
// by hand; a later start removes such folders once their program has ended and they have
// not changed for a few days.
#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

namespace Platform {

// TMPDIR when it names an existing folder, otherwise /tmp.
QString TempFolder();

// This run's private folder, created on first use (which also clears out stale folders of
// earlier runs). Throws TPlatformError when it cannot be created.
QString WorkFolder();

// The untitled base path: WorkFolder() + "/Untitled"; the working files add ".grx",
// ".swf" and ".jpg".
QString UntitledBasePath();

// Removes the folders of earlier runs under tempFolder that belong to this user, whose
// process no longer runs and whose contents are older than maxAgeDays. A folder holding a
// card with unsaved changes that no start has offered yet is kept. Returns how many.
int RemoveStaleWorkFolders(const QString& tempFolder, int maxAgeDays = 3);

// A card left with unsaved changes by a run that ended without closing it.
struct TRecoverableCard {
  QString Folder;      // the ended run's working folder
  QString WorkProject; // its working project file
  QString CardPath;    // the card's own path without extension (the untitled base path when new)
  QDateTime ChangedAt;
};

// The cards of ended runs of this user under tempFolder not offered before, newest first.
// The folder of this run is never among them.
QList<TRecoverableCard> FindRecoverableCards(const QString& tempFolder);
// Notes in the folder's record that a start has asked about it.
void MarkOffered(const QString& folder);

} // namespace Platform
