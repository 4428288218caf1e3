// What the shape object makes: text outlines (fonts, fallback, origin, closed contours on
// the right fill side), curves and long edges, pictures and sounds from files.
#include <gtest/gtest.h>

#include <cmath>
#include <mutex>
#include <tuple>
#include <variant>

#include "BuilderTestKit.h"
#include "swf/builder/FontCatalog.h"
#include "swf/builder/ShapeEncoder.h"
#include "swf/builder/SwfMovie.h"
#include "swf/builder/SwfObject.h"
#include "swf/builder/TextRuns.h"
#include "swf/builder/TextShape.h"
#include "swf/format/SwfBitReader.h"
#include "swf/format/SwfError.h"
#include "swf/reader/MovieParser.h"
#include "swf/reader/BitmapData.h"
#include "swf/reader/TagParsers.h"

#include <png.h>

using namespace swf;
using namespace swf::test;

namespace {

TShape ParseShapeBody(const std::vector<uint8_t>& body) {
  std::vector<uint8_t> tag = {1, 0};
  tag.insert(tag.end(), body.begin(), body.end());
  TSwfBitReader r(tag.data(), tag.size());
  return ParseDefineShape(r, 3);
}

struct TContourCheck {
  int Contours = 0;
  int Edges = 0;
  int OpenContours = 0;
  int EdgesWithoutFill = 0;
  int EdgesFilledRight = 0;  // fill1
  int64_t LongestDelta = 0;
};

// Walks the records as a player does: the pen, the fills, and whether each contour closes.
TContourCheck Walk(const TShape& shape) {
  TContourCheck check;
  int64_t x = 0, y = 0, startX = 0, startY = 0;
  uint32_t fill0 = 0, fill1 = 0;
  bool open = false;
  auto closeContour = [&] {
    if (open && (x != startX || y != startY)) ++check.OpenContours;
  };
  auto edge = [&](int64_t dx, int64_t dy) {
    x += dx;
    y += dy;
    ++check.Edges;
    check.LongestDelta = std::max({check.LongestDelta, std::abs(dx), std::abs(dy)});
    if (fill0 == 0 && fill1 == 0) ++check.EdgesWithoutFill;
    if (fill1 == 1 && fill0 == 0) ++check.EdgesFilledRight;
  };
  for (const auto& record : shape.Records) {
    if (auto* change = std::get_if<TStyleChange>(&record)) {
      if (change->FillStyle0) fill0 = *change->FillStyle0;
      if (change->FillStyle1) fill1 = *change->FillStyle1;
      if (change->MoveToX) {
        closeContour();
        x = startX = *change->MoveToX;
        y = startY = *change->MoveToY;
        open = true;
        ++check.Contours;
      }
    } else if (auto* line = std::get_if<TStraightEdge>(&record)) {
      edge(line->DX, line->DY);
    } else if (auto* curve = std::get_if<TCurvedEdge>(&record)) {
      edge(static_cast<int64_t>(curve->ControlDX) + curve->AnchorDX,
           static_cast<int64_t>(curve->ControlDY) + curve->AnchorDY);
    }
  }
  closeContour();
  return check;
}

std::vector<uint8_t> Text(const std::string& font, const std::string& text, double height = 560) {
  return TextShapeBody(font, text, height);
}

}  // namespace

TEST(TextShapes, GlyphsAreClosedContoursFilledOnTheInkSide) {
  TShape shape = ParseShapeBody(Text("DejaVu Sans", "Hello, Ögå 08"));
  TContourCheck check = Walk(shape);
  EXPECT_GT(check.Contours, 12);
  EXPECT_EQ(check.OpenContours, 0);
  EXPECT_EQ(check.EdgesWithoutFill, 0);
  // A TrueType font draws outer contours clockwise: the ink lies right of every edge.
  EXPECT_EQ(check.EdgesFilledRight, check.Edges);
  ASSERT_EQ(shape.Styles.Fills.size(), 1u);
  EXPECT_EQ(shape.Styles.Fills[0].Color, (TRgba{0, 0, 0, 255}));
}

