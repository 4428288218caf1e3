#include "platform/WorkFolder.h"

#include "platform/PlatformError.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace Platform {

namespace {

const QRegularExpression WorkFolderName(QStringLiteral("^greetix-([0-9]{1,10})-[A-Za-z0-9]{6}$"));

bool ProcessRuns(qint64 pid) {
  return QFileInfo::exists(QStringLiteral("/proc/%1").arg(pid));
}

// The newest change time of the folder and its direct entries, in seconds since the epoch.
qint64 NewestChange(const QString& folder, const struct stat& folderStat) {
  qint64 newest = folderStat.st_mtime;
  const QStringList entries =
      QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
  for (const QString& entry : entries) {
    struct stat entryStat;
    const QByteArray path = QFile::encodeName(folder + QLatin1Char('/') + entry);
    if (::lstat(path.constData(), &entryStat) == 0)
      newest = qMax<qint64>(newest, entryStat.st_mtime);
  }
  return newest;
}

QString CreateWorkFolder() {
  const QString temp = TempFolder();
  RemoveStaleWorkFolders(temp);
  QByteArray pattern =
      QFile::encodeName(temp + QStringLiteral("/greetix-%1-XXXXXX").arg(::getpid()));
  // mkdtemp makes the folder with mode 0700 and a name no one else holds.
  if (!::mkdtemp(pattern.data()))
    throw TPlatformError(QStringLiteral("Cannot create the working folder in \"%1\": %2")
                             .arg(temp, QString::fromLocal8Bit(std::strerror(errno))));
  return QFile::decodeName(pattern);
}

} // namespace

QString TempFolder() {
  const QString fromEnvironment = qEnvironmentVariable("TMPDIR");
  if (!fromEnvironment.isEmpty() && QFileInfo(fromEnvironment).isDir()) {
    QString folder = QDir::cleanPath(QDir(fromEnvironment).absolutePath());
    return folder;
  }
  return QStringLiteral("/tmp");
}

QString WorkFolder() {
  static const QString folder = CreateWorkFolder();
  return folder;
}

QString UntitledBasePath() { return WorkFolder() + QStringLiteral("/Untitled"); }

int RemoveStaleWorkFolders(const QString& tempFolder, int maxAgeDays) {
  // Without /proc every program would look ended; then nothing is safe to remove.
  if (!ProcessRuns(::getpid()))
    return 0;
  const qint64 oldest = QDateTime::currentSecsSinceEpoch() - qint64(maxAgeDays) * 24 * 3600;
  int removed = 0;
  const QStringList names = QDir(tempFolder).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
  for (const QString& name : names) {
    const QRegularExpressionMatch match = WorkFolderName.match(name);
    if (!match.hasMatch())
      continue;
    const QString folder = tempFolder + QLatin1Char('/') + name;
    struct stat folderStat;
    if (::lstat(QFile::encodeName(folder).constData(), &folderStat) != 0)
      continue;
    // Only our own real folders: never follow a link, never touch another user's files.
    if (!S_ISDIR(folderStat.st_mode) || folderStat.st_uid != ::getuid())
      continue;
    if (ProcessRuns(match.captured(1).toLongLong()))
      continue;
    if (NewestChange(folder, folderStat) > oldest)
      continue;
    if (QDir(folder).removeRecursively())
      ++removed;
  }
  return removed;
}

} // namespace Platform
