#include "PictureKindFiles.h"

#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <stdexcept>

namespace {

struct TPngWriter {
  png_structp Png = nullptr;
  png_infop Info = nullptr;
  std::FILE* File = nullptr;
  ~TPngWriter()
  {
    png_destroy_write_struct(&Png, &Info);
    if (File) std::fclose(File);
  }
};

void PutSample(std::vector<png_byte>& row, int bitDepth, std::size_t index, unsigned value8)
{
  if (bitDepth == 16) {
    row[index * 2] = png_byte(value8); // v * 257: both bytes equal
    row[index * 2 + 1] = png_byte(value8);
  } else if (bitDepth == 8) {
    row[index] = png_byte(value8);
  } else { // packed: the top bits of the value, high bits first
    const unsigned value = value8 >> (8 - bitDepth);
    const std::size_t bit = index * std::size_t(bitDepth);
    row[bit / 8] |= png_byte(value << (8 - bitDepth - bit % 8));
  }
}

void PutIndex(std::vector<png_byte>& row, int bitDepth, std::size_t index, unsigned value)
{
  if (bitDepth == 8) {
    row[index] = png_byte(value);
    return;
  }
  const std::size_t bit = index * std::size_t(bitDepth);
  row[bit / 8] |= png_byte(value << (8 - bitDepth - bit % 8));
}

void PutCode(std::string& bits, unsigned& buffer, int& count, unsigned code, int width)
{
  buffer |= code << count;
  count += width;
  while (count >= 8) {
    bits.push_back(char(buffer & 0xFF));
    buffer >>= 8;
    count -= 8;
  }
}

// LZW data without compression: every index a literal code of 9 bits, with a clear code
// before the table would need 10-bit codes.
std::string LzwLiterals(const std::vector<std::uint8_t>& indices)
{
  std::string bits;
  unsigned buffer = 0;
  int count = 0;
  PutCode(bits, buffer, count, 256, 9);
  int sinceClear = 0;
  for (std::uint8_t index : indices) {
    if (sinceClear == 250) {
      PutCode(bits, buffer, count, 256, 9);
      sinceClear = 0;
    }
    PutCode(bits, buffer, count, index, 9);
    ++sinceClear;
  }
  PutCode(bits, buffer, count, 257, 9);
  if (count > 0) bits.push_back(char(buffer & 0xFF));
  std::string blocks;
  blocks.push_back(char(8)); // minimum code size
  for (std::size_t at = 0; at < bits.size(); at += 255) {
    const std::string block = bits.substr(at, 255);
    blocks.push_back(char(block.size()));
    blocks += block;
  }
  blocks.push_back('\0');
  return blocks;
}

void Put16(std::string& out, int value)
{
  out.push_back(char(value & 0xFF));
  out.push_back(char((value >> 8) & 0xFF));
}

} // namespace

