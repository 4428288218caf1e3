#include "render/BmpPicture.h"

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include <QImage>
#include <QImageReader>
#include <QString>

#include "render/PictureError.h"

namespace {

constexpr std::size_t FileHeaderBytes = 14;
constexpr std::size_t LongestInfoHeaderBytes = 124; // BITMAPV5HEADER

std::uint32_t Read16(const std::uint8_t* bytes) { return bytes[0] | (bytes[1] << 8); }
std::uint32_t Read32(const std::uint8_t* bytes)
{
  return bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (static_cast<std::uint32_t>(bytes[3]) << 24);
}

[[noreturn]] void Damaged(const std::string& path, const std::string& why)
{
  throw TPictureError("The picture file \"" + path + "\" is not a readable bitmap (" + why + ").");
}

} // namespace

TPictureSize ReadBmpSize(const std::string& path)
{
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  if (!in) throw TPictureError("Cannot open the picture file \"" + path + "\": " + std::strerror(errno) + ".");
  const auto fileBytes = static_cast<std::int64_t>(in.tellg());
  in.seekg(0);
  std::array<std::uint8_t, FileHeaderBytes + LongestInfoHeaderBytes> header{};
  in.read(reinterpret_cast<char*>(header.data()), static_cast<std::streamsize>(header.size()));
  const auto got = static_cast<std::size_t>(in.gcount());

  if (got < FileHeaderBytes + 4 || header[0] != 'B' || header[1] != 'M') Damaged(path, "no bitmap header");
  const std::uint32_t pixelOffset = Read32(&header[10]);
  const std::uint32_t infoBytes = Read32(&header[14]);
  const std::uint8_t* info = &header[FileHeaderBytes];

  std::int64_t width = 0;
  std::int64_t height = 0;
  std::uint32_t bitCount = 0;
  std::uint32_t compression = 0; // uncompressed
  if (infoBytes == 12) {
    if (got < FileHeaderBytes + 12) Damaged(path, "cut short");
    width = Read16(info + 4);
    height = Read16(info + 6);
    bitCount = Read16(info + 10);
  } else if (infoBytes >= 16 && infoBytes <= LongestInfoHeaderBytes) {
    if (got < FileHeaderBytes + infoBytes) Damaged(path, "cut short");
    width = static_cast<std::int32_t>(Read32(info + 4));
    height = static_cast<std::int32_t>(Read32(info + 8)); // negative: rows from the top
    bitCount = Read16(info + 14);
    if (infoBytes >= 20) compression = Read32(info + 16);
  } else {
    Damaged(path, "unknown header size " + std::to_string(infoBytes));
  }
  height = std::llabs(height);
  if (width <= 0 || height <= 0) Damaged(path, "no pixels");
  if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32)
    Damaged(path, std::to_string(bitCount) + " bits per pixel");

  // Uncompressed rows (plain, or with colour masks) have a known length: a header that
  // declares more rows than the file holds is lying, whatever size it declares.
  if (height > 0x7fffffff) Damaged(path, "impossible size");
  const bool uncompressed = compression == 0 || compression == 3 || compression == 6;
  if (uncompressed) {
    // A row takes under 2^34 bytes, but rows x height can pass 2^63: compare by division.
    const std::int64_t rowBytes = (width * bitCount + 31) / 32 * 4;
    const std::int64_t pixelBytes = fileBytes - static_cast<std::int64_t>(pixelOffset);
    if (pixelBytes < 0 || rowBytes > pixelBytes / height) Damaged(path, "cut short");
  }
  return {static_cast<int>(width), static_cast<int>(height)};
}

TRgbPicture DecodeBmp(const std::string& path)
{
  QImageReader reader(QString::fromStdString(path), "bmp");
  reader.setDecideFormatFromContent(false);
  QImage image = reader.read();
  if (image.isNull()) Damaged(path, reader.errorString().toStdString());
  image = image.convertToFormat(QImage::Format_RGB888);
  if (image.isNull()) Damaged(path, "out of memory");

  TRgbPicture picture;
  picture.Width = image.width();
  picture.Height = image.height();
  picture.Pixels.resize(picture.RowBytes() * static_cast<std::size_t>(picture.Height));
  for (int y = 0; y < picture.Height; ++y)
    std::memcpy(picture.Pixels.data() + picture.RowBytes() * static_cast<std::size_t>(y), image.constScanLine(y),
                picture.RowBytes());
  return picture;
}
