#include "platform/WorkFolder.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>
#include <utime.h>

using namespace Platform;

namespace {

qint64 EndedProcessId() {
  for (qint64 pid = 999999; pid > 1; --pid)
    if (!QFileInfo::exists(QStringLiteral("/proc/%1").arg(pid)))
      return pid;
  return 0;
}

QString MakeFolder(const QString& root, const QString& name, int ageDays) {
  const QString folder = root + "/" + name;
  QDir().mkpath(folder);
  QFile file(folder + "/Untitled.grx");
  file.open(QIODevice::WriteOnly);
  file.write("<Movie/>");
  file.close();
  const time_t when = QDateTime::currentSecsSinceEpoch() - time_t(ageDays) * 24 * 3600;
  const utimbuf times{when, when};
  ::utime(QFile::encodeName(file.fileName()).constData(), &times);
  ::utime(QFile::encodeName(folder).constData(), &times);
  return folder;
}

} // namespace

TEST(WorkFolderTest, EachRunHasOnePrivateFolder) {
  const QString base = UntitledBasePath();
  EXPECT_EQ(base, UntitledBasePath());
  EXPECT_TRUE(base.endsWith("/Untitled"));
  const QFileInfo folder(QFileInfo(base).path());
  ASSERT_TRUE(folder.isDir());
  EXPECT_TRUE(folder.fileName().startsWith(QStringLiteral("greetix-%1-").arg(::getpid())));
  EXPECT_EQ(folder.path(), TempFolder());
  struct stat info;
  ASSERT_EQ(::stat(QFile::encodeName(folder.filePath()).constData(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0700u);
}

TEST(WorkFolderTest, OnlyOldFoldersOfEndedRunsAreRemoved) {
  QTemporaryDir root;
  const qint64 ended = EndedProcessId();
  ASSERT_GT(ended, 0);
  const QString stale = MakeFolder(root.path(), QStringLiteral("greetix-%1-aB3dE6").arg(ended), 10);
  const QString recent = MakeFolder(root.path(), QStringLiteral("greetix-%1-xY7zQ1").arg(ended), 1);
  const QString running = MakeFolder(root.path(), QStringLiteral("greetix-%1-Runs00").arg(::getpid()), 10);
  const QString stranger = MakeFolder(root.path(), QStringLiteral("other-%1-aB3dE6").arg(ended), 10);
  // A link named like a working folder is never followed into.
  const QString target = MakeFolder(root.path(), "keep", 10);
  const QString link = root.path() + QStringLiteral("/greetix-%1-Link00").arg(ended);
  ASSERT_TRUE(QFile::link(target, link));

  EXPECT_EQ(RemoveStaleWorkFolders(root.path(), 3), 1);
  EXPECT_FALSE(QFileInfo::exists(stale));
  EXPECT_TRUE(QFileInfo::exists(recent));
  EXPECT_TRUE(QFileInfo::exists(running));
  EXPECT_TRUE(QFileInfo::exists(stranger));
  EXPECT_TRUE(QFileInfo::exists(target + "/Untitled.grx"));
}

TEST(WorkFolderTest, ARecentlyWrittenFileKeepsAnOldFolder) {
  QTemporaryDir root;
  const qint64 ended = EndedProcessId();
  const QString folder = MakeFolder(root.path(), QStringLiteral("greetix-%1-Fresh0").arg(ended), 10);
  const utimbuf now{time(nullptr), time(nullptr)};
  ::utime(QFile::encodeName(folder + "/Untitled.grx").constData(), &now);
  EXPECT_EQ(RemoveStaleWorkFolders(root.path(), 3), 0);
  EXPECT_TRUE(QFileInfo::exists(folder));
}
