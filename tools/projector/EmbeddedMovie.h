// The movie a player program carries at its end (see convert/ProjectorFile.h for the
// layout), read without touching the program part in front of it.
#pragma once

#include <QFile>
#include <QString>

#include <cstdint>
#include <span>

namespace player {
class TMoviePlayer;
}

// The file a running program was started from, whatever name it was started by.
QString RunningProgramFile();

// The text shown when a player program carries no movie.
QString NoMovieMessage(const QString& programName);

// The embedded movie's bytes, mapped from the file (or, where mapping is refused, the
// movie part alone read into memory).
class TEmbeddedMovieFile {
public:
  // Throws TUnknownExecutableError when the file ends with no valid trailer and
  // Platform::TPlatformError when it cannot be read.
  explicit TEmbeddedMovieFile(const QString& fileName);
  ~TEmbeddedMovieFile();
  TEmbeddedMovieFile(const TEmbeddedMovieFile&) = delete;
  TEmbeddedMovieFile& operator=(const TEmbeddedMovieFile&) = delete;

  std::span<const uint8_t> Bytes() const;

private:
  QFile FFile;
  uchar* FMapped = nullptr;
  QByteArray FCopy;
  qint64 FLength = 0;
};

// Loads the movie carried by a player program into the player. Errors are exceptions with
// the text for the user: NoMovieMessage for a program without a movie, the reader's
// message for bytes that are no movie.
void LoadEmbeddedMovie(player::TMoviePlayer& player, const QString& programFile,
                       const QString& programName);
