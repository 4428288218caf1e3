#include "convert/ProjectorFile.h"

#include "convert/EmbeddedMovieFile.h"
#include "platform/PlatformError.h"
#include "platform/SafeFile.h"
#include "platform/SystemPaths.h"

#include <QDir>
#include <QFile>
#include <QtEndian>

using Platform::TPlatformError;

namespace {

// The trailer holds the movie's length in 32 bits; a longer movie cannot be described.
constexpr qint64 MaxMovieLength = 0xFFFFFFFFLL;

QByteArray Trailer(quint32 movieLength) {
  QByteArray trailer(ProjectorTrailerSize, Qt::Uninitialized);
  qToLittleEndian<quint32>(ProjectorMagic, trailer.data());
  qToLittleEndian<quint32>(movieLength, trailer.data() + 4);
  return trailer;
}

} // namespace

TEmbeddedMovie LocateEmbeddedMovie(QIODevice& file, const QString& fileName) {
  const qint64 size = file.size();
  if (size < ProjectorTrailerSize)
    throw TUnknownExecutableError();
  if (!file.seek(size - ProjectorTrailerSize))
    throw TPlatformError(QStringLiteral("Cannot read file \"%1\". %2")
                             .arg(QDir::toNativeSeparators(fileName), file.errorString()));
  char trailer[ProjectorTrailerSize];
  if (file.read(trailer, ProjectorTrailerSize) != ProjectorTrailerSize)
    throw TPlatformError(QStringLiteral("Cannot read file \"%1\". %2")
                             .arg(QDir::toNativeSeparators(fileName), file.errorString()));
  if (qFromLittleEndian<quint32>(trailer) != ProjectorMagic)
    throw TUnknownExecutableError();
  const qint64 length = qFromLittleEndian<quint32>(trailer + 4);
  if (length > size - ProjectorTrailerSize)
    throw TUnknownExecutableError();
  return {size - ProjectorTrailerSize - length, length};
}

QString ProjectorPath() {
  return Platform::ProgramFolder() + QLatin1Char('/') + QLatin1String(ProjectorFileName);
}

void SwfToExe(const QString& projector, const QString& swf, const QString& target) {
  // Both sources open before the target is touched, so a missing one leaves no empty file.
  QFile projectorFile(projector);
  Platform::OpenForReading(projectorFile);
  QFile swfFile(swf);
  Platform::OpenForReading(swfFile);

  Platform::TSafeFileWriter writer(target);
  Platform::CopyToEnd(projectorFile, writer.Device(), projector, target);
  const qint64 movieLength = Platform::CopyToEnd(
      swfFile, writer.Device(), swf, target, MaxMovieLength,
      QStringLiteral("The movie \"%1\" is too large for a player executable.")
          .arg(QDir::toNativeSeparators(swf)));
  writer.Write(Trailer(quint32(movieLength)));
  writer.SetPermissions(projectorFile.permissions() | QFileDevice::ReadOwner |
                        QFileDevice::WriteOwner);
  writer.Commit();
}

void ExeToSwf(const QString& exe, const QString& target) {
  const TEmbeddedMovieFile movie(exe);
  // A trailer can point at anything: only a whole movie is worth a file.
  CheckCompleteMovie(movie.Bytes(), exe);
  Platform::TSafeFileWriter writer(target);
  writer.Write(QByteArray::fromRawData(reinterpret_cast<const char*>(movie.Bytes().data()),
                                       qsizetype(movie.Bytes().size())));
  writer.Commit();
}