TEST(TextShapes, OriginIsTheTopLeftOfTheLineBox) {
  const double height = 560;  // 20-point text
  TShape shape = ParseShapeBody(Text("DejaVu Sans", "Hxy", height));
  // Capitals start a little below the top; descenders end within one line height.
  EXPECT_GT(shape.Bounds.YMin, 0);
  EXPECT_LT(shape.Bounds.YMin, height * 0.25);
  EXPECT_GT(shape.Bounds.YMax, height * 0.9);
  EXPECT_LT(shape.Bounds.YMax, height * 1.3);
  EXPECT_GE(shape.Bounds.XMin, 0);
  EXPECT_LT(shape.Bounds.XMin, height * 0.2);
  // A second line lies one line height lower.
  TShape twoLines = ParseShapeBody(Text("DejaVu Sans", "Hxy\nHxy", height));
  EXPECT_NEAR(twoLines.Bounds.YMax - shape.Bounds.YMax, height * 1.16, height * 0.1);
}

TEST(TextShapes, FontsFallBackByFamilyAndByCharacter) {
  EXPECT_EQ(Text("No Such Family 123", "Abc"), Text("sans-serif", "Abc"));
  EXPECT_NE(Text("Liberation Serif", "Abc"), Text("DejaVu Sans", "Abc"));
  // DejaVu Sans has no CJK: the character comes from a font that has it, not the
  // missing-glyph box that a character no font has gets.
  auto cjk = Text("DejaVu Sans", "\xE6\x97\xA5");  // U+65E5
  auto nowhere = Text("DejaVu Sans", "\xF4\x8F\xBF\xBD");  // U+10FFFD, private use
  EXPECT_NE(cjk, nowhere);
  EXPECT_GT(Walk(ParseShapeBody(cjk)).Contours, 1);
}

// Shapes are kept between renders: asking again, or for a neighbour that differs in one
// property only, must give what a fresh shaping gives.
TEST(TextShapes, ShapesMadeBeforeComeBackForTheSameTextOnly) {
  const auto first = TextShapeBody("DejaVu Sans", "Kept", 560, {10, 20, 30, 255});
  EXPECT_EQ(TextShapeBody("DejaVu Sans", "Kept", 560, {10, 20, 30, 255}), first);
  EXPECT_NE(TextShapeBody("DejaVu Sans", "Kept", 560, {10, 20, 31, 255}), first);
  EXPECT_NE(TextShapeBody("DejaVu Sans", "Kept", 561, {10, 20, 30, 255}), first);
  EXPECT_NE(TextShapeBody("DejaVu Serif", "Kept", 560, {10, 20, 30, 255}), first);
  EXPECT_NE(TextShapeBody("DejaVu Sans", "Kepf", 560, {10, 20, 30, 255}), first);
}

TEST(TextShapes, EmptyAndOddTextsGiveValidShapes) {
  for (const std::string& text : {std::string(), std::string(" "), std::string("\n\t"), std::string("\xFF\xFE")}) {
    TShape shape = ParseShapeBody(Text("DejaVu Sans", text));
    EXPECT_EQ(Walk(shape).OpenContours, 0);
  }
  TShape empty = ParseShapeBody(Text("DejaVu Sans", ""));
  EXPECT_EQ(empty.Bounds, TRect{});
  EXPECT_EQ(Walk(empty).Edges, 0);
  EXPECT_EQ(Text("DejaVu Sans", "Abc", 0), Text("DejaVu Sans", "", 560));
  EXPECT_EQ(DecodeUtf8("a\xC3\xA9\xFF\xE6\x97\xA5"), (std::u32string{U'a', 0xE9, 0xFFFD, 0x65E5}));
  EXPECT_EQ(DecodeUtf8("\xC0\xAF"), (std::u32string{0xFFFD, 0xFFFD}));  // overlong
}

TEST(TextShapes, AdvanceWidthGrowsWithTextAndHeight) {
  double m = TextAdvanceWidth("DejaVu Sans", "M", 560);
  EXPECT_GT(m, 300);
  EXPECT_NEAR(TextAdvanceWidth("DejaVu Sans", "MM", 560), 2 * m, 1);
  EXPECT_NEAR(TextAdvanceWidth("DejaVu Sans", "M", 1120), 2 * m, 1);
  EXPECT_NEAR(TextAdvanceWidth("DejaVu Sans", "MMM\nM", 560), 3 * m, 1);
}

