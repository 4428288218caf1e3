#include "export/FrameSpool.h"

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>
#include <zlib.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "export/ExportError.h"
#include "platform/WriteFailure.h"

namespace exporter {

namespace {

// An unnamed file in the temporary folder: nothing is left behind however the export ends.
int OpenNamelessFile() {
  std::error_code error;
  const std::string dir = std::filesystem::temp_directory_path(error).string();
  if (error) {
    errno = error.value();
    return -1;
  }
  int fd = ::open(dir.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
  if (fd >= 0 || (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)) return fd;
  // A file system without unnamed files: a named one, removed at once.
  std::string name = dir + "/greetix-frames-XXXXXX";
  fd = ::mkostemp(name.data(), O_CLOEXEC);
  if (fd >= 0) ::unlink(name.c_str());
  return fd;
}

}  // namespace

TFrameSpool::TFrameSpool(const QSize& size, std::string shownName)
    : FSize(size), FShownName(std::move(shownName)) {
  FDescriptor = OpenNamelessFile();
  if (FDescriptor < 0) Fail(errno);
  const size_t bytes = static_cast<size_t>(size.width()) * size.height() * 4;
  FLast.assign(bytes, 0);
  FDelta.resize(bytes);
  FPacked.resize(compressBound(static_cast<uLong>(bytes)));
}

TFrameSpool::~TFrameSpool() {
  if (FDescriptor >= 0) ::close(FDescriptor);
}

void TFrameSpool::Fail(int error) const {
  throw TExportError("Cannot write \"" + FShownName + "\": " + files::WriteFailureText(error) +
                     " (keeping its frames in the temporary folder).");
}

void TFrameSpool::WriteAll(const void* data, size_t size) {
  const auto* bytes = static_cast<const uint8_t*>(data);
  while (size > 0) {
    const ssize_t written = ::pwrite(FDescriptor, bytes, size, static_cast<off_t>(FEnd));
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) Fail(written < 0 ? errno : ENOSPC);
    bytes += written;
    size -= static_cast<size_t>(written);
    FEnd += static_cast<uint64_t>(written);
  }
}

void TFrameSpool::ReadAll(void* data, size_t size) {
  auto* bytes = static_cast<uint8_t*>(data);
  while (size > 0) {
    const ssize_t got = ::pread(FDescriptor, bytes, size, static_cast<off_t>(FReadAt));
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) throw TExportError("The drawn frames could not be read back from the temporary folder.");
    bytes += got;
    size -= static_cast<size_t>(got);
    FReadAt += static_cast<uint64_t>(got);
  }
}

void TFrameSpool::Add(const QImage& frame) {
  const QImage pixels = frame.format() == QImage::Format_RGB32 ? frame : frame.convertToFormat(QImage::Format_RGB32);
  const size_t row = static_cast<size_t>(FSize.width()) * 4;
  for (int y = 0; y < FSize.height(); ++y) {
    const uint8_t* in = pixels.constScanLine(y);
    uint8_t* last = &FLast[y * row];
    uint8_t* delta = &FDelta[y * row];
    for (size_t x = 0; x < row; ++x) {
      delta[x] = in[x] ^ last[x];
      last[x] = in[x];
    }
  }
  uLongf packed = static_cast<uLongf>(FPacked.size());
  if (compress2(FPacked.data(), &packed, FDelta.data(), static_cast<uLong>(FDelta.size()), Z_BEST_SPEED) != Z_OK)
    throw TExportError("There is not enough memory to keep the drawn frames.");
  const uint32_t size = static_cast<uint32_t>(packed);
  WriteAll(&size, sizeof size);
  WriteAll(FPacked.data(), packed);
  ++FFrames;
}

QImage TFrameSpool::Next() {
  if (FRead >= FFrames) throw TExportError("The drawn frames ended early.");
  if (FRead == 0) {
    FReadAt = 0;
    std::fill(FLast.begin(), FLast.end(), 0);
  }
  uint32_t size = 0;
  ReadAll(&size, sizeof size);
  if (size > FPacked.size()) throw TExportError("The drawn frames could not be read back from the temporary folder.");
  ReadAll(FPacked.data(), size);
  uLongf unpacked = static_cast<uLongf>(FDelta.size());
  if (uncompress(FDelta.data(), &unpacked, FPacked.data(), size) != Z_OK || unpacked != FDelta.size())
    throw TExportError("The drawn frames could not be read back from the temporary folder.");
  QImage image(FSize, QImage::Format_RGB32);
  if (image.isNull()) throw TExportError("There is not enough memory for a picture of this size.");
  const size_t row = static_cast<size_t>(FSize.width()) * 4;
  for (int y = 0; y < FSize.height(); ++y) {
    uint8_t* out = image.scanLine(y);
    uint8_t* last = &FLast[y * row];
    const uint8_t* delta = &FDelta[y * row];
    for (size_t x = 0; x < row; ++x) {
      last[x] ^= delta[x];
      out[x] = last[x];
    }
  }
  ++FRead;
  return image;
}

}  // namespace exporter
