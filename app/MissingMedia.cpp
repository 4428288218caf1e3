#include "app/MissingMedia.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <exception>

#include "card/CardMediaPaths.h"

QStringList MissingMediaOf(const QString& cardFile, const QString& programFolder) {
  QFile file(cardFile);
  if (!file.open(QIODevice::ReadOnly))
    return {};
  std::vector<std::string> paths;
  try {
    paths = MediaPathsOf(file.readAll().toStdString());
  } catch (const std::exception&) {
    return {};
  }
  const QDir cardFolder = QFileInfo(cardFile).absoluteDir();
  QStringList missing;
  for (const std::string& name : paths) {
    const QString path = QString::fromStdString(name);
    const bool found = QDir::isAbsolutePath(path)
                           ? QFileInfo::exists(path)
                           : QFileInfo::exists(cardFolder.filePath(path)) ||
                                 (!programFolder.isEmpty() && QFileInfo::exists(QDir(programFolder).filePath(path)));
    if (!found)
      missing << path;
  }
  return missing;
}

QMap<QString, QString> FindAlongside(const QStringList& missing, const QMap<QString, QString>& picked) {
  QMap<QString, QString> found = picked;
  for (const QString& chosen : picked) {
    const QDir folder = QFileInfo(chosen).absoluteDir();
    for (const QString& path : missing) {
      if (found.contains(path))
        continue;
      const QString candidate = folder.filePath(QFileInfo(path).fileName());
      if (QFileInfo(candidate).isFile())
        found.insert(path, candidate);
    }
  }
  return found;
}
