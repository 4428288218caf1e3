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

inline bool WriteFile(const QString& fileName, const QByteArray& bytes) {
  QFile file(fileName);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The file's bytes, or "<missing>" when there is no such file.
inline QByteArray ReadFile(const QString& fileName) {
  QFile file(fileName);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}
