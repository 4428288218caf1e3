#include "platform/WorkFolder.h"
#include "platform/RunState.h"

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

namespace {

// A folder of an earlier run with its record, everything aged as asked.
QString MakeRecordedFolder(const QString& root, const QString& name, const TRunState& state, int ageDays) {
  const QString folder = MakeFolder(root, name, ageDays);
  WriteRunState(folder, state);
  const time_t when = QDateTime::currentSecsSinceEpoch() - time_t(ageDays) * 24 * 3600;
  const utimbuf times{when, when};
  ::utime(QFile::encodeName(RunStateFile(folder)).constData(), &times);
  ::utime(QFile::encodeName(folder).constData(), &times);
  return folder;
}

TRunState EndedRun(qint64 pid, const QString& cardPath, bool changed) {
  TRunState state;
  state.Pid = pid;
  state.Started = QStringLiteral("boot/1");
  state.CardPath = cardPath;
  state.Changed = changed;
  return state;
}

} // namespace

TEST(WorkFolderTest, TheRecordTellsALiveRunFromOneWhoseIdWasReused) {
  QTemporaryDir root;
  const QString live = MakeRecordedFolder(root.path(), QStringLiteral("greetix-%1-Live00").arg(::getpid()), ThisRun(), 0);
  EXPECT_TRUE(RunIsAlive(live, ::getpid()));
  // Our id, but a process that started at another moment: that run has ended.
  TRunState reused = ThisRun();
  reused.Started += QStringLiteral("0");
  const QString ended = MakeRecordedFolder(root.path(), QStringLiteral("greetix-%1-Reuse0").arg(::getpid()), reused, 0);
  EXPECT_FALSE(RunIsAlive(ended, ::getpid()));

  const std::optional<TRunState> read = ReadRunState(live);
  ASSERT_TRUE(read);
  EXPECT_EQ(read->Pid, ::getpid());
  EXPECT_EQ(read->Started, ProcessStarted(::getpid()));
  EXPECT_FALSE(ProcessStarted(::getpid()).isEmpty());
  EXPECT_FALSE(ReadRunState(root.path()));
}

TEST(WorkFolderTest, CardsOfEndedRunsWithChangesAreOfferedOnceAndKeptUntilThen) {
  QTemporaryDir root;
  const qint64 ended = EndedProcessId();
  const QString card = root.path() + QStringLiteral("/My Cards/Party 100%");
  const QString changed =
      MakeRecordedFolder(root.path(), QStringLiteral("greetix-%1-Chang0").arg(ended), EndedRun(ended, card, true), 10);
  const QString untitled = MakeRecordedFolder(root.path(), QStringLiteral("greetix-%1-Untit0").arg(ended),
                                              EndedRun(ended, QString(), true), 1);
  const QString unchanged =
      MakeRecordedFolder(root.path(), QStringLiteral("greetix-%1-Clean0").arg(ended), EndedRun(ended, card, false), 1);
  const QString live =
      MakeRecordedFolder(root.path(), QStringLiteral("greetix-%1-Live00").arg(::getpid()), [&] {
        TRunState state = ThisRun();
        state.Changed = true;
        return state;
      }(), 1);

  QList<TRecoverableCard> cards = FindRecoverableCards(root.path());
  ASSERT_EQ(cards.size(), 2);
  // Newest first.
  EXPECT_EQ(cards[0].Folder, untitled);
  EXPECT_EQ(cards[0].CardPath, untitled + "/Untitled");
  EXPECT_EQ(cards[1].Folder, changed);
  EXPECT_EQ(cards[1].CardPath, card);
  EXPECT_EQ(cards[1].WorkProject, changed + "/Untitled.grx");

  // An old folder holding changes waits for its offer; once offered it ages away as others do.
  EXPECT_EQ(RemoveStaleWorkFolders(root.path(), 3), 0);
  MarkOffered(changed);
  EXPECT_EQ(FindRecoverableCards(root.path()).size(), 1);
  const utimbuf old{time(nullptr) - 10 * 24 * 3600, time(nullptr) - 10 * 24 * 3600};
  ::utime(QFile::encodeName(RunStateFile(changed)).constData(), &old);
  ::utime(QFile::encodeName(changed).constData(), &old);
  EXPECT_EQ(RemoveStaleWorkFolders(root.path(), 3), 1);
  EXPECT_FALSE(QFileInfo::exists(changed));
  EXPECT_TRUE(QFileInfo::exists(unchanged));
  EXPECT_TRUE(QFileInfo::exists(live));
}
