// The player program's side of the movie it carries at its end (convert/EmbeddedMovieFile.h
// reads it): the program's own file and the texts for a program without a movie.
#pragma once

#include <QString>

namespace player {
class TMoviePlayer;
}

// The file a running program was started from, whatever name it was started by.
QString RunningProgramFile();

// The text shown when a player program carries no movie.
QString NoMovieMessage(const QString& programName);

// Loads the movie carried by a player program into the player. Errors are exceptions with
// the text for the user: NoMovieMessage for a program without a movie, the reader's
// message for bytes that are no movie.
void LoadEmbeddedMovie(player::TMoviePlayer& player, const QString& programFile,
                       const QString& programName);
