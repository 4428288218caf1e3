// The picture examiner: the size limit with its two messages, the JPEG work file, the kinds
// it refuses, and damaged or hostile files.
#include <gtest/gtest.h>

#include <filesystem>

#include "PictureFiles.h"
#include "RenderFixture.h"
#include "render/JpegCodec.h"
#include "render/Pic.h"
#include "render/PictureError.h"
#include "render/PicturePreview.h"

namespace {

const std::string BitmapMessage = "This picture width>800 or height>600!";
const std::string JpegMessage = "The picture width>800 or height>600!";

class PicTest : public ::testing::Test {
protected:
  TScratchFolder Scratch;
  TCollectedMessages Messages;
  TPic Pic{Scratch.File("Untitled"), &Messages};

  bool Examine(const std::string& path)
  {
    Pic.SetPictureFile(path);
    return Pic.Examine();
  }
  // Examines a small picture with success, so that a later refusal can be seen to keep it.
  std::string ExamineSmallFirst()
  {
    WriteBmp(Scratch.File("small.bmp"), 12, 7);
    EXPECT_TRUE(Examine(Scratch.File("small.bmp")));
    return ReadWholeFile(Pic.WorkFile());
  }
  void ExpectKeptSmall(const std::string& workBytes)
  {
    EXPECT_EQ(ReadWholeFile(Pic.WorkFile()), workBytes);
    EXPECT_EQ(Pic.Width(), 12);
    EXPECT_EQ(Pic.Height(), 7);
  }
};

TEST_F(PicTest, WorkFileIsTheBasePathWithJpg)
{
  EXPECT_EQ(Pic.WorkFile(), Scratch.File("Untitled") + ".jpg");
}

TEST_F(PicTest, BitmapOfExactly800By600BecomesAJpegOfTheSameSizeAndColour)
{
  WriteBmp(Scratch.File("full.bmp"), 800, 600, 200, 40, 30);
  ASSERT_TRUE(Examine(Scratch.File("full.bmp")));
  EXPECT_TRUE(Messages.Shown.empty());
  EXPECT_EQ(Pic.Width(), 800);
  EXPECT_EQ(Pic.Height(), 600);

  const TJpegDecoding work = DecodeJpeg(Pic.WorkFile(), 10000, 10000);
  ASSERT_EQ(work.Picture.Width, 800);
  ASSERT_EQ(work.Picture.Height, 600);
  // Red stays red: the channels are not swapped on the way through.
  const std::vector<int> pixel = PixelAt(work.Picture, 400, 300);
  EXPECT_NEAR(pixel[0], 200, 6);
  EXPECT_NEAR(pixel[1], 40, 6);
  EXPECT_NEAR(pixel[2], 30, 6);
}

TEST_F(PicTest, BitmapOneLineOrColumnTooLargeIsRefusedWithTheBitmapMessage)
{
  const std::string kept = ExamineSmallFirst();
  for (auto [width, height] : {std::pair{801, 600}, std::pair{800, 601}}) {
    SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height));
    Messages.Shown.clear();
    WriteBmp(Scratch.File("large.bmp"), width, height);
    EXPECT_FALSE(Examine(Scratch.File("large.bmp")));
    EXPECT_EQ(Messages.Shown, std::vector<std::string>{BitmapMessage});
    ExpectKeptSmall(kept);
  }
}

TEST_F(PicTest, ContentDecidesTheLoaderWhateverTheName)
{
  WriteBmp(Scratch.File("wide.bMp"), 900, 10);
  EXPECT_FALSE(Examine(Scratch.File("wide.bMp")));
  EXPECT_EQ(Messages.Shown, std::vector<std::string>{BitmapMessage});

  // A JPEG named .BMP is read as the JPEG it is.
  WriteJpeg(Scratch.File("photo.BMP"), 10, 10);
  EXPECT_TRUE(Examine(Scratch.File("photo.BMP")));
  WriteBmp(Scratch.File("bitmap.jpg"), 12, 8);
  EXPECT_TRUE(Examine(Scratch.File("bitmap.jpg")));
  EXPECT_EQ(Pic.Width(), 12);

  WriteJpeg(Scratch.File("photo.JPEG"), 10, 10);
  EXPECT_TRUE(Examine(Scratch.File("photo.JPEG")));
}

TEST_F(PicTest, JpegOf1024By768IsRefusedWithTheJpegMessage)
{
  const std::string kept = ExamineSmallFirst();
  WriteJpeg(Scratch.File("big.jpg"), 1024, 768);
  EXPECT_FALSE(Examine(Scratch.File("big.jpg")));
  EXPECT_EQ(Messages.Shown, std::vector<std::string>{JpegMessage});
  ExpectKeptSmall(kept);
}

