// The movie a player program carries at its end (see convert/ProjectorFile.h for the
// layout), read without touching the program part in front of it.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <cstdint>
#include <span>

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

// Throws std::runtime_error naming programFile unless the bytes are one whole SWF movie: a
// known signature and version, and a header whose file length is what the bytes hold
// (uncompressed) or unpack to (compressed, within the reader's size limit).
void CheckCompleteMovie(std::span<const uint8_t> bytes, const QString& programFile);