// Right-to-left text reads from the right with its numbers left to right, and an Arabic
// word in a Latin line is shaped as Arabic, right to left.
TEST(TextShapes, LinesRunInBidirectionalOrder) {
  TFontCatalog& catalog = TFontCatalog::Instance();
  std::lock_guard<std::mutex> lock(catalog.Lock());
  auto faceFor = [&](char32_t c) -> TFontFace& { return catalog.ForChar("DejaVu Sans", c); };
  auto runs = [&](const std::u32string& line) {
    std::vector<std::tuple<size_t, size_t, bool>> out;
    for (const TTextRun& run : VisualRuns(line, faceFor)) out.emplace_back(run.Start, run.End, run.RightToLeft);
    return out;
  };
  using TRuns = std::vector<std::tuple<size_t, size_t, bool>>;
  EXPECT_EQ(runs(U"\u05E9\u05E0\u05D4 25"), (TRuns{{4, 6, false}, {0, 4, true}}));  // "25" stays "25", leftmost
  EXPECT_EQ(runs(U"Hi \u0639\u064A\u062F!"), (TRuns{{0, 3, false}, {3, 6, true}, {6, 7, false}}));
  const auto arabic = VisualRuns(U"Hi \u0639\u064A\u062F!", faceFor);
  EXPECT_EQ(arabic[1].Script, HB_SCRIPT_ARABIC);
  EXPECT_EQ(arabic[0].Script, HB_SCRIPT_LATIN);
  EXPECT_EQ(runs(U"Gr\u00FC\u00DFe \u751F\u65E5"), (TRuns{{0, 6, false}, {6, 8, false}}));  // Han from its own font
  EXPECT_TRUE(runs(U"").empty());
}

TEST(ShapeEncoder, CubicsBecomeCloseQuadraticsAndLongEdgesSplit) {
  TShapeEncoder encoder;
  encoder.MoveTo(0, 0, TInkSide::Right);
  encoder.CubicTo(0, 10000, 10000, 10000, 10000, 0);
  encoder.LineTo(200000, 0);
  encoder.ClosePath();
  TShape shape = ParseShapeBody(encoder.Body(TShapeEncoder::SolidFill({})));
  TContourCheck check = Walk(shape);
  EXPECT_EQ(check.OpenContours, 0);
  EXPECT_LE(check.LongestDelta, 65535);
  // Every quadratic's middle lies on the cubic (within a twip and a half).
  auto cubicDistance = [](double px, double py) {
    double best = 1e18;
    for (int i = 0; i <= 100000; ++i) {  // samples about 0.2 twips apart
      double t = i / 100000.0, u = 1 - t;
      double x = 3 * u * t * t * 10000 + t * t * t * 10000, y = 3 * u * u * t * 10000 + 3 * u * t * t * 10000;
      best = std::min(best, std::hypot(x - px, y - py));
    }
    return best;
  };
  double x = 0, y = 0;
  int curves = 0;
  for (const auto& record : shape.Records) {
    if (auto* c = std::get_if<TCurvedEdge>(&record)) {
      double cx = x + c->ControlDX, cy = y + c->ControlDY, ax = cx + c->AnchorDX, ay = cy + c->AnchorDY;
      EXPECT_LT(cubicDistance((x + 2 * cx + ax) / 4, (y + 2 * cy + ay) / 4), 1.5);
      x = ax;
      y = ay;
      ++curves;
    } else if (auto* l = std::get_if<TStraightEdge>(&record)) {
      x += l->DX;
      y += l->DY;
    }
  }
  EXPECT_GT(curves, 3);
}

