// The cards opened or saved last, newest first, kept in the registry between runs.
#pragma once

#include <QStringList>

namespace RecentCards {

inline constexpr int MaxCount = 8;
inline constexpr const char* Key = "Software\\Plumeworks\\Greetix\\Recent Cards";

// The kept cards, newest first; at most MaxCount, whether or not the files still exist.
QStringList List();
// Puts a card first (once, whatever path spelling it came by) and forgets the oldest
// beyond MaxCount. A registry that cannot be written keeps the old list.
void Note(const QString& cardFile);

} // namespace RecentCards
