#include "platform/SafeFile.h"

#include "platform/AtomicFile.h"
#include "platform/InputFile.h"
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
  const std::string kind = files::NotAFileKind(QFile::encodeName(file.fileName()).toStdString());
  if (!kind.empty() || !file.open(QIODevice::ReadOnly)) {
    const QString reason = kind.empty() ? file.errorString()
                                        : QStringLiteral("It is %1, not a file.").arg(QString::fromStdString(kind));
    throw TPlatformError(
        QStringLiteral("Cannot open file \"%1\". %2").arg(Native(file.fileName()), reason));
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

// Passes each write straight to the file and remembers the first failure.
class TSafeFileWriter::TDevice : public QIODevice {
public:
  explicit TDevice(files::TAtomicFile& file) : File(file) {
    open(QIODevice::WriteOnly | QIODevice::Unbuffered);
  }
  bool isSequential() const override { return true; }
  bool Failed() const { return HasFailed; }

protected:
  qint64 readData(char*, qint64) override { return -1; }
  qint64 writeData(const char* data, qint64 size) override {
    if (HasFailed)
      return -1;
    try {
      File.Write(data, size_t(size));
      return size;
    } catch (const files::TFileWriteError& error) {
      HasFailed = true;
      setErrorString(QString::fromLocal8Bit(error.Reason().c_str()));
      return -1;
    }
  }

private:
  files::TAtomicFile& File;
  bool HasFailed = false;
};

TSafeFileWriter::TSafeFileWriter(const QString& fileName) : Name(fileName) {
  try {
    File = std::make_unique<files::TAtomicFile>(QFile::encodeName(fileName).toStdString());
  } catch (const files::TFileWriteError& error) {
    throw TPlatformError(QStringLiteral("Cannot create file \"%1\". %2")
                             .arg(Native(fileName), QString::fromLocal8Bit(error.Reason().c_str())));
  }
  Output = std::make_unique<TDevice>(*File);
}

TSafeFileWriter::~TSafeFileWriter() = default;

QIODevice& TSafeFileWriter::Device() { return *Output; }

void TSafeFileWriter::Write(const QByteArray& bytes) {
  WriteAll(*Output, bytes.constData(), bytes.size(), Name);
}

void TSafeFileWriter::SetPermissions(QFileDevice::Permissions permissions) {
  // Qt's flags hold each class in its own hex digit: owner 0x7000, group 0x70, others 0x7.
  const auto bits = uint(permissions);
  const mode_t mode = ((bits >> 12) & 7) << 6 | ((bits >> 4) & 7) << 3 | (bits & 7);
  try {
    File->SetMode(mode);
  } catch (const files::TFileWriteError& error) {
    throw TPlatformError(QStringLiteral("Cannot set the mode of file \"%1\". %2")
                             .arg(Native(Name), QString::fromLocal8Bit(error.Reason().c_str())));
  }
}

void TSafeFileWriter::Commit() {
  if (Output->Failed())
    ThrowWriteError(Name, *Output);
  try {
    File->Commit();
  } catch (const files::TFileWriteError& error) {
    throw TPlatformError(QStringLiteral("Cannot write file \"%1\". %2")
                             .arg(Native(Name), QString::fromLocal8Bit(error.Reason().c_str())));
  }
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
