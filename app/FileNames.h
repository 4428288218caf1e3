// File-name helpers of the file commands: extensions are compared upper-cased with their dot.
#pragma once

#include <QFileInfo>
#include <QString>

// ".SWF" for "Party.swf"; empty when the file-name part has no extension.
inline QString UpperExtension(const QString& fileName) {
  QString suffix = QFileInfo(fileName).suffix();
  return suffix.isEmpty() ? QString() : QLatin1Char('.') + suffix.toUpper();
}

// The name without its extension: "/cards/Party.txt" gives "/cards/Party".
inline QString WithoutExtension(const QString& fileName) {
  QString suffix = QFileInfo(fileName).suffix();
  return suffix.isEmpty() ? fileName : fileName.left(fileName.size() - suffix.size() - 1);
}
