// A camera's EXIF orientation is read from the JPEG's APP1 block, whatever its byte order;
// a damaged block counts as upright; pixels are turned the way the orientation says.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "media/ExifOrientation.h"

namespace {

// A JPEG head: SOI, an APP1 "Exif" block holding one directory entry (the orientation in
// the byte order given), then SOS.
std::vector<std::uint8_t> JpegWithOrientation(int orientation, bool bigEndian, std::uint32_t directoryOffset = 8)
{
  auto u16 = [&](std::vector<std::uint8_t>& out, unsigned v) {
    if (bigEndian) out.insert(out.end(), {std::uint8_t(v >> 8), std::uint8_t(v)});
    else out.insert(out.end(), {std::uint8_t(v), std::uint8_t(v >> 8)});
  };
  auto u32 = [&](std::vector<std::uint8_t>& out, std::uint32_t v) {
    if (bigEndian) { u16(out, v >> 16); u16(out, v & 0xFFFF); }
    else { u16(out, v & 0xFFFF); u16(out, v >> 16); }
  };
  std::vector<std::uint8_t> tiff = bigEndian ? std::vector<std::uint8_t>{'M', 'M'} : std::vector<std::uint8_t>{'I', 'I'};
  u16(tiff, 42);
  u32(tiff, directoryOffset);
  u16(tiff, 1);        // one entry
  u16(tiff, 0x0112);   // orientation
  u16(tiff, 3);        // SHORT
  u32(tiff, 1);
  u16(tiff, unsigned(orientation));
  u16(tiff, 0);
  u32(tiff, 0);        // no next directory
  std::vector<std::uint8_t> jpeg = {0xFF, 0xD8, 0xFF, 0xE1};
  const std::size_t length = 2 + 6 + tiff.size();
  jpeg.push_back(std::uint8_t(length >> 8));
  jpeg.push_back(std::uint8_t(length));
  for (char c : std::string("Exif\0\0", 6)) jpeg.push_back(std::uint8_t(c));
  jpeg.insert(jpeg.end(), tiff.begin(), tiff.end());
  jpeg.insert(jpeg.end(), {0xFF, 0xDA, 0x00, 0x02});
  return jpeg;
}

TEST(ExifOrientation, IsReadInEitherByteOrder)
{
  for (int orientation = 1; orientation <= 8; ++orientation) {
    EXPECT_EQ(media::JpegOrientationOf(JpegWithOrientation(orientation, false)), orientation);
    EXPECT_EQ(media::JpegOrientationOf(JpegWithOrientation(orientation, true)), orientation);
  }
}

TEST(ExifOrientation, DamagedOrMissingBlocksCountAsUpright)
{
  EXPECT_EQ(media::JpegOrientationOf(JpegWithOrientation(9, false)), 1);          // no such orientation
  EXPECT_EQ(media::JpegOrientationOf(JpegWithOrientation(6, false, 5000)), 1);    // directory past the end
  EXPECT_EQ(media::JpegOrientationOf(JpegWithOrientation(6, false, 0xFFFFFFF0)), 1);
  std::vector<std::uint8_t> cut = JpegWithOrientation(6, true);
  cut.resize(20); // the block is cut off inside its directory
  EXPECT_EQ(media::JpegOrientationOf(cut), 1);
  EXPECT_EQ(media::JpegOrientationOf({0xFF, 0xD8, 0xFF, 0xDA, 0, 2}), 1); // no EXIF block at all
  EXPECT_EQ(media::JpegOrientationOf({'G', 'I', 'F'}), 1);
  EXPECT_EQ(media::JpegOrientation("/nonexistent/photo.jpg"), 1);
}

// A 3 x 2 picture of one byte per pixel:  a b c
//                                          d e f
std::string Turned(int orientation, int& width, int& height)
{
  const std::string source = "abcdef";
  width = 3;
  height = 2;
  const std::vector<std::uint8_t> out =
      media::OrientPixels(std::vector<std::uint8_t>(source.begin(), source.end()), width, height, 1, orientation);
  return std::string(out.begin(), out.end());
}

TEST(ExifOrientation, PixelsAreTurnedUpright)
{
  int width = 0, height = 0;
  EXPECT_EQ(Turned(1, width, height), "abcdef");
  EXPECT_EQ(Turned(2, width, height), "cbafed"); // mirrored
  EXPECT_EQ(Turned(3, width, height), "fedcba"); // half a turn
  EXPECT_EQ(Turned(4, width, height), "defabc"); // upside down
  EXPECT_EQ(width, 3);
  // The camera was held turned: the stored picture is turned a quarter clockwise to stand.
  EXPECT_EQ(Turned(6, width, height), "daebfc"); // d a / e b / f c
  EXPECT_EQ(width, 2);
  EXPECT_EQ(height, 3);
  EXPECT_EQ(Turned(8, width, height), "cfbead"); // c f / b e / a d
  EXPECT_EQ(Turned(5, width, height), "adbecf"); // transposed
  EXPECT_EQ(Turned(7, width, height), "fcebda"); // transposed the other way
}

} // namespace
