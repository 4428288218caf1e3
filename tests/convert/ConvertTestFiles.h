// Small file helpers shared by the conversion tests.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

inline QByteArray Pattern(qsizetype size, int seed) {
  QByteArray bytes(size, Qt::Uninitialized);
  for (qsizetype i = 0; i < size; ++i)
    bytes[i] = char((i * 131 + seed) % 251);
  return bytes;
}

// A whole uncompressed movie of `size` bytes (21 or more): the header of an empty stage,
// one tag of Pattern bytes the reader keeps unread, End.
inline QByteArray TestMovie(qsizetype size, int seed) {
  QByteArray movie("FWS\x08", 4);
  for (int shift = 0; shift < 32; shift += 8)
    movie += char((size >> shift) & 0xFF);
  movie += QByteArray("\x00\x00\x0C\x01\x00", 5); // no rectangle, 12 fps, 1 frame
  const qsizetype body = size - movie.size() - 6 - 2;
  movie += QByteArray("\xFF\xFF", 2); // tag 1023, long form
  for (int shift = 0; shift < 32; shift += 8)
    movie += char((body >> shift) & 0xFF);
  return movie + Pattern(body, seed) + QByteArray(2, '\0');
}

// The movie with its body zlib-compressed (CWS); the header's length stays the unpacked one.
inline QByteArray CompressedMovie(const QByteArray& movie) {
  return "CWS" + movie.mid(3, 5) + qCompress(movie.mid(8)).mid(4); // qCompress adds a size
}

inline bool WriteFile(const QString& fileName, const QByteArray& bytes) {
  QFile file(fileName);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The file's bytes, or "<missing>" when there is no such file.
inline QByteArray ReadFile(const QString& fileName) {
  QFile file(fileName);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}
