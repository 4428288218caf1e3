// Bitmap tags and their decoding: lossless pixels, JPEG streams, JPEG alpha, limits.
#include <gtest/gtest.h>
#include <zlib.h>

#include "swf/format/SwfError.h"
#include "swf/reader/BitmapData.h"
#include "swf/reader/TagParsers.h"
#include "swf/reader/TagVectors.h"

namespace swf::test {
namespace {

std::vector<uint8_t> Zlib(const std::vector<uint8_t>& data) {
  uLongf size = compressBound(static_cast<uLong>(data.size()));
  std::vector<uint8_t> out(size);
  compress(out.data(), &size, data.data(), static_cast<uLong>(data.size()));
  out.resize(size);
  return out;
}

TBitmap ParseBody(uint16_t code, const std::vector<uint8_t>& body) {
  TSwfBitReader r(body.data(), body.size(), 0, code);
  return ParseDefineBits(r, code);
}

TBitmap Lossless(TBitmapKind kind, uint8_t format, uint16_t w, uint16_t h,
                 const std::vector<uint8_t>& pixels, uint16_t colors = 0) {
  TBitmap b;
  b.Kind = kind;
  b.Format = format;
  b.Width = w;
  b.Height = h;
  b.ColorTableSize = colors;
  b.ImageData = Zlib(pixels);
  return b;
}

TEST(Lossless, PaletteBitmapOfTheTestVector) {
  std::vector<uint8_t> body = Hex("09 00 03 03 00 02 00 01");
  std::vector<uint8_t> pixels = Zlib(Hex("FF 00 00 00 00 FF 00 01 00 00 01 00 01 00"));
  body.insert(body.end(), pixels.begin(), pixels.end());
  TBitmap b = ParseBody(20, body);
  EXPECT_EQ(b.Id, 9);
  EXPECT_EQ(b.Kind, TBitmapKind::Lossless);
  EXPECT_EQ(b.ColorTableSize, 2);
  TPixels px = DecodeLossless(b);
  const uint32_t red = 0xFFFF0000, blue = 0xFF0000FF;
  EXPECT_EQ(px.Argb, (std::vector<uint32_t>{red, blue, red, blue, red, blue}));
}

TEST(Lossless, PixelFormats) {
  // 32-bit with alpha: colour above alpha is clamped to keep valid premultiplied data.
  TPixels argb = DecodeLossless(Lossless(TBitmapKind::Lossless2, 5, 2, 1,
                                         Hex("80 FF 00 40 FF 10 20 30")));
  EXPECT_EQ(argb.Argb, (std::vector<uint32_t>{0x80800040, 0xFF102030}));
  // 32-bit without alpha ignores the pad byte.
  TPixels rgb = DecodeLossless(Lossless(TBitmapKind::Lossless, 5, 1, 1, Hex("00 10 20 30")));
  EXPECT_EQ(rgb.Argb, (std::vector<uint32_t>{0xFF102030}));
  // 15-bit big-endian 0RRRRRGGGGGBBBBB, rows padded to 4 bytes.
  TPixels rgb15 = DecodeLossless(Lossless(TBitmapKind::Lossless, 4, 1, 2, Hex("7C 00 00 00 00 1F 00 00")));
  EXPECT_EQ(rgb15.Argb, (std::vector<uint32_t>{0xFFFF0000, 0xFF0000FF}));
  // Palette with alpha; an index past the table is transparent.
  TPixels pal = DecodeLossless(Lossless(TBitmapKind::Lossless2, 3, 2, 1, Hex("40 00 00 80 00 05 00 00"), 1));
  EXPECT_EQ(pal.Argb, (std::vector<uint32_t>{0x80400000, 0}));
}

TEST(Lossless, DamagedOrOversizedDataFails) {
  // Rows missing from a short stream stay transparent.
  TPixels part = DecodeLossless(Lossless(TBitmapKind::Lossless2, 5, 1, 2, Hex("FF 01 02 03")));
  EXPECT_EQ(part.Argb, (std::vector<uint32_t>{0xFF010203, 0}));

  TBitmap bad = Lossless(TBitmapKind::Lossless, 5, 1, 1, {});
  bad.ImageData = {1, 2, 3, 4};
  EXPECT_THROW(DecodeLossless(bad), TSwfError);
  EXPECT_THROW(DecodeLossless(Lossless(TBitmapKind::Lossless2, 4, 1, 1, Hex("00 00 00 00"))), TSwfError);
  EXPECT_THROW(DecodeLossless(Lossless(TBitmapKind::Lossless, 5, 20000, 1, Hex("00"))), TSwfError);
  // The tag parser refuses a huge bitmap before anything else.
  EXPECT_THROW(ParseBody(36, Hex("01 00 05 00 40 00 40 78 9C")), TSwfError);  // 16384 x 16384
  EXPECT_THROW(ParseBody(36, Hex("01 00 07 01 00 01 00")), TSwfError);        // format 7
}

TEST(Jpeg, StreamsAreJoinedAndRepaired) {
  TBitmap bits;
  bits.Kind = TBitmapKind::Jpeg;
  bits.ImageData = Hex("FF D8 FF C0 00 02 AA FF D9");
  std::vector<uint8_t> tables = Hex("FF D8 FF DB 00 03 01 FF D9");
  EXPECT_EQ(JpegStream(bits, tables), Hex("FF D8 FF DB 00 03 01 FF C0 00 02 AA FF D9"));

  // The erroneous EOI+SOI pair of old writers goes, a missing EOI is added.
  TBitmap old;
  old.Kind = TBitmapKind::Jpeg2;
  old.ImageData = Hex("FF D9 FF D8 FF D8 FF DB 00 03 01 FF C0 00 02 AA");
  EXPECT_EQ(JpegStream(old, {}), Hex("FF D8 FF DB 00 03 01 FF C0 00 02 AA FF D9"));

  TBitmap png;
  png.Kind = TBitmapKind::Jpeg2;
  png.ImageData = Hex("89 50 4E 47 0D 0A 1A 0A");
  EXPECT_EQ(JpegStream(png, {}), png.ImageData);
}

TEST(Jpeg, Jpeg3AlphaMustMatchThePixelCount) {
  std::vector<uint8_t> body = Hex("04 00 03 00 00 00 FF D8 AA");
  std::vector<uint8_t> alpha = Zlib({0, 64, 128, 255});
  body.insert(body.end(), alpha.begin(), alpha.end());
  TBitmap b = ParseBody(35, body);
  EXPECT_EQ(b.ImageData, Hex("FF D8 AA"));
  EXPECT_EQ(DecodeJpegAlpha(b, 2, 2), (std::vector<uint8_t>{0, 64, 128, 255}));
  EXPECT_TRUE(DecodeJpegAlpha(b, 3, 3).empty());
  EXPECT_TRUE(DecodeJpegAlpha(b, 1, 1).empty());
  // The alpha offset may not point past the tag.
  EXPECT_THROW(ParseBody(35, Hex("04 00 FF 00 00 00 FF D8")), TSwfError);
}

}  // namespace
}  // namespace swf::test
