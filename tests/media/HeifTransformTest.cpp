// A phone's HEIC photo stored turned, mirrored or cropped (irot, imir, clap properties of
// its primary picture) shows upright and cropped: its size and pixels as libheif's own
// converter shows the same file.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "media/PictureDecoder.h"

namespace {

using TBytes = std::vector<std::uint8_t>;

std::uint32_t U32(const TBytes& b, std::size_t at) { return std::uint32_t(b[at]) << 24 | b[at + 1] << 16 | b[at + 2] << 8 | b[at + 3]; }
std::uint32_t U16(const TBytes& b, std::size_t at) { return std::uint32_t(b[at]) << 8 | b[at + 1]; }
void PutU32(TBytes& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = std::uint8_t(v >> (24 - 8 * i));
}
std::string Type(const TBytes& b, std::size_t at) { return std::string(b.begin() + long(at) + 4, b.begin() + long(at) + 8); }

// The offset of the first child box of `type` within [from, to).
std::size_t Child(const TBytes& b, std::size_t from, std::size_t to, const std::string& type) {
  for (std::size_t at = from; at + 8 <= to; at += U32(b, at))
    if (Type(b, at) == type) return at;
  ADD_FAILURE() << "no " << type;
  return to;
}

// The HEIF file with `properties` (whole boxes) added to its primary picture, in order. The
// meta box grows, so file offsets of the data after it move as much.
TBytes WithProperties(TBytes b, const std::vector<TBytes>& properties) {
  const std::size_t meta = Child(b, 0, b.size(), "meta"), metaEnd = meta + U32(b, meta);
  const std::size_t pitm = Child(b, meta + 12, metaEnd, "pitm");
  const std::uint32_t primary = U16(b, pitm + 12);
  const std::size_t iprp = Child(b, meta + 12, metaEnd, "iprp");
  const std::size_t ipco = Child(b, iprp + 8, iprp + U32(b, iprp), "ipco");
  std::size_t count = 0, ipcoEnd = ipco + U32(b, ipco);
  for (std::size_t at = ipco + 8; at < ipcoEnd; at += U32(b, at)) ++count;
  TBytes added;
  for (const TBytes& p : properties) added.insert(added.end(), p.begin(), p.end());
  // Associations first (the ipma box comes after ipco), then the properties.
  const std::size_t ipma = Child(b, iprp + 8, iprp + U32(b, iprp), "ipma");
  const bool wideIds = b[ipma + 8] >= 1, wideIndices = b[ipma + 11] & 1;
  EXPECT_FALSE(wideIndices);
  std::size_t at = ipma + 16;
  for (std::uint32_t entry = 0, entries = U32(b, ipma + 12); entry < entries; ++entry) {
    const std::uint32_t id = wideIds ? U32(b, at) : U16(b, at);
    at += wideIds ? 4 : 2;
    const std::size_t associations = b[at];
    if (id == primary) {
      b[at] = std::uint8_t(associations + properties.size());
      TBytes indices;
      for (std::size_t i = 0; i < properties.size(); ++i) indices.push_back(std::uint8_t(0x80 | (count + 1 + i)));
      b.insert(b.begin() + long(at + 1 + associations), indices.begin(), indices.end());
    }
    at += 1 + (id == primary ? associations + properties.size() : associations);
  }
  PutU32(b, ipma, U32(b, ipma) + std::uint32_t(properties.size()));
  b.insert(b.begin() + long(ipcoEnd), added.begin(), added.end());
  PutU32(b, ipco, U32(b, ipco) + std::uint32_t(added.size()));
  const std::uint32_t grown = std::uint32_t(added.size() + properties.size());
  PutU32(b, iprp, U32(b, iprp) + grown);
  PutU32(b, meta, U32(b, meta) + grown);
  // Items stored in the file (not in idat) are found by file offsets.
  const std::size_t iloc = Child(b, meta + 12, meta + U32(b, meta), "iloc");
  const int version = b[iloc + 8];
  const int offsetSize = b[iloc + 12] >> 4, lengthSize = b[iloc + 12] & 15, baseSize = b[iloc + 13] >> 4;
  const int indexSize = version >= 1 ? b[iloc + 13] & 15 : 0;
  at = iloc + 14;
  const std::uint32_t items = version < 2 ? U16(b, at) : U32(b, at);
  at += version < 2 ? 2 : 4;
  auto move = [&](std::size_t where, int size) {
    EXPECT_EQ(size, 4);
    PutU32(b, where, U32(b, where) + grown);
  };
  for (std::uint32_t item = 0; item < items; ++item) {
    at += version < 2 ? 2 : 4;
    const int method = version >= 1 ? int(U16(b, at) & 15) : 0;
    if (version >= 1) at += 2;
    at += 2;  // data reference index
    const std::size_t base = at;
    at += std::size_t(baseSize);
    const std::uint32_t extents = U16(b, at);
    at += 2;
    if (method == 0 && baseSize > 0) move(base, baseSize);
    for (std::uint32_t e = 0; e < extents; ++e) {
      at += std::size_t(indexSize);
      if (method == 0 && baseSize == 0) move(at, offsetSize);
      at += std::size_t(offsetSize + lengthSize);
    }
  }
  return b;
}

TBytes Box(const std::string& type, const TBytes& body) {
  TBytes b(4);
  PutU32(b, 0, std::uint32_t(8 + body.size()));
  b.insert(b.end(), type.begin(), type.end());
  b.insert(b.end(), body.begin(), body.end());
  return b;
}

TBytes Clap(std::uint32_t width, std::uint32_t height) {
  TBytes body(32, 0);
  const std::uint32_t values[8] = {width, 1, height, 1, 0, 1, 0, 1};  // centred
  for (int i = 0; i < 8; ++i) PutU32(body, std::size_t(i) * 4, values[i]);
  return Box("clap", body);
}

class HeifTransforms : public ::testing::Test {
 protected:
  std::string File(const std::string& name) const { return Folder.filePath(QString::fromStdString(name)).toStdString(); }
  static TBytes Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return TBytes(std::istreambuf_iterator<char>(in), {});
  }
  static void Write(const std::string& path, const TBytes& bytes) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  }
  QTemporaryDir Folder;
};

