#include "export/FrameSpool.h"

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
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

TFrameSpool::TFrameSpool(const QSize& size, std::string shownName, uint64_t maxBytes)
    : FSize(size), FShownName(std::move(shownName)), FMaxBytes(maxBytes) {
  FDescriptor = OpenNamelessFile();
  if (FDescriptor < 0) Fail(errno);
  FLast.assign(static_cast<size_t>(size.width()) * size.height(), 0);
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

// A frame is stored as runs over its pixels, each a u32 of kind (top two bits) and length:
// pixels as in the frame before, pixels of one colour (then that colour), or pixels given
// one by one. Drawn frames mostly repeat the one before or fill areas with one colour.
namespace {

enum : uint32_t { RunSame = 0u << 30, RunFill = 1u << 30, RunLiteral = 2u << 30 };
constexpr uint32_t KindMask = 3u << 30;
constexpr uint32_t MaxRun = (1u << 30) - 1;
constexpr size_t MinFill = 4;  // shorter runs of one colour are cheaper as literals

}  // namespace

bool TFrameSpool::Add(const QImage& frame) {
  if (FFull) return false;
  const QImage pixels = frame.format() == QImage::Format_RGB32 ? frame : frame.convertToFormat(QImage::Format_RGB32);
  const size_t width = static_cast<size_t>(FSize.width());
  FRuns.clear();
  for (int y = 0; y < FSize.height(); ++y) {
    const auto* in = reinterpret_cast<const uint32_t*>(pixels.constScanLine(y));
    uint32_t* last = &FLast[y * width];
    size_t x = 0;
    while (x < width) {
      size_t end = x;
      while (end < width && in[end] == last[end]) ++end;
      if (end > x) {
        FRuns.push_back(RunSame | static_cast<uint32_t>(end - x));
        x = end;
        continue;
      }
      while (end < width && in[end] == in[x]) ++end;
      if (end - x >= MinFill) {
        FRuns.push_back(RunFill | static_cast<uint32_t>(end - x));
        FRuns.push_back(in[x]);
      } else {
        // Literals up to the next pixel as before or the next run of one colour.
        end = x + 1;
        while (end < width && in[end] != last[end] &&
               !(end + MinFill <= width && in[end] == in[end + 1] && in[end] == in[end + 2] &&
                 in[end] == in[end + 3]))
          ++end;
        FRuns.push_back(RunLiteral | static_cast<uint32_t>(end - x));
        FRuns.insert(FRuns.end(), in + x, in + end);
      }
      std::copy(in + x, in + end, last + x);
      x = end;
    }
  }
  const uint32_t count = static_cast<uint32_t>(FRuns.size());
  if (FEnd + sizeof count + FRuns.size() * sizeof(uint32_t) > FMaxBytes) {
    FFull = true;
    FFrames = 0;
    FEnd = 0;
    if (::ftruncate(FDescriptor, 0) != 0) {
      // The space comes back when the spool is closed.
    }
    return false;
  }
  WriteAll(&count, sizeof count);
  WriteAll(FRuns.data(), FRuns.size() * sizeof(uint32_t));
  ++FFrames;
  return true;
}

QImage TFrameSpool::Next() {
  if (FRead >= FFrames) throw TExportError("The drawn frames ended early.");
  if (FRead == 0) {
    FReadAt = 0;
    std::fill(FLast.begin(), FLast.end(), 0);
  }
  const auto broken = [] { return TExportError("The drawn frames could not be read back from the temporary folder."); };
  uint32_t count = 0;
  ReadAll(&count, sizeof count);
  const size_t width = static_cast<size_t>(FSize.width());
  // A frame's runs never outnumber two words a pixel and one a row.
  if (count > FLast.size() * 2 + FSize.height()) throw broken();
  FRuns.resize(count);
  ReadAll(FRuns.data(), count * sizeof(uint32_t));
  QImage image(FSize, QImage::Format_RGB32);
  if (image.isNull()) throw TExportError("There is not enough memory for a picture of this size.");
  size_t run = 0;
  for (int y = 0; y < FSize.height(); ++y) {
    auto* out = reinterpret_cast<uint32_t*>(image.scanLine(y));
    uint32_t* last = &FLast[y * width];
    size_t x = 0;
    while (x < width) {
      if (run >= FRuns.size()) throw broken();
      const uint32_t kind = FRuns[run] & KindMask;
      const size_t length = FRuns[run++] & MaxRun;
      if (length == 0 || length > width - x) throw broken();
      if (kind == RunFill) {
        if (run >= FRuns.size()) throw broken();
        std::fill(last + x, last + x + length, FRuns[run++]);
      } else if (kind == RunLiteral) {
        if (length > FRuns.size() - run) throw broken();
        std::copy(&FRuns[run], &FRuns[run] + length, last + x);
        run += length;
      } else if (kind != RunSame) {
        throw broken();
      }
      x += length;
    }
    std::copy(last, last + width, out);
  }
  ++FRead;
  return image;
}

}  // namespace exporter