TEST(TextObject, RefusesNonNumbersAndKeepsWorking) {
  TSwfObject object;
  EXPECT_THROW(object.MakeTextSimple("DejaVu Sans", "A", std::nan(""), 0, 400), TSwfError);
  EXPECT_THROW(object.MakeTextSimple("DejaVu Sans", "A", 0, 0, INFINITY), TSwfError);
  object.MakeTextSimple("DejaVu Sans", "A", 100.4, 200.6, 400);
  EXPECT_EQ(object.CurrentPlacement().Matrix.TX, 100);
  EXPECT_EQ(object.CurrentPlacement().Matrix.TY, 201);
  object.Scale(NAN, INFINITY);
  EXPECT_EQ(object.CurrentPlacement().Matrix.A, 0);
  EXPECT_EQ(object.CurrentPlacement().Matrix.D, 1073741823);
  object.SetSolidFill(300, -4, 128, -20.0);
  EXPECT_EQ(object.CurrentPlacement().CxForm.RAdd, 255);
  EXPECT_EQ(object.CurrentPlacement().CxForm.GAdd, 0);
  EXPECT_EQ(object.CurrentPlacement().CxForm.AAdd, 0);
  // A new Make starts with no fill and no transform.
  object.MakeTextSimple("DejaVu Sans", "B", 0, 0, 400);
  EXPECT_TRUE(object.CurrentPlacement().CxForm.IsIdentity());
  EXPECT_EQ(object.CurrentPlacement().Matrix.A, 65536);
}

TEST(PictureObject, ReadsTheJpegDuringTheCallAndScalesItToTheRectangle) {
  TTempDir dir;
  std::string path = dir.Path("work.jpg");
  WriteJpeg(path, 40, 30);
  auto original = ReadBytes(path);
  TSwfMovie movie;
  TSwfObject object;
  object.MakePicture(3000, 1000, 1000, 1600, 100, 30, path);  // right < left: the same rectangle
  WriteJpeg(path, 8, 8);  // the work file is rewritten for the next picture
  movie.AddObject(object);
  TMovie written = LoadMovie(movie.MovieBytes());
  auto shown = DisplayAt(written, 0);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown.begin()->second.Matrix.TX, 1000);
  EXPECT_EQ(shown.begin()->second.Matrix.TY, 1000);
  const TShape* shape = written.Find<TShape>(shown.begin()->second.CharacterId);
  ASSERT_TRUE(shape);
  EXPECT_EQ(shape->Bounds, (TRect{0, 2000, 0, 600}));
  ASSERT_EQ(shape->Styles.Fills.size(), 1u);
  const TFillStyle& fill = shape->Styles.Fills[0];
  EXPECT_EQ(fill.Type, TFillType::ClippedBitmap);
  EXPECT_EQ(fill.Matrix.A, 50 * 65536);  // 2000 twips over 40 pixels
  EXPECT_EQ(fill.Matrix.D, 20 * 65536);  // 600 twips over 30 pixels
  const TBitmap* bitmap = written.Find<TBitmap>(fill.BitmapId);
  ASSERT_TRUE(bitmap);
  EXPECT_EQ(bitmap->ImageData, original);
}

TEST(PictureObject, RefusesFilesThatAreNotJpeg) {
  TTempDir dir;
  TSwfObject object;
  WriteBytes(dir.Path("fake.jpg"), {0xFF, 0xD8, 0xFF, 0xE0, 0, 0, 1, 2, 3});
  WriteBytes(dir.Path("text.jpg"), {'h', 'e', 'l', 'l', 'o'});
  for (const char* name : {"fake.jpg", "text.jpg"}) {
    try {
      object.MakePicture(0, 0, 20, 20, 1, 1, dir.Path(name));
      FAIL() << name;
    } catch (const TSwfError& e) {
      EXPECT_EQ(std::string(e.what()), "The picture file is not a JPEG image: " + dir.Path(name));
    }
  }
  EXPECT_THROW(object.MakePicture(0, 0, 20, 20, 1, 1, dir.Path("missing.jpg")), TSwfError);
  EXPECT_FALSE(object.Content());
}