TEST_F(HeifTransforms, TurnedMirroredAndCroppedPhotosShowAsLibheifsConverterShowsThem) {
  if (std::system("command -v heif-enc >/dev/null && command -v heif-convert >/dev/null") != 0)
    GTEST_SKIP() << "libheif-examples is not installed";
  // 40 x 20: red, a green corner at the top left, the right half blue.
  QImage source(40, 20, QImage::Format_RGB32);
  source.fill(Qt::red);
  QPainter painter(&source);
  painter.fillRect(20, 0, 20, 20, Qt::blue);
  painter.fillRect(0, 0, 10, 10, Qt::green);
  painter.end();
  ASSERT_TRUE(source.save(QString::fromStdString(File("source.png"))));
  ASSERT_EQ(std::system(("heif-enc -L -p chroma=444 -o '" + File("plain.heic") + "' '" + File("source.png") + "' >/dev/null").c_str()), 0);
  const TBytes plain = Read(File("plain.heic"));

  struct TCase {
    std::string Name;
    std::vector<TBytes> Properties;
    int Width, Height;
  };
  const std::vector<TCase> cases = {
      {"turned", {Box("irot", {1})}, 20, 40},  // a quarter turn anticlockwise
      {"mirrored", {Box("imir", {1})}, 40, 20},
      {"cropped", {Clap(20, 10)}, 20, 10},
      {"all", {Clap(30, 16), Box("irot", {3}), Box("imir", {0})}, 16, 30},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    const std::string path = File(c.Name + ".heic"), reference = File(c.Name + "-ref.png");
    Write(path, WithProperties(plain, c.Properties));
    ASSERT_EQ(std::system(("heif-convert '" + path + "' '" + reference + "' >/dev/null").c_str()), 0);
    const QImage want = QImage(QString::fromStdString(reference)).convertToFormat(QImage::Format_RGBA8888);
    ASSERT_EQ(want.size(), QSize(c.Width, c.Height));

    const auto decoder = media::FindPictureDecoder(media::TPictureKind::Heif)->Open(path, {});
    EXPECT_EQ(decoder->Width(), c.Width);
    EXPECT_EQ(decoder->Height(), c.Height);
    media::TRgbaFrame frame;
    ASSERT_TRUE(decoder->NextFrame(frame));
    ASSERT_EQ(frame.Width, c.Width);
    ASSERT_EQ(frame.Height, c.Height);
    int off = 0;
    for (int y = 0; y < c.Height; ++y)
      for (int x = 0; x < c.Width; ++x) {
        const std::uint8_t* p = &frame.Pixels[(std::size_t(y) * c.Width + x) * 4];
        const std::uint8_t* q = want.constScanLine(y) + x * 4;
        for (int k = 0; k < 3; ++k) off += std::abs(p[k] - q[k]) > 2;
      }
    EXPECT_EQ(off, 0);
  }
  // The turn is the one the property says: the blue top right comes to the top left.
  const auto turned = media::FindPictureDecoder(media::TPictureKind::Heif)->Open(File("turned.heic"), {});
  media::TRgbaFrame frame;
  ASSERT_TRUE(turned->NextFrame(frame));
  EXPECT_GT(frame.Pixels[2], 200);                                   // top left: blue
  EXPECT_GT(frame.Pixels[(std::size_t(39) * 20) * 4 + 1], 200);      // bottom left: the green corner
}

}  // namespace