TEST_F(PicTest, JpegIsAlwaysDecodedAndWrittenAgain)
{
  WriteJpeg(Scratch.File("photo.jpg"), 800, 600, 10, 120, 240);
  ASSERT_TRUE(Examine(Scratch.File("photo.jpg")));
  EXPECT_EQ(Pic.Width(), 800);
  EXPECT_EQ(Pic.Height(), 600);
  EXPECT_NE(ReadWholeFile(Pic.WorkFile()), ReadWholeFile(Scratch.File("photo.jpg")));
  const std::vector<int> pixel = PixelAt(DecodeJpeg(Pic.WorkFile(), 800, 600).Picture, 10, 10);
  EXPECT_NEAR(pixel[2], 240, 8);
}

TEST_F(PicTest, OtherKindsAndNoFile)
{
  EXPECT_FALSE(Examine(""));

  // Icons and metafiles are refused without a message, once they can be read at all.
  WriteWholeFile(Scratch.File("icon.ico"), std::string("\0\0\1\0", 4));
  EXPECT_FALSE(Examine(Scratch.File("icon.ico")));
  EXPECT_THROW(Examine(Scratch.File("missing.wmf")), TPictureError);
  EXPECT_TRUE(Messages.Shown.empty());

  // What no decoder takes is refused with the file's name.
  for (const char* name : {"picture.png", "words.jpg", "no-extension"}) {
    WriteWholeFile(Scratch.File(name), std::string(name) == "picture.png" ? "\x89PNG" : "no picture here");
    try {
      Examine(Scratch.File(name));
      ADD_FAILURE() << name << ": no error";
    } catch (const TPictureError& error) {
      EXPECT_NE(std::string(error.what()).find(Scratch.File(name)), std::string::npos) << error.what();
    }
  }
}

// A valid JPEG whose frame header is made to declare another size.
std::string JpegDeclaring(const std::string& jpeg, int width, int height)
{
  std::string bytes = jpeg;
  const std::size_t frame = bytes.find("\xFF\xC0");
  if (frame == std::string::npos) throw std::runtime_error("no baseline frame header");
  bytes[frame + 5] = static_cast<char>(height >> 8);
  bytes[frame + 6] = static_cast<char>(height & 0xFF);
  bytes[frame + 7] = static_cast<char>(width >> 8);
  bytes[frame + 8] = static_cast<char>(width & 0xFF);
  return bytes;
}

TEST_F(PicTest, DamagedJpegsGiveTheLoadersErrorAndKeepTheWorkFile)
{
  const std::string kept = ExamineSmallFirst();
  WriteJpeg(Scratch.File("good.jpg"), 200, 150);
  const std::string good = ReadWholeFile(Scratch.File("good.jpg"));

  const std::vector<std::pair<std::string, std::string>> damaged = {
      {"cut short", good.substr(0, good.size() / 2)},
      {"header only", good.substr(0, 200)},
      {"empty", ""},
      {"not a JPEG", "GIF89a this is not a JPEG at all"},
      {"declares more than it holds", JpegDeclaring(good, 700, 500)},
  };
  for (const auto& [what, bytes] : damaged) {
    SCOPED_TRACE(what);
    WriteWholeFile(Scratch.File("bad.jpg"), bytes);
    EXPECT_THROW(Examine(Scratch.File("bad.jpg")), TPictureError);
    ExpectKeptSmall(kept);
  }
  EXPECT_THROW(Examine(Scratch.File("missing.jpg")), TPictureError);
  std::filesystem::create_directory(Scratch.File("folder.jpg"));
  EXPECT_THROW(Examine(Scratch.File("folder.jpg")), TPictureError);
  EXPECT_TRUE(Messages.Shown.empty());
}

TEST_F(PicTest, JpegDeclaringAHugeSizeIsRefusedBeforeDecoding)
{
  WriteJpeg(Scratch.File("good.jpg"), 16, 16);
  WriteWholeFile(Scratch.File("huge.jpg"), JpegDeclaring(ReadWholeFile(Scratch.File("good.jpg")), 65000, 65000));
  EXPECT_FALSE(Examine(Scratch.File("huge.jpg")));
  EXPECT_EQ(Messages.Shown, std::vector<std::string>{JpegMessage});
}

