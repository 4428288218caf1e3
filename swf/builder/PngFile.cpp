#include "swf/builder/PngFile.h"

#include <png.h>
#include <zlib.h>

#include <cstring>

#include "swf/format/SwfError.h"

namespace swf {

namespace {

constexpr uint32_t MaxSide = 65535;            // the tag's 16-bit width and height
constexpr uint64_t MaxPixels = 64ull << 20;    // 256 MB of pixels at most

// Straight RGBA bytes to the tag's premultiplied ARGB, in place.
void PremultiplyToArgb(std::vector<uint8_t>& pixels) {
  for (size_t i = 0; i + 4 <= pixels.size(); i += 4) {
    const unsigned r = pixels[i], g = pixels[i + 1], b = pixels[i + 2], a = pixels[i + 3];
    pixels[i] = static_cast<uint8_t>(a);
    pixels[i + 1] = static_cast<uint8_t>((r * a + 127) / 255);
    pixels[i + 2] = static_cast<uint8_t>((g * a + 127) / 255);
    pixels[i + 3] = static_cast<uint8_t>((b * a + 127) / 255);
  }
}

std::vector<uint8_t> Compress(const std::vector<uint8_t>& data) {
  uLongf size = compressBound(static_cast<uLong>(data.size()));
  std::vector<uint8_t> out(size);
  if (compress2(out.data(), &size, data.data(), static_cast<uLong>(data.size()), 6) != Z_OK)
    throw TSwfError("Can not compress the picture's pixels");
  out.resize(size);
  return out;
}

}  // namespace

bool IsPngData(const std::vector<uint8_t>& bytes) {
  static const uint8_t Signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  return bytes.size() >= 8 && std::memcmp(bytes.data(), Signature, 8) == 0;
}

std::shared_ptr<TBitmapData> DecodePngForMovie(const std::vector<uint8_t>& bytes, const std::string& path) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size()))
    throw TSwfError("The picture file is not a readable PNG image: " + path + " (" + image.message + ")");
  if (image.width == 0 || image.height == 0 || image.width > MaxSide || image.height > MaxSide ||
      uint64_t(image.width) * image.height > MaxPixels) {
    png_image_free(&image);
    throw TSwfError("The picture is too large for the movie: " + path);
  }
  image.format = PNG_FORMAT_RGBA;  // 8 bits a channel, alpha not premultiplied
  std::vector<uint8_t> pixels(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr))
    throw TSwfError("The picture file is damaged: " + path + " (" + image.message + ")");
  PremultiplyToArgb(pixels);
  auto bitmap = std::make_shared<TBitmapData>();
  bitmap->Width = static_cast<int>(image.width);
  bitmap->Height = static_cast<int>(image.height);
  bitmap->Lossless = Compress(pixels);
  return bitmap;
}

}  // namespace swf
