// Pictures and sounds a card names that are not where it says: which they are, and where the
// user found them again. Locating one file also finds the others of the same folder by name,
// as a card folder that was moved or unzipped elsewhere has them all together.
#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

// The media paths of the card file that lead to no file: an absolute path that is not there,
// a relative one found neither beside the card nor beside the program. Nothing for a file
// that cannot be read as a card (opening it says why).
QStringList MissingMediaOf(const QString& cardFile, const QString& programFolder);

// The pictures and sounds of the card file that exist outside its folder (and below) and the
// program's library, links followed: what a card received from someone would read of the
// user's other files.
QStringList OutsideMediaOf(const QString& cardFile, const QString& programFolder);

// Whether the user has seen this card's list of outside files already (the same list), and
// noting that they have.
bool OutsideMediaSeen(const QString& cardFile, const QStringList& outside);
void NoteOutsideMediaSeen(const QString& cardFile, const QStringList& outside);

// The user's picks (missing path → file chosen) completed: every other missing path whose
// file name lies in the folder of a chosen file is found there.
QMap<QString, QString> FindAlongside(const QStringList& missing, const QMap<QString, QString>& picked);
