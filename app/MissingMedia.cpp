#include "app/MissingMedia.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <exception>

#include "card/CardMediaPaths.h"
#include "platform/PlatformError.h"
#include "platform/Registry.h"

namespace {

std::vector<std::string> MediaOfCardFile(const QString& cardFile) {
  QFile file(cardFile);
  if (!file.open(QIODevice::ReadOnly))
    return {};
  try {
    return MediaPathsOf(file.readAll().toStdString());
  } catch (const std::exception&) {
    return {};
  }
}

bool Within(const QString& file, const QString& folder) {
  const QString base = QFileInfo(folder).canonicalFilePath();
  return !base.isEmpty() && file.startsWith(base + QLatin1Char('/'));
}

// One value per card and list, so a changed list is shown again.
QString SeenValueName(const QString& cardFile, const QStringList& outside) {
  const QByteArray key = (QFileInfo(cardFile).absoluteFilePath() + QLatin1Char('\n') + outside.join(QLatin1Char('\n'))).toUtf8();
  return QString::fromLatin1(QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex());
}

const char* SeenKey = "Software\\Plumeworks\\Greetix\\OutsideMedia";

} // namespace

QStringList MissingMediaOf(const QString& cardFile, const QString& programFolder) {
  const std::vector<std::string> paths = MediaOfCardFile(cardFile);
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

QStringList OutsideMediaOf(const QString& cardFile, const QString& programFolder) {
  const QString cardFolder = QFileInfo(cardFile).absolutePath();
  QStringList outside;
  for (const std::string& name : MediaOfCardFile(cardFile)) {
    const QString path = QString::fromStdString(name);
    // A relative path is read from the card's folder or the program's.
    if (!QDir::isAbsolutePath(path))
      continue;
    const QString real = QFileInfo(path).canonicalFilePath();
    if (real.isEmpty())
      continue; // missing: the other dialog's
    if (Within(real, cardFolder) || (!programFolder.isEmpty() && Within(real, programFolder + QStringLiteral("/library"))))
      continue;
    outside << path;
  }
  return outside;
}

bool OutsideMediaSeen(const QString& cardFile, const QStringList& outside) {
  Platform::TRegistry registry;
  return registry.OpenKey(QString::fromLatin1(SeenKey), false) &&
         !registry.ReadString(SeenValueName(cardFile, outside)).isEmpty();
}

void NoteOutsideMediaSeen(const QString& cardFile, const QStringList& outside) {
  try {
    Platform::TRegistry registry;
    registry.OpenKey(QString::fromLatin1(SeenKey), true);
    registry.WriteString(SeenValueName(cardFile, outside), QStringLiteral("1"));
  } catch (const Platform::TPlatformError&) {
    // Then it is shown again next time.
  }
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
