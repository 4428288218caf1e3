#include "convert/EmbeddedMovieFile.h"

#include "convert/ProjectorFile.h"
#include "platform/PlatformError.h"
#include "platform/SafeFile.h"
#include "swf/format/SwfError.h"
#include "swf/reader/SwfFile.h"

#include <QDir>

#include <stdexcept>
#include <string>

TEmbeddedMovieFile::TEmbeddedMovieFile(const QString& fileName) : FFile(fileName) {
  Platform::OpenForReading(FFile);
  const TEmbeddedMovie movie = LocateEmbeddedMovie(FFile, fileName);
  FLength = movie.Length;
  if (FLength == 0)
    return;
  FMapped = FFile.map(movie.Offset, FLength);
  if (FMapped)
    return;
  // The length was checked against the file's size, so this reads no more than is there.
  if (!FFile.seek(movie.Offset))
    throw Platform::TPlatformError(QStringLiteral("Cannot read file \"%1\". %2")
                                       .arg(QDir::toNativeSeparators(fileName), FFile.errorString()));
  FCopy = FFile.read(FLength);
  if (FCopy.size() != FLength)
    throw Platform::TPlatformError(QStringLiteral("Cannot read file \"%1\". %2")
                                       .arg(QDir::toNativeSeparators(fileName), FFile.errorString()));
}

TEmbeddedMovieFile::~TEmbeddedMovieFile() {
  if (FMapped)
    FFile.unmap(FMapped);
}

std::span<const uint8_t> TEmbeddedMovieFile::Bytes() const {
  const uchar* data = FMapped ? FMapped : reinterpret_cast<const uchar*>(FCopy.constData());
  return {data, size_t(FLength)};
}

namespace {

// Why the bytes are not one whole movie; empty when they are.
std::string WhyIncomplete(std::span<const uint8_t> bytes) {
  if (bytes.empty())
    return "it is empty";
  try {
    const swf::TSwfFile movie = swf::TSwfFile::FromBytes(bytes);
    const swf::THeader& header = movie.Header();
    if (header.Version == 0)
      return "its version is 0";
    // A compressed movie's length counts its bytes once unpacked.
    const uint64_t held = header.Signature == 'F' ? bytes.size() : movie.Data().size();
    if (held != header.FileLength)
      return "its header gives " + std::to_string(header.FileLength) + " bytes, it " +
             (header.Signature == 'F' ? "holds " : "unpacks to ") + std::to_string(held);
  } catch (const swf::TSwfError& error) {
    return error.what();
  }
  return {};
}

} // namespace

void CheckCompleteMovie(std::span<const uint8_t> bytes, const QString& programFile) {
  const std::string why = WhyIncomplete(bytes);
  if (!why.empty())
    throw std::runtime_error(QStringLiteral("The movie in \"%1\" is not a complete SWF movie: %2.")
                                 .arg(QDir::toNativeSeparators(programFile), QString::fromStdString(why))
                                 .toStdString());
}
