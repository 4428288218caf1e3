#include "player/bitmap/BitmapDecoder.h"

#include <algorithm>

#include "player/bitmap/JpegDecoder.h"
#include "swf/format/SwfError.h"
#include "swf/reader/BitmapData.h"

namespace player {

namespace {

bool StartsWith(const std::vector<uint8_t>& data, std::initializer_list<uint8_t> prefix) {
  return data.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), data.begin());
}

// DefineBitsJPEG2/3 may also hold PNG or GIF data, which Qt reads itself.
QImage DecodeOtherFormat(const std::vector<uint8_t>& data, std::string& error) {
  const char* format = StartsWith(data, {0x89, 'P', 'N', 'G'}) ? "PNG" : "GIF";
  QImage image;
  image.loadFromData(data.data(), static_cast<int>(std::min<size_t>(data.size(), INT32_MAX)),
                     format);
  if (image.isNull()) error = std::string("The ") + format + " picture could not be read";
  if (static_cast<uint64_t>(image.width()) * image.height() > MaxImagePixels) {
    error = "The picture is too large";
    return QImage();
  }
  return image;
}

// JPEG3 alpha plane: one byte per pixel; the JPEG colours are meant premultiplied, so
// a colour value above its alpha is clamped to it.
void ApplyAlpha(QImage& image, const std::vector<uint8_t>& alpha) {
  image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  const int width = image.width();
  for (int y = 0; y < image.height(); ++y) {
    auto* row = reinterpret_cast<uint32_t*>(image.scanLine(y));
    const uint8_t* alphaRow = alpha.data() + static_cast<size_t>(y) * width;
    for (int x = 0; x < width; ++x) {
      const uint32_t a = alphaRow[x];
      const uint32_t r = std::min((row[x] >> 16) & 0xFF, a);
      const uint32_t g = std::min((row[x] >> 8) & 0xFF, a);
      const uint32_t b = std::min(row[x] & 0xFF, a);
      row[x] = (a << 24) | (r << 16) | (g << 8) | b;
    }
  }
}

QImage DecodeJpegKind(const swf::TBitmap& bitmap, std::span<const uint8_t> tables,
                      std::string& error) {
  const std::vector<uint8_t> stream = swf::JpegStream(bitmap, tables);
  if (!StartsWith(stream, {0xFF, 0xD8})) {
    if (StartsWith(stream, {0x89, 'P', 'N', 'G'}) || StartsWith(stream, {'G', 'I', 'F', '8'})) {
      return DecodeOtherFormat(stream, error);
    }
  }
  QImage image = DecodeJpeg(stream.data(), stream.size(), error);
  if (image.isNull()) return image;
  if (bitmap.Kind == swf::TBitmapKind::Jpeg3 && !bitmap.AlphaData.empty()) {
    const std::vector<uint8_t> alpha = swf::DecodeJpegAlpha(
        bitmap, static_cast<uint32_t>(image.width()), static_cast<uint32_t>(image.height()));
    if (!alpha.empty()) ApplyAlpha(image, alpha);
  }
  return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QImage DecodeLosslessKind(const swf::TBitmap& bitmap, std::string& error) {
  if (static_cast<uint64_t>(bitmap.Width) * bitmap.Height > MaxImagePixels) {
    error = "The picture is too large";
    return QImage();
  }
  swf::TPixels pixels = swf::DecodeLossless(bitmap);
  if (pixels.Width == 0 || pixels.Height == 0 ||
      pixels.Argb.size() < static_cast<size_t>(pixels.Width) * pixels.Height) {
    error = "The picture holds no pixels";
    return QImage();
  }
  QImage image(static_cast<int>(pixels.Width), static_cast<int>(pixels.Height),
               QImage::Format_ARGB32_Premultiplied);
  if (image.isNull()) {
    error = "Out of memory for the picture";
    return image;
  }
  for (int y = 0; y < image.height(); ++y) {
    const uint32_t* source = pixels.Argb.data() + static_cast<size_t>(y) * pixels.Width;
    auto* row = reinterpret_cast<uint32_t*>(image.scanLine(y));
    for (uint32_t x = 0; x < pixels.Width; ++x) {
      // Premultiplied data whose colour exceeds its alpha would paint garbage: clamp it.
      const uint32_t p = source[x];
      const uint32_t a = p >> 24;
      row[x] = (a << 24) | (std::min((p >> 16) & 0xFF, a) << 16) |
               (std::min((p >> 8) & 0xFF, a) << 8) | std::min(p & 0xFF, a);
    }
  }
  return image;
}

}  // namespace

QImage DecodeBitmap(const swf::TBitmap& bitmap, std::span<const uint8_t> jpegTables,
                    std::string& error) {
  try {
    return bitmap.IsJpeg() ? DecodeJpegKind(bitmap, jpegTables, error)
                           : DecodeLosslessKind(bitmap, error);
  } catch (const std::exception& e) {
    error = e.what();
    return QImage();
  }
}

}  // namespace player