TEST(PictureObject, PngGoesInLosslessWithItsAlphaPremultiplied) {
  TTempDir dir;
  // 3 x 2 straight RGBA: opaque red, half-transparent white, transparent; a grey row.
  const std::vector<uint8_t> rgba = {255, 0, 0, 255, 255, 255, 255, 128, 9, 9, 9, 0,
                                     100, 100, 100, 255, 100, 100, 100, 255, 100, 100, 100, 255};
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = 3;
  image.height = 2;
  image.format = PNG_FORMAT_RGBA;
  // Named .jpg: the content, not the name, decides.
  ASSERT_TRUE(png_image_write_to_file(&image, dir.Path("work.jpg").c_str(), 0, rgba.data(), 0, nullptr));
  TSwfMovie movie;
  TSwfObject object;
  object.MakePicture(0, 0, 60, 40, 3, 2, dir.Path("work.jpg"));
  movie.AddObject(object);
  TMovie written = LoadMovie(movie.MovieBytes());
  const TBitmap* bitmap = nullptr;
  for (const auto& [id, character] : written.Characters)
    if (const auto* b = std::get_if<TBitmap>(&character)) bitmap = b;
  ASSERT_TRUE(bitmap);
  EXPECT_EQ(bitmap->Kind, TBitmapKind::Lossless2);
  EXPECT_EQ(bitmap->Format, 5);
  const TPixels pixels = DecodeLossless(*bitmap);
  ASSERT_EQ(pixels.Width, 3);
  ASSERT_EQ(pixels.Height, 2);
  EXPECT_EQ(pixels.Argb, (std::vector<uint32_t>{0xFFFF0000, 0x80808080, 0x00000000, 0xFF646464, 0xFF646464, 0xFF646464}));
}

TEST(PictureObject, DamagedPngIsRefusedNamingTheFile) {
  TTempDir dir;
  WriteBytes(dir.Path("cut.png"), {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R'});
  TSwfObject object;
  try {
    object.MakePicture(0, 0, 20, 20, 1, 1, dir.Path("cut.png"));
    FAIL() << "accepted";
  } catch (const TSwfError& e) {
    EXPECT_NE(std::string(e.what()).find(dir.Path("cut.png")), std::string::npos) << e.what();
  }
  EXPECT_FALSE(object.Content());
}

TEST(SoundObject, TakesOnlySixteenBitMonoWaveAtSwfRates) {
  TTempDir dir;
  TSwfObject object;
  WriteWave(dir.Path("ok.wav"), 44100, 1, 16, 7);
  object.MakeSound(dir.Path("ok.wav"));
  ASSERT_TRUE(object.Content() && object.Content()->Sound);
  EXPECT_EQ(object.Content()->Sound->SampleCount, 7u);
  EXPECT_EQ(object.Content()->Sound->Format, 0x3E);
  auto file = ReadBytes(dir.Path("ok.wav"));
  EXPECT_EQ(object.Content()->Sound->Samples, std::vector<uint8_t>(file.begin() + 44, file.end()));

  auto refused = [&](const std::string& name, const std::string& start) {
    try {
      object.MakeSound(dir.Path(name));
      ADD_FAILURE() << name;
    } catch (const TSwfError& e) {
      EXPECT_EQ(std::string(e.what()).rfind(start, 0), 0u) << e.what();
      EXPECT_NE(std::string(e.what()).find(dir.Path(name)), std::string::npos);
    }
  };
  WriteWave(dir.Path("stereo.wav"), 22050, 2, 16, 5);
  WriteWave(dir.Path("8bit.wav"), 22050, 1, 8, 5);
  WriteWave(dir.Path("float.wav"), 22050, 1, 16, 5, 3);
  WriteWave(dir.Path("8k.wav"), 8000, 1, 16, 5);
  WriteBytes(dir.Path("junk.wav"), {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ', 0xFF,
                                    0xFF, 0xFF, 0x7F});
  refused("stereo.wav", "Please use a 16-bit mono wave file: ");
  refused("8bit.wav", "Please use a 16-bit mono wave file: ");
  refused("float.wav", "Please use a 16-bit mono wave file: ");
  refused("junk.wav", "Please use a 16-bit mono wave file: ");
  refused("8k.wav", "The sound's sample rate must be 5512, 11025, 22050 or 44100 Hz");
  refused("missing.wav", "Can not open the sound file: ");

  // A data chunk cut short (or of unknown length) gives the whole samples that are there.
  auto cut = file;
  cut.resize(cut.size() - 3);
  WriteBytes(dir.Path("cut.wav"), cut);
  object.MakeSound(dir.Path("cut.wav"));
  EXPECT_EQ(object.Content()->Sound->SampleCount, 5u);
}
