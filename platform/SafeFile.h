// Files the user keeps are written under a temporary name in the target folder and renamed
// into place, so a failure never leaves a half-written file where a good one was; copies
// stream through a fixed buffer, never holding a whole file in memory.
#pragma once

#include <QFileDevice>
#include <QString>

#include <memory>

class QFile;
class QIODevice;

namespace files {
class TAtomicFile;
}

namespace Platform {

inline constexpr qint64 CopyBufferSize = 64 * 1024;

// Opens a file for reading; throws TPlatformError with the system's message.
void OpenForReading(QFile& file);

// Copies until the source ends and returns the number of bytes. More than limit bytes
// (when limit >= 0) throws TPlatformError with tooLargeMessage.
qint64 CopyToEnd(QIODevice& source, QIODevice& target, const QString& sourceName,
                 const QString& targetName, qint64 limit = -1,
                 const QString& tooLargeMessage = QString());

// A file being written under a temporary name; Commit renames it into place, and
// destroying it uncommitted leaves the target as it was. Every write reaches the file at
// once and is checked, so a full disk fails the write that meets it, never the rename.
class TSafeFileWriter {
public:
  explicit TSafeFileWriter(const QString& fileName); // throws TPlatformError
  ~TSafeFileWriter();
  QString FileName() const { return Name; }
  // Unbuffered; a failed write fails Commit too, even when its caller overlooked it.
  QIODevice& Device();
  void Write(const QByteArray& bytes);
  // The mode the file will have once in place (the default: an existing target's mode,
  // else readable and writable as the umask allows).
  void SetPermissions(QFileDevice::Permissions permissions);
  void Commit(); // throws TPlatformError

private:
  class TDevice;
  QString Name;
  std::unique_ptr<files::TAtomicFile> File;
  std::unique_ptr<TDevice> Output;
};

// Writes bytes into a file as a whole or not at all.
void WriteFileAtomically(const QString& fileName, const QByteArray& bytes);

// Copies a file, replacing the target as a whole; keepMode gives the copy the source's
// mode bits (so a program stays runnable).
void CopyFileAtomically(const QString& source, const QString& target, bool keepMode);

} // namespace Platform
