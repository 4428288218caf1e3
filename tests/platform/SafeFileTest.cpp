#include "platform/AtomicFile.h"
#include "platform/PlatformError.h"
#include "platform/SafeFile.h"
#include "support/FileSizeLimit.h"
#include "support/TestFolder.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Platform;

namespace {

QByteArray ReadAll(const QString& fileName) {
  QFile file(fileName);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void WriteAll(const QString& fileName, const QByteArray& bytes) {
  QFile file(fileName);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

} // namespace

TEST(SafeFileTest, CopiesKeepTheModeOnlyWhenAsked) {
  QTemporaryDir folder;
  const QString program = folder.filePath("program");
  QByteArray bytes(3 * CopyBufferSize + 17, Qt::Uninitialized);
  for (qsizetype i = 0; i < bytes.size(); ++i)
    bytes[i] = char(i * 31 % 251);
  WriteAll(program, bytes);
  const auto runnable = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                        QFileDevice::ReadGroup | QFileDevice::ExeGroup;
  ASSERT_TRUE(QFile::setPermissions(program, runnable));

  CopyFileAtomically(program, folder.filePath("kept"), true);
  CopyFileAtomically(program, folder.filePath("plain"), false);
  EXPECT_EQ(ReadAll(folder.filePath("kept")), bytes);
  // Owner, group and others; Qt's "user" bits repeat those of whoever runs the test.
  const auto modeBits = QFileDevice::Permissions(0x7077);
  EXPECT_EQ(QFile::permissions(folder.filePath("kept")) & modeBits, runnable & modeBits);
  EXPECT_FALSE(QFile::permissions(folder.filePath("plain")) & QFileDevice::ExeOwner);
}

TEST(SafeFileTest, AFailedWriteLeavesTheOldFileAndNoLitter) {
  QTemporaryDir folder;
  const QString target = folder.filePath("card.swf");
  WriteAll(target, "good");
  {
    TSafeFileWriter writer(target);
    writer.Write("half");
    // Dropped without Commit, as when an error interrupts the copy.
  }
  EXPECT_EQ(ReadAll(target), "good");
  EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{"card.swf"});

  EXPECT_THROW(CopyFileAtomically(folder.filePath("missing"), target, false), TPlatformError);
  EXPECT_THROW(WriteFileAtomically(folder.filePath("no/folder/x"), "x"), TPlatformError);
  EXPECT_THROW(WriteFileAtomically(folder.path(), "x"), TPlatformError);
  EXPECT_EQ(ReadAll(target), "good");
}

TEST(SafeFileTest, CopyingMoreThanTheLimitIsRefused) {
  QBuffer source;
  source.setData("12345");
  source.open(QIODevice::ReadOnly);
  QBuffer capped;
  capped.open(QIODevice::WriteOnly);
  EXPECT_THROW(CopyToEnd(source, capped, "source", "target", 4, "too large"), TPlatformError);
}

TEST(SafeFileTest, AWriteThatMeetsAFullDiskFailsAndKeepsTheOldFile) {
  QTemporaryDir folder;
  const QString target = folder.filePath("card.grx");
  const QByteArray old(285, 'o');
  WriteAll(target, old);
  const QString source = folder.filePath("source");
  WriteAll(source, QByteArray(3000, 's'));
  {
    TFileSizeLimit full(100);
    // Small enough that a buffered writer would keep it all until the rename.
    TSafeFileWriter writer(target);
    writer.Device().write(QByteArray(150, 'n'));
    EXPECT_THROW(writer.Commit(), TPlatformError);
    EXPECT_THROW(CopyFileAtomically(source, target, false), TPlatformError);
    EXPECT_THROW(WriteFileAtomically(target, QByteArray(101, 'n')), TPlatformError);
  }
  EXPECT_EQ(ReadAll(target), old);
  EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
}

TEST(AtomicFileTest, TheNewFileTakesTheOldModeAndReplacesThroughALink) {
  TTestFolder folder;
  const std::string target = folder.File("private.wav");
  WriteWholeFile(target, "old");
  ASSERT_EQ(::chmod(target.c_str(), 0600), 0);
  std::filesystem::create_symlink(target, folder.File("link.wav"));

  files::WriteFileAtomically(folder.File("link.wav"), "new");
  EXPECT_EQ(ReadWholeFile(target), "new");
  EXPECT_TRUE(std::filesystem::is_symlink(folder.File("link.wav")));
  struct stat info {};
  ASSERT_EQ(::stat(target.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0600u);

  const mode_t mask = ::umask(022);
  files::WriteFileAtomically(folder.File("fresh"), "x");
  ::umask(mask);
  ASSERT_EQ(::stat(folder.File("fresh").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0644u);
}

TEST(AtomicFileTest, UnfinishedFilesOfEndedWritersAreSweptOthersStay) {
  TTestFolder folder;
  const std::string target = folder.File("t.wav");
  long ended = 4000000;
  while (std::filesystem::exists("/proc/" + std::to_string(ended)))
    ++ended;
  const std::string own = ".t.wav." + std::to_string(::getpid()) + ".0000abcd";
  const std::string stale = ".t.wav." + std::to_string(ended) + ".0badf00d";
  for (const std::string& name : {own, stale, std::string(".t.wav.notmine"), std::string(".u.wav.1.00000000")})
    WriteWholeFile(folder.File(name), "part");

  files::WriteFileAtomically(target, "whole");
  EXPECT_FALSE(std::filesystem::exists(folder.File(stale)));
  EXPECT_TRUE(std::filesystem::exists(folder.File(own)));
  EXPECT_TRUE(std::filesystem::exists(folder.File(".t.wav.notmine")));
  EXPECT_TRUE(std::filesystem::exists(folder.File(".u.wav.1.00000000")));
  EXPECT_EQ(ReadWholeFile(target), "whole");
}
