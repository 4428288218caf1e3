#include "platform/WorkFolder.h"

#include "platform/AtomicFile.h"

#include "platform/PlatformError.h"
#include "platform/RunState.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
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

// The working folders under tempFolder of runs of this user that have ended, with the pid
// their name carries. Only real folders: never a link, never another user's.
template <class TVisit>
void ForEachEndedRunFolder(const QString& tempFolder, TVisit visit) {
  // Without /proc every program would look ended; then nothing is safe to touch.
  if (!ProcessRuns(::getpid()))
    return;
  const QStringList names = QDir(tempFolder).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
  for (const QString& name : names) {
    const QRegularExpressionMatch match = WorkFolderName.match(name);
    if (!match.hasMatch())
      continue;
    const QString folder = tempFolder + QLatin1Char('/') + name;
    struct stat folderStat;
    if (::lstat(QFile::encodeName(folder).constData(), &folderStat) != 0)
      continue;
    if (!S_ISDIR(folderStat.st_mode) || folderStat.st_uid != ::getuid())
      continue;
    if (RunIsAlive(folder, match.captured(1).toLongLong()))
      continue;
    visit(folder, folderStat);
  }
}

bool HoldsUnofferedChanges(const QString& folder) {
  const std::optional<TRunState> state = ReadRunState(folder);
  return state && state->Changed && !state->Offered;
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
  const QString folder = QFile::decodeName(pattern);
  files::SetScratchFolder(pattern.toStdString());
  try {
    WriteRunState(folder, ThisRun());
  } catch (const TPlatformError&) {
    // Without its record the folder is told live or ended by the pid in its name.
  }
  return folder;
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
  const qint64 oldest = QDateTime::currentSecsSinceEpoch() - qint64(maxAgeDays) * 24 * 3600;
  int removed = 0;
  ForEachEndedRunFolder(tempFolder, [&](const QString& folder, const struct stat& folderStat) {
    if (HoldsUnofferedChanges(folder) || NewestChange(folder, folderStat) > oldest)
      return;
    if (QDir(folder).removeRecursively())
      ++removed;
  });
  return removed;
}

QList<TRecoverableCard> FindRecoverableCards(const QString& tempFolder) {
  QList<TRecoverableCard> cards;
  ForEachEndedRunFolder(tempFolder, [&](const QString& folder, const struct stat&) {
    const std::optional<TRunState> state = ReadRunState(folder);
    const QString workProject = folder + QStringLiteral("/Untitled.grx");
    if (!state || !state->Changed || state->Offered || !QFileInfo(workProject).isFile())
      return;
    // A card never saved had this folder's untitled path as its own.
    const QString cardPath = state->CardPath.isEmpty() ? folder + QStringLiteral("/Untitled") : state->CardPath;
    cards.append({folder, workProject, cardPath, QFileInfo(workProject).lastModified()});
  });
  std::sort(cards.begin(), cards.end(),
            [](const TRecoverableCard& a, const TRecoverableCard& b) { return a.ChangedAt > b.ChangedAt; });
  return cards;
}

void MarkOffered(const QString& folder) {
  std::optional<TRunState> state = ReadRunState(folder);
  if (!state)
    return;
  state->Offered = true;
  WriteRunState(folder, *state);
}

} // namespace Platform
