// Pictures are told by their first bytes, whatever their names say.
#include <gtest/gtest.h>

#include <string>

#include "media/PictureDecoder.h"
#include "media/PictureKind.h"

namespace {

using media::TPictureKind;

TPictureKind Kind(const std::string& bytes)
{
  return media::RecognisePicture(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

std::string Ftyp(const std::string& major, const std::string& compatible)
{
  std::string box = std::string("\0\0\0", 3) + char(16 + compatible.size()) + "ftyp" + major + std::string(4, '\0') + compatible;
  return box + std::string(32, '\0');
}

TEST(PictureKind, EachKindIsToldByItsFirstBytes)
{
  EXPECT_EQ(Kind("\xFF\xD8\xFF\xE0rest"), TPictureKind::Jpeg);
  EXPECT_EQ(Kind("\x89PNG\r\n\x1A\n...."), TPictureKind::Png);
  EXPECT_EQ(Kind("GIF89a...."), TPictureKind::Gif);
  EXPECT_EQ(Kind("GIF87a...."), TPictureKind::Gif);
  EXPECT_EQ(Kind("BM......"), TPictureKind::Bmp);
  EXPECT_EQ(Kind(std::string("RIFF\x10\0\0\0WEBPVP8L", 16)), TPictureKind::WebP);
  EXPECT_EQ(Kind(std::string("RIFF\x10\0\0\0WAVEfmt ", 16)), TPictureKind::Unknown); // a sound, not a picture
  EXPECT_EQ(Kind(Ftyp("heic", "mif1heic")), TPictureKind::Heif);
  EXPECT_EQ(Kind(Ftyp("mif1", "mif1miaf")), TPictureKind::Heif); // a phone's still HEIF
  EXPECT_EQ(Kind(Ftyp("avif", "mif1avif")), TPictureKind::Avif);
  EXPECT_EQ(Kind(Ftyp("mif1", "avifmif1")), TPictureKind::Avif); // AVIF as a compatible brand
  EXPECT_EQ(Kind(Ftyp("isom", "isomavc1")), TPictureKind::Unknown); // an MP4 video
  EXPECT_EQ(Kind("\xEF\xBB\xBF<?xml version=\"1.0\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\"/>"), TPictureKind::Svg);
  EXPECT_EQ(Kind("  <svg width=\"10\" height=\"10\"/>"), TPictureKind::Svg);
  EXPECT_EQ(Kind("<html><body>not a drawing</body></html>"), TPictureKind::Unknown);
  EXPECT_EQ(Kind(std::string("\0\0\1\0\1\0", 6)), TPictureKind::Icon);
  EXPECT_EQ(Kind(""), TPictureKind::Unknown);
  EXPECT_EQ(Kind("\xFF\xD8"), TPictureKind::Unknown); // too short to be a JPEG
}

TEST(PictureKind, AnIsoBoxSizeLargerThanTheHeadIsNotReadPastIt)
{
  // The box claims 4 GB; only the bytes there are looked at.
  std::string bytes = std::string("\xFF\xFF\xFF\xFF", 4) + "ftypheic";
  EXPECT_EQ(Kind(bytes), TPictureKind::Heif);
  bytes = std::string("\0\0\0\x09", 4) + "ftypa"; // shorter than a brand
  EXPECT_EQ(Kind(bytes), TPictureKind::Unknown);
}

TEST(FitWithin, KeepsTheProportionsAndNeverScalesUp)
{
  int width = 0, height = 0;
  media::FitWithin(8660, 5773, 800, 600, width, height); // a 50-megapixel photo
  EXPECT_EQ(width, 800);
  EXPECT_EQ(height, 533);
  media::FitWithin(600, 1200, 800, 600, width, height); // standing: the height limits
  EXPECT_EQ(width, 300);
  EXPECT_EQ(height, 600);
  media::FitWithin(320, 200, 800, 600, width, height);
  EXPECT_EQ(width, 320);
  EXPECT_EQ(height, 200);
  media::FitWithin(100000, 1, 800, 600, width, height); // a sliver keeps at least a pixel
  EXPECT_EQ(width, 800);
  EXPECT_EQ(height, 1);
}

} // namespace