void WritePng(const std::string& path, int width, int height, int colourType, int bitDepth, bool interlaced,
              const TPixelFunction& pixel, const TRgba8* transparentKey)
{
  TPngWriter writer;
  writer.File = std::fopen(path.c_str(), "wb");
  if (!writer.File) throw std::runtime_error("cannot write " + path);
  writer.Png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  writer.Info = png_create_info_struct(writer.Png);
  if (setjmp(png_jmpbuf(writer.Png))) throw std::runtime_error("libpng failed writing " + path);
  png_init_io(writer.Png, writer.File);
  png_set_IHDR(writer.Png, writer.Info, png_uint_32(width), png_uint_32(height), bitDepth, colourType,
               interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);

  std::map<std::uint32_t, unsigned> paletteIndex;
  if (colourType == PNG_COLOR_TYPE_PALETTE) {
    std::vector<png_color> palette;
    std::vector<png_byte> alphas;
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) {
        const TRgba8 c = pixel(x, y);
        const std::uint32_t key = (std::uint32_t(c.A) << 24) | (c.R << 16) | (c.G << 8) | c.B;
        if (paletteIndex.emplace(key, unsigned(palette.size())).second) {
          palette.push_back({c.R, c.G, c.B});
          alphas.push_back(c.A);
        }
      }
    png_set_PLTE(writer.Png, writer.Info, palette.data(), int(palette.size()));
    bool translucent = false;
    for (png_byte a : alphas) translucent = translucent || a != 255;
    if (translucent) png_set_tRNS(writer.Png, writer.Info, alphas.data(), int(alphas.size()), nullptr);
  } else if (transparentKey) {
    const int scale = bitDepth == 16 ? 257 : 1;
    png_color_16 key{};
    key.red = png_uint_16(transparentKey->R * scale);
    key.green = png_uint_16(transparentKey->G * scale);
    key.blue = png_uint_16(transparentKey->B * scale);
    key.gray = png_uint_16((transparentKey->R >> (bitDepth < 8 ? 8 - bitDepth : 0)) * scale);
    png_set_tRNS(writer.Png, writer.Info, nullptr, 0, &key);
  }
  png_write_info(writer.Png, writer.Info);

  const int channels = colourType == PNG_COLOR_TYPE_RGB_ALPHA ? 4 : colourType == PNG_COLOR_TYPE_RGB ? 3
                       : colourType == PNG_COLOR_TYPE_GRAY_ALPHA ? 2 : 1;
  std::vector<std::vector<png_byte>> rows(static_cast<std::size_t>(height));
  std::vector<png_bytep> pointers;
  for (int y = 0; y < height; ++y) {
    std::vector<png_byte>& row = rows[std::size_t(y)];
    row.assign(std::size_t(width) * std::size_t(channels) * std::size_t(bitDepth) / 8 + 2, 0);
    for (int x = 0; x < width; ++x) {
      const TRgba8 c = pixel(x, y);
      const std::size_t at = std::size_t(x) * std::size_t(channels);
      if (colourType == PNG_COLOR_TYPE_PALETTE) {
        const std::uint32_t key = (std::uint32_t(c.A) << 24) | (c.R << 16) | (c.G << 8) | c.B;
        PutIndex(row, bitDepth, std::size_t(x), paletteIndex.at(key));
        continue;
      }
      const unsigned values[4] = {c.R, c.G, c.B, c.A};
      if (channels >= 3) {
        for (int i = 0; i < channels; ++i) PutSample(row, bitDepth, at + std::size_t(i), values[i]);
      } else {
        PutSample(row, bitDepth, at, c.R);
        if (channels == 2) PutSample(row, bitDepth, at + 1, c.A);
      }
    }
    pointers.push_back(row.data());
  }
  png_write_image(writer.Png, pointers.data());
  png_write_end(writer.Png, writer.Info);
}

std::vector<TRgba8> ReadPngPixels(const std::string& path, int& width, int& height)
{
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return {};
  image.format = PNG_FORMAT_RGBA;
  std::vector<TRgba8> pixels(std::size_t(image.width) * image.height);
  if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) return {};
  width = int(image.width);
  height = int(image.height);
  return pixels;
}

std::string GifBytes(int width, int height, const std::vector<TGifFrame>& frames)
{
  std::string out = "GIF89a";
  Put16(out, width);
  Put16(out, height);
  out += std::string("\0\0\0", 3); // no global colour table
  if (frames.size() > 1) {
    out += "\x21\xFF\x0BNETSCAPE2.0\x03\x01";
    Put16(out, 0); // loop forever
    out.push_back('\0');
  }
  for (const TGifFrame& frame : frames) {
    out += "\x21\xF9\x04";
    out.push_back(char((frame.Disposal << 2) | (frame.Transparent >= 0 ? 1 : 0)));
    Put16(out, frame.DelayCs);
    out.push_back(char(frame.Transparent >= 0 ? frame.Transparent : 0));
    out.push_back('\0');
    out.push_back(',');
    Put16(out, frame.Left);
    Put16(out, frame.Top);
    Put16(out, frame.Width);
    Put16(out, frame.Height);
    out.push_back(char(0x80 | 7)); // a local table of 256 colours
    for (int i = 0; i < 256; ++i) {
      const TRgba8 c = i < int(frame.Palette.size()) ? frame.Palette[std::size_t(i)] : TRgba8{};
      out.push_back(char(c.R));
      out.push_back(char(c.G));
      out.push_back(char(c.B));
    }
    out += LzwLiterals(frame.Indices);
  }
  out.push_back(';');
  return out;
}

TGifFrame SolidGifFrame(int width, int height, TRgba8 colour, int delayCs)
{
  TGifFrame frame;
  frame.Palette = {colour};
  frame.Indices.assign(std::size_t(width) * std::size_t(height), 0);
  frame.Width = width;
  frame.Height = height;
  frame.DelayCs = delayCs;
  return frame;
}

bool HaveProgram(const std::string& name)
{
  return std::system(("command -v " + name + " >/dev/null 2>&1").c_str()) == 0;
}

bool RunQuietly(const std::string& command) { return std::system((command + " >/dev/null 2>&1").c_str()) == 0; }