TEST_F(PicTest, BitmapsWithLyingHeadersGiveTheLoadersError)
{
  const std::string kept = ExamineSmallFirst();
  const std::string good = BmpBytes(SolidPicture(40, 30, 1, 2, 3));
  std::string badBits = good;
  badBits[28] = 7; // bits per pixel

  const std::vector<std::pair<std::string, std::string>> damaged = {
      {"huge size, few bytes", BmpHeaderBytes(100000, 100000, 16) + std::string(16, 'x')},
      {"huge negative height", BmpHeaderBytes(10, INT32_MIN, 16) + std::string(16, 'x')},
      // Its row length times its height passes 2^63.
      {"widest and tallest", BmpHeaderBytes(INT32_MAX, INT32_MAX, 16) + std::string(16, 'x')},
      {"rows cut short", good.substr(0, good.size() - 200)},
      {"no width", BmpHeaderBytes(0, 10, 0)},
      {"bits per pixel", badBits},
      {"header cut short", good.substr(0, 20)},
      {"not a bitmap", "PK\3\4 a zip file"},
  };
  for (const auto& [what, bytes] : damaged) {
    SCOPED_TRACE(what);
    WriteWholeFile(Scratch.File("bad.bmp"), bytes);
    EXPECT_THROW(Examine(Scratch.File("bad.bmp")), TPictureError);
    ExpectKeptSmall(kept);
  }
  EXPECT_TRUE(Messages.Shown.empty());
}

TEST_F(PicTest, TopDownBitmapIsAccepted)
{
  // A negative height stores the rows from the top: here red rows above blue rows.
  const int size = 16;
  std::string bytes = BmpHeaderBytes(size, -size, size * size * 3);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) bytes += y < size / 2 ? std::string("\0\0\xFF", 3) : std::string("\xFF\0\0", 3);
  WriteWholeFile(Scratch.File("topdown.bmp"), bytes);
  ASSERT_TRUE(Examine(Scratch.File("topdown.bmp")));
  EXPECT_EQ(Pic.Width(), size);
  EXPECT_EQ(Pic.Height(), size);
  const TRgbPicture work = DecodeJpeg(Pic.WorkFile(), 800, 600).Picture;
  EXPECT_GT(PixelAt(work, 4, 1)[0], 200);
  EXPECT_GT(PixelAt(work, 4, size - 2)[2], 200);
}

} // namespace

namespace {

TEST(PicturePreview, ShowsPicturesTheExaminerRefusesWithinBounds)
{
  TScratchFolder scratch;
  WriteJpeg(scratch.File("large.jpg"), 2000, 1000);
  const TRgbPicture shrunk = ReadPreviewPicture(scratch.File("large.jpg"), 512);
  EXPECT_EQ(shrunk.Width, 500); // a quarter: the largest reduction that fits
  EXPECT_EQ(shrunk.Height, 250);

  WriteBmp(scratch.File("large.bmp"), 1024, 768);
  EXPECT_EQ(ReadPreviewPicture(scratch.File("large.bmp")).Width, 1024);

  WriteJpeg(scratch.File("strip.jpg"), 6000, 8); // an eighth is still wider than 512
  EXPECT_THROW(ReadPreviewPicture(scratch.File("strip.jpg"), 512), TPictureError);
  WriteWholeFile(scratch.File("huge.bmp"), BmpHeaderBytes(5000, 10, 5000 * 3 * 10) + std::string(150000, '\0'));
  EXPECT_THROW(ReadPreviewPicture(scratch.File("huge.bmp")), TPictureError);
  WriteWholeFile(scratch.File("icon.ico"), "\0\0\1\0");
  EXPECT_THROW(ReadPreviewPicture(scratch.File("icon.ico")), TPictureError);
}

} // namespace

namespace {

// Damaged copies of good pictures: bytes overwritten at random places, and cut at random
// lengths. Each either passes or gives the loader's error; none crashes or hangs.
TEST(PicDamagedCopies, EveryOutcomeIsAPictureOrTheLoadersError)
{
  TScratchFolder scratch;
  TCollectedMessages messages;
  TPic pic(scratch.File("Untitled"), &messages);
  WriteJpeg(scratch.File("good.jpg"), 48, 32, 10, 200, 90);
  WriteBmp(scratch.File("good.bmp"), 21, 13, 10, 200, 90);
  std::uint32_t seed = 12345;
  const auto next = [&seed] { return seed = seed * 1664525u + 1013904223u; };

  for (const std::string name : {"good.jpg", "good.bmp"}) {
    const std::string good = ReadWholeFile(scratch.File(name));
    const std::string damagedName = scratch.File("damaged" + name.substr(4));
    int passed = 0, refused = 0;
    for (int round = 0; round < 120; ++round) {
      std::string bytes = good;
      if (round % 3 == 0) {
        bytes.resize(next() % bytes.size());
      } else {
        for (int k = 0; k < 1 + round % 5; ++k) bytes[next() % bytes.size()] = static_cast<char>(next() >> 24);
      }
      WriteWholeFile(damagedName, bytes);
      pic.SetPictureFile(damagedName);
      try {
        if (pic.Examine()) {
          ++passed;
          EXPECT_LE(pic.Width(), 800);
          EXPECT_LE(pic.Height(), 600);
        } else {
          ++refused; // a size field changed to more than the limit
        }
      } catch (const TPictureError&) {
        ++refused;
      }
    }
    EXPECT_GT(refused, 0) << name;
    EXPECT_GT(passed, 0) << name;
  }
}

} // namespace
