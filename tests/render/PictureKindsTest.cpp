// The examiner reads every common picture kind by its content: PNG of each colour type and
// depth with its transparency, GIF and WebP (animations frame by frame), HEIC and AVIF
// photos, SVG drawings, JPEGs turned upright by their EXIF orientation; pictures over
// 800 x 600 are scaled to fit when the user agrees (or, headless, with a note); damaged and
// hostile files are refused with a message naming them.
#include <gtest/gtest.h>

#include <png.h>
#include <zlib.h>

#include <QBuffer>
#include <QImage>

#include <filesystem>

#include "PictureFiles.h"
#include "PictureKindFiles.h"
#include "RenderFixture.h"
#include "render/JpegCodec.h"
#include "render/Pic.h"
#include "render/PictureError.h"
#include "render/PicturePreview.h"
#include "swf/builder/VectorArt.h"

namespace {

const std::string PictureRefusal = "The picture width>800 or height>600!";

// Answers the offer to scale a picture down, and records what was shown and asked.
struct TAnsweringMessages : TCollectedMessages {
  bool Answer = false;
  std::vector<std::string> Asked;
  bool OfferScaleDown(const std::string& refusal, const std::string& question) override
  {
    Shown.push_back(refusal);
    Asked.push_back(question);
    return Answer;
  }
};

class PictureKinds : public ::testing::Test {
protected:
  TScratchFolder Scratch;
  TAnsweringMessages Messages;
  TPic Pic{Scratch.File("Untitled"), &Messages};

