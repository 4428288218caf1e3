#include "card/SwfStageSize.h"

#include "swf/reader/SwfFile.h"

#include <array>
#include <cstdint>
#include <fstream>
#include <stdexcept>
#include <vector>

namespace {

// Reads `count` bytes at `offset`; throws when the file cannot be opened or is too short.
std::vector<std::uint8_t> ReadBytes(const std::string& file, std::size_t offset, std::size_t count)
{
  std::ifstream in(file, std::ios::binary);
  if (!in) throw std::runtime_error("Cannot open file \"" + file + "\".");
  std::vector<std::uint8_t> bytes(offset + count);
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (static_cast<std::size_t>(in.gcount()) != bytes.size())
    throw std::runtime_error("The file \"" + file + "\" is too short to be a movie.");
  return std::vector<std::uint8_t>(bytes.begin() + static_cast<long>(offset), bytes.end());
}

// The signed field of `width` bits starting at bit `first` (bit 0 is the most significant
// bit of the first byte).
std::int32_t SignedBits(const std::vector<std::uint8_t>& bytes, unsigned first, unsigned width)
{
  if (width == 0) return 0;
  std::uint32_t value = 0;
  for (unsigned bit = first; bit < first + width; ++bit)
    value = (value << 1) | ((bytes[bit / 8] >> (7 - bit % 8)) & 1u);
  if (width < 32 && (value & (1u << (width - 1)))) value |= ~0u << width; // sign extension
  return static_cast<std::int32_t>(value);
}

// Field `index` (0 Xmin, 1 Xmax, 2 Ymin, 3 Ymax) of the frame rectangle, in pixels.
int StageField(const std::string& file, unsigned index)
{
  // A compressed movie's rectangle lies in its compressed body: the reader unpacks it.
  const std::vector<std::uint8_t> signature = ReadBytes(file, 0, 3);
  if ((signature[0] == 'C' || signature[0] == 'Z') && signature[1] == 'W' && signature[2] == 'S') {
    const swf::TRect stage = swf::TSwfFile::FromFile(file).Header().FrameSize;
    const std::int32_t fields[] = {stage.XMin, stage.XMax, stage.YMin, stage.YMax};
    return fields[index] / 20;
  }
  // 17 bytes hold the largest rectangle: 5 + 4 x 31 bits.
  const std::vector<std::uint8_t> rect = ReadBytes(file, 8, 17);
  const unsigned n = rect[0] >> 3;
  return SignedBits(rect, 5 + index * n, n) / 20;
}

} // namespace

int SwfStageWidth(const std::string& file) { return StageField(file, 1); }

int SwfStageHeight(const std::string& file) { return StageField(file, 3); }

int SwfHeaderFrameCount(const std::string& file)
{
  const std::vector<std::uint8_t> head = ReadBytes(file, 0, 9);
  if (head[0] != 'F' || head[1] != 'W' || head[2] != 'S')
    throw std::runtime_error("The file \"" + file + "\" is not an uncompressed movie.");
  const unsigned n = head[8] >> 3;
  const std::size_t rectBytes = (5 + 4 * n + 7) / 8;
  // Frame rate (2 bytes) and frame count (2 bytes, little-endian) follow the rectangle.
  const std::vector<std::uint8_t> tail = ReadBytes(file, 8 + rectBytes, 4);
  return tail[2] | (tail[3] << 8);
}
