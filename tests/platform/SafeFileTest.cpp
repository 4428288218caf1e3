#include "platform/PlatformError.h"
#include "platform/SafeFile.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

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

TEST(SafeFileTest, CopyingMoreThanTheSourceHoldsIsAReadError) {
  QBuffer source;
  source.setData("12345");
  source.open(QIODevice::ReadOnly);
  QBuffer target;
  target.open(QIODevice::WriteOnly);
  EXPECT_THROW(CopyBytes(source, target, 6, "source", "target"), TPlatformError);

  source.seek(1);
  QBuffer exact;
  exact.open(QIODevice::WriteOnly);
  CopyBytes(source, exact, 3, "source", "target");
  EXPECT_EQ(exact.data(), "234");

  source.seek(0);
  QBuffer capped;
  capped.open(QIODevice::WriteOnly);
  EXPECT_THROW(CopyToEnd(source, capped, "source", "target", 4, "too large"), TPlatformError);
}