  bool Examine(const std::string& path)
  {
    Pic.SetPictureFile(path);
    return Pic.Examine();
  }
  // The message of the refusal of `path`, which must name it.
  std::string RefusalOf(const std::string& path)
  {
    try {
      Examine(path);
    } catch (const TPictureError& error) {
      return error.what();
    }
    return "(accepted)";
  }
};

// A 7 x 5 picture of colours and alphas that differ per pixel.
TRgba8 Pattern(int x, int y)
{
  return {std::uint8_t(30 * x + 10), std::uint8_t(200 - 35 * y), std::uint8_t(x * y * 6), std::uint8_t(x == 0 ? 0 : 255 - 20 * y)};
}

void ExpectNear(const TRgba8& got, const TRgba8& want, int tolerance, const std::string& where)
{
  if (want.A == 0) { // a transparent pixel's colour means nothing
    EXPECT_LE(got.A, tolerance) << where;
    return;
  }
  EXPECT_NEAR(got.A, want.A, tolerance) << where;
  EXPECT_NEAR(got.R, want.R, tolerance) << where;
  EXPECT_NEAR(got.G, want.G, tolerance) << where;
  EXPECT_NEAR(got.B, want.B, tolerance) << where;
}

bool IsDrawingFile(const std::string& path)
{
  const std::string bytes = ReadWholeFile(path);
  return swf::IsVectorArtData(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
}

void ExpectWorkPng(const std::string& workFile, int width, int height, const TPixelFunction& want, int tolerance)
{
  ASSERT_EQ(std::filesystem::path(workFile).extension(), ".png");
  int w = 0, h = 0;
  const std::vector<TRgba8> got = ReadPngPixels(workFile, w, h);
  ASSERT_EQ(w, width);
  ASSERT_EQ(h, height);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      ExpectNear(got[std::size_t(y * w + x)], want(x, y), tolerance, "at " + std::to_string(x) + "," + std::to_string(y));
}

TEST_F(PictureKinds, PngOfEveryColourTypeAndDepthKeepsItsPixelsAndTransparency)
{
  struct TCase {
    const char* Name;
    int ColourType, BitDepth;
    bool Interlaced;
    TPixelFunction Want;
  };
  const auto opaque = [](int x, int y) { TRgba8 c = Pattern(x, y); c.A = 255; return c; };
  const auto grey = [](int x, int y) { const std::uint8_t v = Pattern(x, y).R; return TRgba8{v, v, v, 255}; };
  const auto greyAlpha = [](int x, int y) { const TRgba8 c = Pattern(x, y); return TRgba8{c.R, c.R, c.R, c.A}; };
  const auto twoLevels = [](int x, int y) { const std::uint8_t v = (x + y) % 2 ? 255 : 0; return TRgba8{v, v, v, 255}; };
  const std::vector<TCase> cases = {
      {"RGBA 8", PNG_COLOR_TYPE_RGB_ALPHA, 8, false, Pattern},
      {"RGBA 16", PNG_COLOR_TYPE_RGB_ALPHA, 16, false, Pattern},
      {"RGBA 8 interlaced", PNG_COLOR_TYPE_RGB_ALPHA, 8, true, Pattern},
      {"RGB 8", PNG_COLOR_TYPE_RGB, 8, false, opaque},
      {"RGB 16 interlaced", PNG_COLOR_TYPE_RGB, 16, true, opaque},
      {"grey 8", PNG_COLOR_TYPE_GRAY, 8, false, grey},
      {"grey 1", PNG_COLOR_TYPE_GRAY, 1, false, twoLevels},
      {"grey+alpha 8", PNG_COLOR_TYPE_GRAY_ALPHA, 8, false, greyAlpha},
      {"grey+alpha 16", PNG_COLOR_TYPE_GRAY_ALPHA, 16, false, greyAlpha},
      {"palette 8 with tRNS", PNG_COLOR_TYPE_PALETTE, 8, false, Pattern},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    const std::string path = Scratch.File(std::string(c.Name) + ".png");
    WritePng(path, 7, 5, c.ColourType, c.BitDepth, c.Interlaced, c.Want);
    ASSERT_TRUE(Examine(path));
    EXPECT_EQ(Pic.Width(), 7);
    EXPECT_EQ(Pic.Height(), 5);
    ExpectWorkPng(Pic.WorkFile(), 7, 5, c.Want, 2);
  }
  EXPECT_TRUE(Messages.Shown.empty());
}

TEST_F(PictureKinds, ColourKeyOfAnRgbPngBecomesTransparent)
{
  const TRgba8 key{10, 20, 30, 255};
  const auto picture = [&](int x, int) { return x < 2 ? key : TRgba8{200, 100, 50, 255}; };
  WritePng(Scratch.File("keyed.png"), 4, 3, PNG_COLOR_TYPE_RGB, 8, false, picture, &key);
  ASSERT_TRUE(Examine(Scratch.File("keyed.png")));
  ExpectWorkPng(Pic.WorkFile(), 4, 3, [](int x, int) { return x < 2 ? TRgba8{0, 0, 0, 0} : TRgba8{200, 100, 50, 255}; }, 0);
}

TEST_F(PictureKinds, KindIsToldByContentNotByName)
{
  WritePng(Scratch.File("really-a-png.jpg"), 3, 2, PNG_COLOR_TYPE_RGB_ALPHA, 8, false, Pattern);
  ASSERT_TRUE(Examine(Scratch.File("really-a-png.jpg")));
  EXPECT_EQ(std::filesystem::path(Pic.WorkFile()).extension(), ".png");
  WriteJpeg(Scratch.File("photo.bmp"), 30, 20);
  ASSERT_TRUE(Examine(Scratch.File("photo.bmp")));
  EXPECT_EQ(Pic.WorkFile(), Scratch.File("Untitled") + ".jpg");
  EXPECT_EQ(Pic.Width(), 30);
  // Frames() always lists the work file of a still picture.
  ASSERT_EQ(Pic.Frames().size(), 1u);
  EXPECT_EQ(Pic.Frames()[0].WorkFile, Pic.WorkFile());
}

TEST_F(PictureKinds, StillGifKeepsItsTransparentPixels)
{
  TGifFrame frame = SolidGifFrame(6, 4, {250, 0, 0, 255}, 0);
  frame.Palette = {{250, 0, 0, 255}, {0, 0, 0, 255}};
  for (int x = 0; x < 3; ++x) frame.Indices[std::size_t(x)] = 1; // three pixels of the top row
  frame.Transparent = 1;
  WriteWholeFile(Scratch.File("still.gif"), GifBytes(6, 4, {frame}));
  ASSERT_TRUE(Examine(Scratch.File("still.gif")));
  EXPECT_EQ(Pic.Frames().size(), 1u);
  ExpectWorkPng(Pic.WorkFile(), 6, 4,
                [](int x, int y) { return y == 0 && x < 3 ? TRgba8{0, 0, 0, 0} : TRgba8{250, 0, 0, 255}; }, 0);
}

TEST_F(PictureKinds, AnimatedGifGivesEveryFrameWithItsDelayAndDisposal)
{
  const TRgba8 red{255, 0, 0, 255}, green{0, 255, 0, 255}, blue{0, 0, 255, 255};
  TGifFrame first = SolidGifFrame(8, 6, red, 20);
  // The second frame covers only the left half and keeps the first beneath it.
  TGifFrame second = SolidGifFrame(4, 6, green, 30);
  TGifFrame third = SolidGifFrame(8, 6, blue, 0); // no delay: shown as browsers do, 1/10 s
  TGifFrame same = SolidGifFrame(8, 6, blue, 10); // unchanged: lengthens the one before
  WriteWholeFile(Scratch.File("anim.gif"), GifBytes(8, 6, {first, second, third, same}));
  ASSERT_TRUE(Examine(Scratch.File("anim.gif")));
  const std::vector<TPictureFrameFile> frames = Pic.Frames();
  ASSERT_EQ(frames.size(), 3u);
  EXPECT_EQ(frames[0].DelayMs, 200);
  EXPECT_EQ(frames[1].DelayMs, 300);
  EXPECT_EQ(frames[2].DelayMs, 200);
  ExpectWorkPng(frames[0].WorkFile, 8, 6, [&](int, int) { return red; }, 0);
  ExpectWorkPng(frames[1].WorkFile, 8, 6, [&](int x, int) { return x < 4 ? green : red; }, 0);
  ExpectWorkPng(frames[2].WorkFile, 8, 6, [&](int, int) { return blue; }, 0);
  EXPECT_EQ(Pic.WorkFile(), frames[0].WorkFile);
  // Each frame has its own work file.
  EXPECT_NE(frames[0].WorkFile, frames[1].WorkFile);
  EXPECT_NE(frames[1].WorkFile, frames[2].WorkFile);
}

TEST_F(PictureKinds, AnimatedGifStaysTransparentWhereNoFrameDrawsOrAFrameWasDisposed)
{
  const TRgba8 red{255, 0, 0, 255}, green{0, 255, 0, 255}, blue{0, 0, 255, 255}, none{0, 0, 0, 0};
  TGifFrame left = SolidGifFrame(4, 6, red, 10); // the right half never drawn yet
  TGifFrame right = SolidGifFrame(4, 6, green, 10);
  right.Left = 4;
  right.Disposal = 2; // its area is cleared once it has been shown
  TGifFrame corner = SolidGifFrame(2, 2, blue, 10);
  corner.Palette = {blue, {0, 0, 0, 255}};
  corner.Indices[3] = 1; // one pixel lets the red beneath show
  corner.Transparent = 1;
  WriteWholeFile(Scratch.File("glass.gif"), GifBytes(8, 6, {left, right, corner}));
  ASSERT_TRUE(Examine(Scratch.File("glass.gif")));
  const std::vector<TPictureFrameFile> frames = Pic.Frames();
  ASSERT_EQ(frames.size(), 3u);
  ExpectWorkPng(frames[0].WorkFile, 8, 6, [&](int x, int) { return x < 4 ? red : none; }, 0);
  ExpectWorkPng(frames[1].WorkFile, 8, 6, [&](int x, int) { return x < 4 ? red : green; }, 0);
  ExpectWorkPng(frames[2].WorkFile, 8, 6, [&](int x, int y) {
    if (x < 2 && y < 2) return x == 1 && y == 1 ? red : blue;
    return x < 4 ? red : none;
  }, 0);
}

TEST_F(PictureKinds, GifMadeByFfmpegMatchesFfmpegsOwnDecoding)
{
  if (!HaveProgram("ffmpeg")) GTEST_SKIP() << "ffmpeg is not installed";
  // FFmpeg's GIF writer leaves unchanged pixels transparent in every frame after the first.
  ASSERT_TRUE(RunQuietly("ffmpeg -y -f lavfi -i testsrc=size=32x24:rate=5 -t 0.6 -pix_fmt rgb8 '" + Scratch.File("made.gif") + "'"));
  ASSERT_TRUE(RunQuietly("ffmpeg -y -i '" + Scratch.File("made.gif") + "' -pix_fmt rgba '" + Scratch.File("ref-%d.png") + "'"));
  ASSERT_TRUE(Examine(Scratch.File("made.gif")));
  const std::vector<TPictureFrameFile> frames = Pic.Frames();
  ASSERT_EQ(frames.size(), 3u);
  for (std::size_t i = 0; i < frames.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(frames[i].DelayMs, 200);
    int width = 0, height = 0;
    const std::vector<TRgba8> reference = ReadPngPixels(Scratch.File("ref-" + std::to_string(i + 1) + ".png"), width, height);
    ASSERT_EQ(width, 32);
    ExpectWorkPng(frames[i].WorkFile, 32, 24, [&](int x, int y) { return reference[std::size_t(y * 32 + x)]; }, 2);
  }
}

TEST_F(PictureKinds, AnimatedWebPGivesEveryFrameWithItsDelay)
{
  if (!HaveProgram("ffmpeg")) GTEST_SKIP() << "ffmpeg is not installed";
  const TRgba8 red{255, 0, 0, 255}, blue{0, 0, 255, 255};
  // The last frame's delay is the encoder's guess (it knows no end time): a third frame ends the second.
  WriteWholeFile(Scratch.File("source.gif"), GifBytes(8, 6, {SolidGifFrame(8, 6, red, 20), SolidGifFrame(8, 6, blue, 40),
                                                             SolidGifFrame(8, 6, red, 20)}));
  ASSERT_TRUE(RunQuietly("ffmpeg -y -i '" + Scratch.File("source.gif") + "' -c:v libwebp_anim -lossless 1 -loop 0 '" +
                         Scratch.File("anim.webp") + "'"));
  ASSERT_TRUE(Examine(Scratch.File("anim.webp")));
  const std::vector<TPictureFrameFile> frames = Pic.Frames();
  ASSERT_EQ(frames.size(), 3u);
  EXPECT_EQ(frames[0].DelayMs, 200);
  EXPECT_EQ(frames[1].DelayMs, 400);
  ExpectWorkPng(frames[0].WorkFile, 8, 6, [&](int, int) { return red; }, 0);
  ExpectWorkPng(frames[1].WorkFile, 8, 6, [&](int, int) { return blue; }, 0);
}

TEST_F(PictureKinds, AnimationWithTooManyFramesIsRefusedWithoutTakingUnboundedMemory)
{
  std::vector<TGifFrame> frames;
  for (int i = 0; i < TPic::MaxFrames + 1; ++i)
    frames.push_back(SolidGifFrame(2, 2, {std::uint8_t(i % 2 ? 255 : 0), 0, 0, 255}, 5));
  WriteWholeFile(Scratch.File("endless.gif"), GifBytes(2, 2, frames));
  const std::string message = RefusalOf(Scratch.File("endless.gif"));
  EXPECT_NE(message.find(Scratch.File("endless.gif")), std::string::npos) << message;
  EXPECT_NE(message.find("frames"), std::string::npos) << message;
}

TEST_F(PictureKinds, WebPLosslessKeepsItsPixelsAndLossyPhotoStaysJpeg)
{
  QImage picture(7, 5, QImage::Format_RGBA8888);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 7; ++x) {
      const TRgba8 c = Pattern(x, y);
      picture.setPixelColor(x, y, QColor(c.R, c.G, c.B, c.A));
    }
  ASSERT_TRUE(picture.save(QString::fromStdString(Scratch.File("lossless.webp")), "webp", 100));
  ASSERT_TRUE(Examine(Scratch.File("lossless.webp")));
  ExpectWorkPng(Pic.WorkFile(), 7, 5, Pattern, 2);

  QImage photo(64, 48, QImage::Format_RGB32);
  photo.fill(QColor(40, 120, 200));
  ASSERT_TRUE(photo.save(QString::fromStdString(Scratch.File("photo.webp")), "webp", 80));
  ASSERT_TRUE(Examine(Scratch.File("photo.webp")));
  EXPECT_EQ(Pic.Width(), 64);
  const TJpegDecoding work = DecodeJpeg(Pic.WorkFile(), 800, 600);
  ASSERT_EQ(work.Picture.Width, 64);
  EXPECT_NEAR(PixelAt(work.Picture, 30, 20)[2], 200, 8);
}

// Photos of phones: HEIC and AVIF made by libheif's encoder program from a PNG.
TEST_F(PictureKinds, HeicAndAvifPhotosAreRead)
{
  if (!HaveProgram("heif-enc")) GTEST_SKIP() << "heif-enc (libheif-examples) is not installed";
  WritePng(Scratch.File("source.png"), 64, 48, PNG_COLOR_TYPE_RGB, 8, false,
           [](int x, int) { return x < 32 ? TRgba8{220, 30, 30, 255} : TRgba8{30, 30, 220, 255}; });
  for (const char* kind : {"heic", "avif"}) {
    SCOPED_TRACE(kind);
    const std::string path = Scratch.File(std::string("photo.") + kind);
    const std::string option = std::string(kind) == "avif" ? " -A" : "";
    ASSERT_TRUE(RunQuietly("heif-enc -q 90" + option + " -o '" + path + "' '" + Scratch.File("source.png") + "'"));
    ASSERT_TRUE(Examine(path));
    EXPECT_EQ(Pic.Width(), 64);
    EXPECT_EQ(Pic.Height(), 48);
    const TJpegDecoding work = DecodeJpeg(Pic.WorkFile(), 800, 600); // a lossy photo stays JPEG
    ASSERT_EQ(work.Picture.Width, 64);
    const std::vector<int> left = PixelAt(work.Picture, 10, 24), right = PixelAt(work.Picture, 54, 24);
    EXPECT_NEAR(left[0], 220, 24);
    EXPECT_NEAR(left[2], 30, 24);
    EXPECT_NEAR(right[0], 30, 24);
    EXPECT_NEAR(right[2], 220, 24);
  }
}

TEST_F(PictureKinds, SvgShowsAtItsOwnSizeAsShapesOrAsPixelsWithFourTimesTheDetail)
{
  WriteWholeFile(Scratch.File("drawing.svg"),
                 "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"40\" height=\"20\">"
                 "<rect x=\"20\" y=\"0\" width=\"20\" height=\"20\" fill=\"#00ff00\"/></svg>");
  ASSERT_TRUE(Examine(Scratch.File("drawing.svg")));
  EXPECT_EQ(Pic.Width(), 40);
  EXPECT_EQ(Pic.Height(), 20);
  // Shapes: the work file is the drawing, sharp at any size.
  EXPECT_TRUE(IsDrawingFile(Pic.WorkFile()));

  // A blur cannot be shapes: pixels, sharp when the movie is shown four times larger.
  WriteWholeFile(Scratch.File("blurred.svg"),
                 "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"40\" height=\"20\">"
                 "<filter id=\"f\"><feGaussianBlur stdDeviation=\"0.01\"/></filter>"
                 "<rect x=\"20\" y=\"0\" width=\"20\" height=\"20\" fill=\"#00ff00\" filter=\"url(#f)\"/></svg>");
  ASSERT_TRUE(Examine(Scratch.File("blurred.svg")));
  ExpectWorkPng(Pic.WorkFile(), 160, 80, [](int x, int) { return x < 80 ? TRgba8{0, 0, 0, 0} : TRgba8{0, 255, 0, 255}; }, 2);

  // A large drawing keeps its detail within 4 megapixels.
  WriteWholeFile(Scratch.File("large.svg"), "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"800\" height=\"600\">"
                                            "<filter id=\"f\"><feGaussianBlur stdDeviation=\"2\"/></filter>"
                                            "<circle cx=\"400\" cy=\"300\" r=\"200\" fill=\"red\" filter=\"url(#f)\"/></svg>");
  ASSERT_TRUE(Examine(Scratch.File("large.svg")));
  EXPECT_EQ(Pic.Width(), 800);
  int width = 0, height = 0;
  ReadPngPixels(Pic.WorkFile(), width, height);
  EXPECT_EQ(width, 1600);
  EXPECT_EQ(height, 1200);
}

// A JPEG whose camera was held turned: an APP1 EXIF block saying "turn a quarter clockwise".
std::string WithOrientation(const std::vector<std::uint8_t>& jpeg, int orientation)
{
  std::string exif = std::string("\xFF\xE1\x00\x22", 4) + std::string("Exif\0\0", 6) + "MM" + std::string("\0\x2a\0\0\0\x08", 6) +
                     std::string("\0\x01\x01\x12\0\x03\0\0\0\x01\0", 11) + char(orientation) + std::string(6, '\0');
  const std::string bytes(jpeg.begin(), jpeg.end());
  return bytes.substr(0, 2) + exif + bytes.substr(2);
}

TEST_F(PictureKinds, JpegIsTurnedUprightByItsExifOrientation)
{
  TRgbPicture picture = SolidPicture(40, 20, 220, 30, 30); // left half red, right half blue
  for (int y = 0; y < 20; ++y)
    for (int x = 20; x < 40; ++x) {
      std::uint8_t* p = &picture.Pixels[(std::size_t(y) * 40 + std::size_t(x)) * 3];
      p[0] = 30;
      p[2] = 220;
    }
  WriteWholeFile(Scratch.File("turned.jpg"), WithOrientation(EncodeJpeg(picture, 95), 6));
  ASSERT_TRUE(Examine(Scratch.File("turned.jpg")));
  EXPECT_EQ(Pic.Width(), 20);
  EXPECT_EQ(Pic.Height(), 40);
  const TJpegDecoding work = DecodeJpeg(Pic.WorkFile(), 800, 600);
  EXPECT_GT(PixelAt(work.Picture, 10, 5)[0], 150);  // the left half now stands on top
  EXPECT_GT(PixelAt(work.Picture, 10, 35)[2], 150); // the right half below
}

TEST_F(PictureKinds, LargePictureIsRefusedAndScaledOnlyWhenTheUserAgrees)
{
  WritePng(Scratch.File("large.png"), 1600, 1000, PNG_COLOR_TYPE_RGB, 8, false, [](int, int) { return TRgba8{9, 99, 199, 255}; });
  Messages.Answer = false;
  EXPECT_FALSE(Examine(Scratch.File("large.png")));
  EXPECT_EQ(Messages.Shown, std::vector<std::string>{PictureRefusal});
  EXPECT_EQ(Messages.Asked, std::vector<std::string>{"Scale it down to fit?"});

  Messages.Answer = true;
  ASSERT_TRUE(Examine(Scratch.File("large.png")));
  EXPECT_EQ(Pic.Width(), 800); // 1600 x 1000 in 800 x 600, proportions kept
  EXPECT_EQ(Pic.Height(), 500);
  ExpectWorkPng(Pic.WorkFile(), 800, 500, [](int, int) { return TRgba8{9, 99, 199, 255}; }, 2);
  // Agreed once for this file: every later render uses it without asking again.
  Messages.Answer = false;
  ASSERT_TRUE(Examine(Scratch.File("large.png")));
  EXPECT_EQ(Messages.Asked.size(), 2u);
}

TEST_F(PictureKinds, WithoutAPersonToAskLargePicturesAreScaledWithANote)
{
  Pic.ScalesWithNote = true;
  WriteJpeg(Scratch.File("large.jpg"), 3000, 1000);
  ASSERT_TRUE(Examine(Scratch.File("large.jpg")));
  EXPECT_EQ(Pic.Width(), 800);
  EXPECT_EQ(Pic.Height(), 267);
  ASSERT_EQ(Messages.Shown.size(), 1u);
  EXPECT_NE(Messages.Shown[0].find("scaled down to 800 x 267"), std::string::npos) << Messages.Shown[0];
  EXPECT_TRUE(Messages.Asked.empty());
  const TJpegDecoding work = DecodeJpeg(Pic.WorkFile(), 800, 600);
  EXPECT_EQ(work.Picture.Width, 800);
  EXPECT_NEAR(PixelAt(work.Picture, 400, 130)[0], 200, 12);

  // A turned photo is measured upright: 1000 x 1400 stored, shown 1400 x 1000.
  TRgbPicture stored = SolidPicture(1000, 1400, 50, 60, 70);
  WriteWholeFile(Scratch.File("turned-large.jpg"), WithOrientation(EncodeJpeg(stored, 90), 8));
  ASSERT_TRUE(Examine(Scratch.File("turned-large.jpg")));
  EXPECT_EQ(Pic.Width(), 800);
  EXPECT_EQ(Pic.Height(), 571);
}

TEST_F(PictureKinds, SvgTextBecomesShapesWithoutAWindow)
{
  // These tests run without a GUI application, as a program without one would.
  WriteWholeFile(Scratch.File("words.svg"), "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"40\" height=\"20\">"
                                           "<text x=\"2\" y=\"15\">Hi</text></svg>");
  ASSERT_TRUE(Examine(Scratch.File("words.svg")));
  EXPECT_TRUE(IsDrawingFile(Pic.WorkFile()));
}

TEST_F(PictureKinds, DamagedAndHostileFilesAreRefusedNamingTheFile)
{
  WritePng(Scratch.File("whole.png"), 50, 40, PNG_COLOR_TYPE_RGB_ALPHA, 8, false, Pattern);
  const std::string png = ReadWholeFile(Scratch.File("whole.png"));
  TGifFrame frame = SolidGifFrame(50, 40, {1, 2, 3, 255}, 0);
  const std::string gif = GifBytes(50, 40, {frame});
  // A PNG whose header declares 100000 x 100000 pixels (about 40 GB) over a few bytes.
  std::string lying = png;
  const std::string huge = std::string("\0\x01\x86\xA0", 4);
  lying.replace(16, 4, huge);
  lying.replace(20, 4, huge);
  const uLong crc = crc32(0, reinterpret_cast<const Bytef*>(lying.data() + 12), 17); // the header stays valid
  for (int i = 0; i < 4; ++i) lying[std::size_t(29 + i)] = char((crc >> (24 - 8 * i)) & 0xFF);
  // A GIF whose screen is 65535 x 65535 with one small frame.
  std::string wideGif = gif;
  wideGif[6] = wideGif[7] = wideGif[8] = wideGif[9] = '\xFF';
  const std::vector<std::pair<std::string, std::string>> files = {
      {"cut.png", png.substr(0, png.size() / 2)},
      {"header-only.png", png.substr(0, 33)},
      {"lying.png", lying},
      {"cut.gif", gif.substr(0, 40)},
      {"wide.gif", wideGif},
      {"cut.webp", std::string("RIFF\x40\0\0\0WEBPVP8L\x30\0\0\0", 20)},
      {"cut.heic", std::string("\0\0\0\x18" "ftypheic\0\0\0\0mif1heic", 24)},
      {"broken.svg", "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"10\" height=\"10\"><rect"},
      {"empty.png", ""},
      {"text.png", "just some words"},
  };
  for (const auto& [name, bytes] : files) {
    SCOPED_TRACE(name);
    WriteWholeFile(Scratch.File(name), bytes);
    const std::string message = RefusalOf(Scratch.File(name));
    EXPECT_NE(message.find(Scratch.File(name)), std::string::npos) << message;
  }
  EXPECT_TRUE(Messages.Asked.empty());
}

TEST_F(PictureKinds, UnchangedPictureIsNotDecodedAgainButAChangedOneIs)
{
  const std::string path = Scratch.File("anim.gif");
  WriteWholeFile(path, GifBytes(4, 4, {SolidGifFrame(4, 4, {255, 0, 0, 255}, 10), SolidGifFrame(4, 4, {0, 0, 255, 255}, 10)}));
  ASSERT_TRUE(Examine(path));
  const std::string second = Pic.Frames()[1].WorkFile;
  WriteWholeFile(second, "kept"); // what the next examination does to the work files shows
  ASSERT_TRUE(Examine(path));      // every render of the editor asks again
  EXPECT_EQ(ReadWholeFile(second), "kept");
  // Another picture in between takes the work files over.
  WritePng(Scratch.File("other.png"), 2, 2, PNG_COLOR_TYPE_RGB_ALPHA, 8, false, Pattern);
  ASSERT_TRUE(Examine(Scratch.File("other.png")));
  ASSERT_TRUE(Examine(path));
  EXPECT_NE(ReadWholeFile(second), "kept");
  // The file changed (its size, as the time of change may not yet have moved): read again.
  WriteWholeFile(second, "kept");
  WriteWholeFile(path, GifBytes(4, 4, {SolidGifFrame(4, 4, {0, 255, 0, 255}, 10), SolidGifFrame(4, 4, {9, 9, 9, 255}, 20),
                                       SolidGifFrame(4, 4, {0, 255, 0, 255}, 10)}));
  ASSERT_TRUE(Examine(path));
  EXPECT_EQ(Pic.Frames()[1].DelayMs, 200);
  EXPECT_NE(ReadWholeFile(second), "kept");
}

TEST_F(PictureKinds, ThumbnailShowsEveryKindSmallWithTransparencyOverWhite)
{
  WritePng(Scratch.File("wide.png"), 1000, 500, PNG_COLOR_TYPE_RGB_ALPHA, 8, false,
           [](int x, int) { return x < 500 ? TRgba8{0, 0, 0, 0} : TRgba8{0, 0, 200, 255}; });
  const TRgbPicture shown = ReadPreviewPicture(Scratch.File("wide.png"), 512);
  EXPECT_EQ(shown.Width, 512);
  EXPECT_EQ(shown.Height, 256);
  EXPECT_EQ(PixelAt(shown, 100, 100), (std::vector<int>{255, 255, 255}));
  EXPECT_EQ(PixelAt(shown, 400, 100), (std::vector<int>{0, 0, 200}));
  WriteWholeFile(Scratch.File("anim.gif"), GifBytes(6, 4, {SolidGifFrame(6, 4, {250, 0, 0, 255}, 10),
                                                          SolidGifFrame(6, 4, {0, 250, 0, 255}, 10)}));
  EXPECT_EQ(PixelAt(ReadPreviewPicture(Scratch.File("anim.gif")), 2, 2), (std::vector<int>{250, 0, 0}));
  WriteWholeFile(Scratch.File("cut.gif"), "GIF89a");
  EXPECT_THROW(ReadPreviewPicture(Scratch.File("cut.gif")), TPictureError);
}

TEST_F(PictureKinds, RefusedFileLeavesTheLastWorkFilesAlone)
{
  WritePng(Scratch.File("good.png"), 5, 5, PNG_COLOR_TYPE_RGB_ALPHA, 8, false, Pattern);
  ASSERT_TRUE(Examine(Scratch.File("good.png")));
  const std::string before = ReadWholeFile(Pic.WorkFile());
  const std::string png = ReadWholeFile(Scratch.File("good.png"));
  WriteWholeFile(Scratch.File("cut.png"), png.substr(0, png.size() - 20));
  EXPECT_THROW(Examine(Scratch.File("cut.png")), TPictureError);
  EXPECT_EQ(ReadWholeFile(Pic.WorkFile()), before);
  EXPECT_EQ(Pic.Width(), 5);
}

} // namespace
