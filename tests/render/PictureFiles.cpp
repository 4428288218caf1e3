#include "PictureFiles.h"

#include <fstream>

#include "render/JpegCodec.h"

namespace {
void Put16(std::string& out, std::uint32_t value)
{
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>((value >> 8) & 0xFF);
}
void Put32(std::string& out, std::uint32_t value)
{
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}
std::size_t RowBytes(std::int64_t width) { return static_cast<std::size_t>((width * 24 + 31) / 32 * 4); }
} // namespace

TRgbPicture SolidPicture(int width, int height, std::uint8_t red, std::uint8_t green, std::uint8_t blue)
{
  TRgbPicture picture;
  picture.Width = width;
  picture.Height = height;
  picture.Pixels.resize(picture.RowBytes() * static_cast<std::size_t>(height));
  for (std::size_t i = 0; i < picture.Pixels.size(); i += 3) {
    picture.Pixels[i] = red;
    picture.Pixels[i + 1] = green;
    picture.Pixels[i + 2] = blue;
  }
  return picture;
}

std::string BmpHeaderBytes(std::int32_t width, std::int32_t height, std::size_t pixelBytes)
{
  std::string out = "BM";
  Put32(out, static_cast<std::uint32_t>(54 + pixelBytes));
  Put32(out, 0);
  Put32(out, 54);
  Put32(out, 40);
  Put32(out, static_cast<std::uint32_t>(width));
  Put32(out, static_cast<std::uint32_t>(height));
  Put16(out, 1);
  Put16(out, 24);
  Put32(out, 0); // uncompressed
  Put32(out, static_cast<std::uint32_t>(pixelBytes));
  Put32(out, 2835);
  Put32(out, 2835);
  Put32(out, 0);
  Put32(out, 0);
  return out;
}

std::string BmpBytes(const TRgbPicture& picture)
{
  const std::size_t rowBytes = RowBytes(picture.Width);
  std::string out = BmpHeaderBytes(picture.Width, picture.Height, rowBytes * picture.Height);
  for (int y = picture.Height - 1; y >= 0; --y) {
    std::string row(rowBytes, '\0');
    for (int x = 0; x < picture.Width; ++x) {
      const std::uint8_t* rgb = picture.Pixels.data() + picture.RowBytes() * y + 3 * x;
      row[3 * x] = static_cast<char>(rgb[2]); // stored blue, green, red
      row[3 * x + 1] = static_cast<char>(rgb[1]);
      row[3 * x + 2] = static_cast<char>(rgb[0]);
    }
    out += row;
  }
  return out;
}

void WriteBmp(const std::string& path, int width, int height, std::uint8_t red, std::uint8_t green, std::uint8_t blue)
{
  std::ofstream(path, std::ios::binary) << BmpBytes(SolidPicture(width, height, red, green, blue));
}

void WriteJpeg(const std::string& path, int width, int height, std::uint8_t red, std::uint8_t green, std::uint8_t blue)
{
  const std::vector<std::uint8_t> bytes = EncodeJpeg(SolidPicture(width, height, red, green, blue), 90);
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

std::vector<int> PixelAt(const TRgbPicture& picture, int x, int y)
{
  const std::uint8_t* rgb = picture.Pixels.data() + picture.RowBytes() * y + 3 * x;
  return {rgb[0], rgb[1], rgb[2]};
}
