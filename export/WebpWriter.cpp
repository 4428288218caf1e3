#include "export/WebpWriter.h"

#include <webp/encode.h>

#include <algorithm>
#include <cstring>

#include "export/ExportError.h"

namespace exporter {

namespace {

// Fields of the container are little-endian; ANMF's are 24 bits wide.
void Put16(std::string& out, uint32_t value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>((value >> 8) & 0xFF);
}
void Put24(std::string& out, uint32_t value) {
  Put16(out, value & 0xFFFF);
  out += static_cast<char>((value >> 16) & 0xFF);
}
void Put32(std::string& out, uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

std::string Chunk(const char* tag, const std::string& payload) {
  std::string chunk(tag, 4);
  Put32(chunk, static_cast<uint32_t>(payload.size()));
  chunk += payload;
  if (payload.size() % 2) chunk += '\0';
  return chunk;
}

constexpr int64_t MaxDuration = 0xFFFFFF;  // milliseconds an ANMF can hold
constexpr uint64_t MaxRiffSize = 0xFFFFFFFEull;
constexpr uint8_t DoNotBlend = 0x02;

int WriteToString(const uint8_t* data, size_t size, const WebPPicture* picture) {
  static_cast<std::string*>(picture->custom_ptr)->append(reinterpret_cast<const char*>(data), size);
  return 1;
}

}  // namespace

TWebpWriter::TWebpWriter(const std::string& path, const std::string& shownName, const QSize& size, int quality,
                         int loops)
    : FFile(path, shownName), FSize(size), FQuality(std::clamp(quality, 1, 100)) {
  if (size.width() < 1 || size.height() < 1 || size.width() > WEBP_MAX_DIMENSION || size.height() > WEBP_MAX_DIMENSION)
    throw TExportError("A WebP animation cannot be " + std::to_string(size.width()) + " x " +
                       std::to_string(size.height()) + " pixels.");
  std::string header("RIFF\0\0\0\0WEBP", 12);  // the size is filled in at the end
  std::string canvas;
  canvas += static_cast<char>(0x02);  // animation
  canvas.append(3, '\0');
  Put24(canvas, static_cast<uint32_t>(size.width() - 1));
  Put24(canvas, static_cast<uint32_t>(size.height() - 1));
  header += Chunk("VP8X", canvas);
  std::string animation;
  Put32(animation, 0xFFFFFFFFu);  // background: opaque white (B, G, R, A)
  Put16(animation, static_cast<uint32_t>(std::clamp(loops, 0, 0xFFFF)));
  header += Chunk("ANIM", animation);
  FFile.Write(header);
}

TWebpWriter::~TWebpWriter() = default;

TWebpWriter::TRect TWebpWriter::ChangedRect(const QImage& frame) const {
  if (FPrevious.isNull()) return {0, 0, FSize.width(), FSize.height()};
  const int width = FSize.width(), height = FSize.height();
  int top = 0, bottom = height - 1;
  const auto rowsEqual = [&](int y) {
    return std::memcmp(frame.constScanLine(y), FPrevious.constScanLine(y), static_cast<size_t>(width) * 4) == 0;
  };
  while (top < height && rowsEqual(top)) ++top;
  if (top == height) return {};
  while (bottom > top && rowsEqual(bottom)) --bottom;
  int left = width, right = -1;
  for (int y = top; y <= bottom; ++y) {
    const auto* now = reinterpret_cast<const uint32_t*>(frame.constScanLine(y));
    const auto* before = reinterpret_cast<const uint32_t*>(FPrevious.constScanLine(y));
    int x = 0;
    while (x < left && now[x] == before[x]) ++x;
    left = std::min(left, x);
    int r = width - 1;
    while (r > right && now[r] == before[r]) --r;
    right = std::max(right, r);
  }
  // Offsets are stored halved: the rectangle starts on even pixels.
  left &= ~1;
  top &= ~1;
  return {left, top, right - left + 1, bottom - top + 1};
}

std::string TWebpWriter::Encode(const QImage& frame, const TRect& rect) const {
  WebPConfig config;
  if (!WebPConfigInit(&config)) throw TExportError("The WebP encoder does not match its library.");
  config.lossless = 0;
  config.quality = static_cast<float>(FQuality);
  config.method = 3;
  WebPPicture picture;
  if (!WebPPictureInit(&picture)) throw TExportError("The WebP encoder does not match its library.");
  picture.use_argb = 1;
  picture.width = rect.Width;
  picture.height = rect.Height;
  const uint8_t* pixels = frame.constBits() + rect.Y * frame.bytesPerLine() + rect.X * 4;
  std::string encoded;
  picture.writer = WriteToString;
  picture.custom_ptr = &encoded;
  const bool imported = WebPPictureImportBGRA(&picture, pixels, static_cast<int>(frame.bytesPerLine())) != 0;
  const bool done = imported && WebPEncode(&config, &picture) != 0;
  const WebPEncodingError error = picture.error_code;
  WebPPictureFree(&picture);
  if (!done) {
    if (!imported || error == VP8_ENC_ERROR_OUT_OF_MEMORY || error == VP8_ENC_ERROR_BITSTREAM_OUT_OF_MEMORY)
      throw TExportError("There is not enough memory to export.");
    throw TExportError("The WebP encoder failed (error " + std::to_string(static_cast<int>(error)) + ").");
  }
  // The encoder writes a whole still picture: its chunks, after the 12-byte RIFF header,
  // are the frame's data.
  if (encoded.size() < 12) throw TExportError("The WebP encoder gave no picture.");
  return encoded.substr(12);
}

void TWebpWriter::Add(const QImage& frame, int durationMs) {
  if (frame.size() != FSize || frame.format() != QImage::Format_RGB32)
    throw TExportError("A picture of the wrong size reached the encoder.");
  const TRect rect = ChangedRect(frame);
  if (rect.Width == 0 && FPendingDuration + durationMs <= MaxDuration) {
    FPendingDuration += durationMs;  // nothing changed: the frame before stays longer
    return;
  }
  WritePending();
  // A frame with nothing new after a frame held as long as one can be is a small corner.
  FPendingRect = rect.Width == 0 ? TRect{0, 0, std::min(2, FSize.width()), std::min(2, FSize.height())} : rect;
  FPending = Encode(frame, FPendingRect);
  FPendingDuration = durationMs;
  FPrevious = frame;
}

void TWebpWriter::WritePending() {
  if (FPending.empty()) return;
  std::string frame;
  Put24(frame, static_cast<uint32_t>(FPendingRect.X / 2));
  Put24(frame, static_cast<uint32_t>(FPendingRect.Y / 2));
  Put24(frame, static_cast<uint32_t>(FPendingRect.Width - 1));
  Put24(frame, static_cast<uint32_t>(FPendingRect.Height - 1));
  Put24(frame, static_cast<uint32_t>(std::clamp<int64_t>(FPendingDuration, 0, MaxDuration)));
  frame += static_cast<char>(DoNotBlend);  // opaque pixels replace the rectangle; nothing disposed
  frame += FPending;
  const std::string chunk = Chunk("ANMF", frame);
  if (FFile.Size() + chunk.size() > MaxRiffSize)
    throw TExportError("The animation would be larger than the 4 GB a WebP file can hold; choose a smaller size.");
  FFile.Write(chunk);
  FPending.clear();
  ++FFramesWritten;
}

void TWebpWriter::Finish() {
  WritePending();
  std::string size;
  Put32(size, static_cast<uint32_t>(FFile.Size() - 8));
  FFile.WriteAt(4, size);
  FFile.Close();
}

}  // namespace exporter
