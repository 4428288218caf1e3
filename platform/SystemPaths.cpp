#include "platform/SystemPaths.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStandardPaths>

namespace Platform {

namespace {

QString& ProgramFolderOverride() {
  static QString folder;
  return folder;
}

QString& SystemFolderOverride() {
  static QString folder;
  return folder;
}

} // namespace

QString ProgramFolder() {
  if (!ProgramFolderOverride().isEmpty())
    return ProgramFolderOverride();
  if (QCoreApplication::instance())
    return QCoreApplication::applicationDirPath();
  // Before (or without) an application object the kernel still knows our file.
  const QFileInfo self(QStringLiteral("/proc/self/exe"));
  return QFileInfo(self.symLinkTarget()).absolutePath();
}

void SetProgramFolder(const QString& folder) { ProgramFolderOverride() = folder; }

QString SystemFolder() {
  if (!SystemFolderOverride().isEmpty())
    return SystemFolderOverride();
  const QString fromEnvironment = qEnvironmentVariable("GREETIX_SYSTEM_DIR");
  if (!fromEnvironment.isEmpty())
    return fromEnvironment;
  return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
         QStringLiteral("/Greetix/system");
}

void SetSystemFolder(const QString& folder) { SystemFolderOverride() = folder; }

QString ShortPathName(const QString& path) {
  if (path.isEmpty() || !QFileInfo::exists(path))
    return {};
  return path;
}

} // namespace Platform
