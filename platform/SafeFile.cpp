#include "platform/SafeFile.h"

#include "platform/PlatformError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <vector>

namespace Platform {

namespace {

QString Native(const QString& fileName) { return QDir::toNativeSeparators(fileName); }

[[noreturn]] void ThrowReadError(const QString& sourceName, const QIODevice& source) {
  QString reason = source.errorString();
  if (reason.isEmpty() || reason == QLatin1String("Unknown error"))
    reason = QStringLiteral("Unexpected end of file");
  throw TPlatformError(QStringLiteral("Cannot read file \"%1\". %2").arg(Native(sourceName), reason));
}

[[noreturn]] void ThrowWriteError(const QString& targetName, const QIODevice& target) {
  throw TPlatformError(
      QStringLiteral("Cannot write file \"%1\". %2").arg(Native(targetName), target.errorString()));
}

void WriteAll(QIODevice& target, const char* data, qint64 size, const QString& targetName) {
  while (size > 0) {
    const qint64 written = target.write(data, size);
    if (written <= 0)
      ThrowWriteError(targetName, target);
    data += written;
    size -= written;
  }
}

} // namespace

void OpenForReading(QFile& file) {
  if (QFileInfo(file.fileName()).isDir() || !file.open(QIODevice::ReadOnly)) {
    const QString reason = QFileInfo(file.fileName()).isDir() ? QStringLiteral("Is a directory")
                                                              : file.errorString();
    throw TPlatformError(
        QStringLiteral("Cannot open file \"%1\". %2").arg(Native(file.fileName()), reason));
  }
}

void CopyBytes(QIODevice& source, QIODevice& target, qint64 count, const QString& sourceName,
               const QString& targetName) {
  std::vector<char> buffer(size_t(qMin(count, CopyBufferSize)));
  while (count > 0) {
    const qint64 read = source.read(buffer.data(), qMin<qint64>(count, qint64(buffer.size())));
    if (read <= 0)
      ThrowReadError(sourceName, source);
    WriteAll(target, buffer.data(), read, targetName);
    count -= read;
  }
}

qint64 CopyToEnd(QIODevice& source, QIODevice& target, const QString& sourceName,
                 const QString& targetName, qint64 limit, const QString& tooLargeMessage) {
  std::vector<char> buffer(static_cast<size_t>(CopyBufferSize));
  qint64 total = 0;
  for (;;) {
    const qint64 read = source.read(buffer.data(), CopyBufferSize);
    if (read < 0)
      ThrowReadError(sourceName, source);
    if (read == 0)
      return total;
    total += read;
    if (limit >= 0 && total > limit)
      throw TPlatformError(tooLargeMessage);
    WriteAll(target, buffer.data(), read, targetName);
  }
}

TSafeFileWriter::TSafeFileWriter(const QString& fileName) : Name(fileName), File(fileName) {
  if (QFileInfo(fileName).isDir() || !File.open(QIODevice::WriteOnly)) {
    const QString reason =
        QFileInfo(fileName).isDir() ? QStringLiteral("Is a directory") : File.errorString();
    throw TPlatformError(QStringLiteral("Cannot create file \"%1\". %2").arg(Native(fileName), reason));
  }
}

void TSafeFileWriter::Write(const QByteArray& bytes) {
  WriteAll(File, bytes.constData(), bytes.size(), Name);
}

void TSafeFileWriter::SetPermissions(QFileDevice::Permissions permissions) {
  if (!File.setPermissions(permissions))
    throw TPlatformError(QStringLiteral("Cannot set the mode of file \"%1\". %2")
                             .arg(Native(Name), File.errorString()));
}

void TSafeFileWriter::Commit() {
  if (!File.commit())
    ThrowWriteError(Name, File);
}

void WriteFileAtomically(const QString& fileName, const QByteArray& bytes) {
  TSafeFileWriter writer(fileName);
  writer.Write(bytes);
  writer.Commit();
}

void CopyFileAtomically(const QString& source, const QString& target, bool keepMode) {
  QFile input(source);
  OpenForReading(input);
  TSafeFileWriter writer(target);
  CopyToEnd(input, writer.Device(), source, target);
  if (keepMode)
    writer.SetPermissions(input.permissions());
  writer.Commit();
}

} // namespace Platform
