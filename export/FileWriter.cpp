#include "export/FileWriter.h"

#include <fcntl.h>
#include <unistd.h>

#include <QBuffer>
#include <QByteArray>
#include <QImage>

#include <cerrno>

#include "export/ExportError.h"
#include "platform/WriteFailure.h"

namespace exporter {

TFileWriter::TFileWriter(const std::string& path, std::string shownName) : FShownName(std::move(shownName)) {
  FDescriptor = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
  if (FDescriptor < 0) Fail(errno);
}

TFileWriter::~TFileWriter() {
  if (FDescriptor >= 0) ::close(FDescriptor);
}

void TFileWriter::Write(std::string_view bytes) {
  WriteAt(FSize, bytes);
}

void TFileWriter::WriteAt(uint64_t offset, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::pwrite(FDescriptor, bytes.data(), bytes.size(), static_cast<off_t>(offset));
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) Fail(written < 0 ? errno : ENOSPC);
    bytes.remove_prefix(static_cast<size_t>(written));
    offset += static_cast<uint64_t>(written);
  }
  if (offset > FSize) FSize = offset;
}

void TFileWriter::Close() {
  const int descriptor = FDescriptor;
  FDescriptor = -1;
  if (descriptor >= 0 && ::close(descriptor) != 0) Fail(errno);
}

void TFileWriter::Fail(int error) const {
  throw TExportError("Cannot write \"" + FShownName + "\": " + files::WriteFailureText(error) + ".");
}

void WritePngFile(const QImage& picture, const std::string& path, const std::string& shownName) {
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  if (!picture.save(&buffer, "PNG")) throw TExportError("There is not enough memory to make \"" + shownName + "\".");
  TFileWriter file(path, shownName);
  file.Write(std::string_view(png.constData(), static_cast<size_t>(png.size())));
  file.Close();
}

}  // namespace exporter
