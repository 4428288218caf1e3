#include "platform/Desktop.h"
#include "platform/MemoryStatus.h"
#include "platform/SystemPaths.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

using namespace Platform;

TEST(MemoryStatusTest, FiguresComeFromMeminfoInBytes) {
  const QByteArray text = "MemTotal:        8000000 kB\n"
                          "MemFree:          500000 kB\n"
                          "MemAvailable:    2000000 kB\n"
                          "Buffers:          100000 kB\n"
                          "nonsense line\n"
                          "Cached:        garbage kB\n"
                          "SwapTotal:       1000000 kB\n"
                          "SwapFree:         250000 kB\n";
  const TMemoryStatus status = ParseMemInfo(text);
  EXPECT_EQ(status.TotalPhys, 8000000ull * 1024);
  EXPECT_EQ(status.AvailPhys, 2000000ull * 1024);
  EXPECT_EQ(status.TotalPageFile, 1000000ull * 1024);
  EXPECT_EQ(status.AvailPageFile, 250000ull * 1024);
  EXPECT_EQ(status.MemoryLoad, 75);
}

TEST(MemoryStatusTest, WithoutMemAvailableFreeAndCachesCount) {
  const TMemoryStatus status = ParseMemInfo("MemTotal: 1000 kB\nMemFree: 100 kB\n"
                                            "Buffers: 50 kB\nCached: 50 kB\n");
  EXPECT_EQ(status.AvailPhys, 200ull * 1024);
  EXPECT_EQ(status.MemoryLoad, 80);
  EXPECT_EQ(ParseMemInfo("").MemoryLoad, 0);
}

TEST(MemoryStatusTest, TheRunningSystemHasMemory) {
  const TMemoryStatus status = GlobalMemoryStatus();
  EXPECT_GT(status.TotalPhys, 0u);
  EXPECT_LE(status.AvailPhys, status.TotalPhys);
  EXPECT_GE(status.MemoryLoad, 0);
  EXPECT_LE(status.MemoryLoad, 100);
}

TEST(SystemPathsTest, ShortNamesAreThePathItselfOrEmpty) {
  QTemporaryDir folder;
  const QString file = folder.filePath("GlimmerScr.scr");
  EXPECT_EQ(ShortPathName(file), "");
  QFile(file).open(QIODevice::WriteOnly);
  EXPECT_EQ(ShortPathName(file), file);
}

TEST(SystemPathsTest, TheProgramFolderIsKnownWithoutAnApplication) {
  // Without an application object the program's folder comes from the kernel.
  EXPECT_TRUE(QFileInfo(ProgramFolder() + "/platform_tests").exists()) << ProgramFolder().toStdString();
}

TEST(DesktopTest, CommandLinesStartProgramsWithQuotedWords) {
  QTemporaryDir folder;
  const QString marker = folder.filePath("settings opened");
  EXPECT_FALSE(RunCommandLine(""));
  EXPECT_FALSE(RunCommandLine("/no/such/program"));
  ASSERT_TRUE(RunCommandLine(QStringLiteral("/bin/sh -c \"echo yes > '%1'\"").arg(marker)));
  QDeadlineTimer deadline(10000);
  while (!QFileInfo::exists(marker) && !deadline.hasExpired())
    QThread::msleep(10);
  EXPECT_TRUE(QFileInfo::exists(marker));
}
