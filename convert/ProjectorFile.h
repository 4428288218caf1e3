// Player executables: a player program with a movie appended and an eight-byte trailer.
//
//   [player program, P bytes][movie, L bytes][magic 56 34 12 FA][L, 32-bit little-endian]
//
// A reader finds the movie from the end of the file without knowing P.
#pragma once

#include <QString>
#include <QtGlobal>
#include <stdexcept>

class QIODevice;

inline constexpr quint32 ProjectorMagic = 0xFA123456;
inline constexpr qint64 ProjectorTrailerSize = 8;
inline constexpr const char* ProjectorFileName = "FlashPla.exe";
inline constexpr const char* ConvertedMessage = "File has been converted successfully!";
inline constexpr const char* UnknownExecutableMessage = "Unknown type of executable flash file!";

// A file that carries no movie trailer (or one that cannot be right for its size).
class TUnknownExecutableError : public std::runtime_error {
public:
  TUnknownExecutableError() : std::runtime_error(UnknownExecutableMessage) {}
};

struct TEmbeddedMovie {
  qint64 Offset = 0; // from the start of the file
  qint64 Length = 0; // bytes
};

// Reads the trailer at the end of an open, seekable file. Throws TUnknownExecutableError
// when the file is shorter than the trailer, the magic is wrong or the stored length
// does not fit in front of the trailer; TPlatformError when the file cannot be read.
TEmbeddedMovie LocateEmbeddedMovie(QIODevice& file, const QString& fileName);

// The player program installed beside this program.
QString ProjectorPath();

// Writes target = projector + movie + trailer, replacing target as a whole. The result
// gets the projector's mode bits, so it runs as the projector does. Nothing is written
// when a source cannot be read. Errors are exceptions with the text for the user.
void SwfToExe(const QString& projector, const QString& swf, const QString& target);

// Writes the movie carried by a player executable into target. Throws
// TUnknownExecutableError (nothing written) for a file without a valid trailer, and
// std::runtime_error (nothing written) when what the trailer points at is no whole movie.
void ExeToSwf(const QString& exe, const QString& target);
