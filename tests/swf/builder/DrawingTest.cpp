// A drawing's work file (an SVG picture made into outlines) becomes one DefineShape4 of
// layers filled by the non-zero rule, scaled to the picture's rectangle; damaged work files
// are refused naming the file.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <variant>

#include "BuilderTestKit.h"
#include "swf/builder/SwfMovie.h"
#include "swf/builder/SwfObject.h"
#include "swf/builder/VectorArt.h"
#include "swf/format/SwfError.h"
#include "swf/format/TagCodes.h"
#include "swf/reader/MovieParser.h"

using namespace swf;
using namespace swf::test;

namespace {

TVectorItem Square(double x, double y, double side, TVectorPaint paint) {
  TVectorItem item;
  item.Verbs = {TVectorVerb::Move, TVectorVerb::Line, TVectorVerb::Line, TVectorVerb::Line, TVectorVerb::Close};
  item.Points = {{x, y}, {x + side, y}, {x + side, y + side}, {x, y + side}};
  item.Paint = std::move(paint);
  return item;
}

// 100 x 50 pixels: a red square, a square with a linear gradient, a circle-like cubic blob
// with a focal radial gradient that repeats.
TVectorArt ThreeLayers() {
  TVectorArt art;
  art.Width = 100;
  art.Height = 50;
  TVectorPaint red;
  red.Colour = {255, 0, 0, 255};
  art.Items.push_back(Square(0, 0, 50, red));
  TVectorPaint linear;
  linear.Kind = TArtPaintKind::Linear;
  linear.Stops = {{0, {0, 0, 255, 255}}, {0.5, {0, 255, 0, 128}}, {1, {255, 255, 255, 255}}};
  // From x = 50 to x = 100 along the drawing: half-length 25, centre (75, 25).
  const double linearMatrix[6] = {25, 0, 0, 25, 75, 25};
  std::copy(std::begin(linearMatrix), std::end(linearMatrix), linear.Matrix);
  art.Items.push_back(Square(50, 0, 50, linear));
  TVectorPaint radial = linear;
  radial.Kind = TArtPaintKind::Radial;
  radial.Focal = 0.5;
  radial.Spread = TArtSpread::Repeat;
  TVectorItem blob;
  blob.Verbs = {TVectorVerb::Move, TVectorVerb::Cubic, TVectorVerb::Quad, TVectorVerb::Close};
  blob.Points = {{10, 10}, {40, 0}, {40, 40}, {10, 40}, {0, 25}, {10, 10}};
  blob.Paint = radial;
  art.Items.push_back(blob);
  return art;
}

std::vector<const TShapeStyles*> Layers(const TShape& shape) {
  std::vector<const TShapeStyles*> layers;
  for (const auto& record : shape.Records)
    if (const auto* change = std::get_if<TStyleChange>(&record); change && change->NewStyles) layers.push_back(&*change->NewStyles);
  return layers;
}

TEST(DrawingPicture, BecomesOneShapeOfNonZeroLayersScaledToTheRectangle) {
  TTempDir dir;
  WriteBytes(dir.Path("work.grxv"), EncodeVectorArt(ThreeLayers()));
  TSwfMovie movie;
  TSwfObject object;
  // 2000 x 1000 twips: 20 twips a pixel of the drawing.
  object.MakePicture(1000, 2000, 3000, 3000, 100, 50, dir.Path("work.grxv"));
  movie.AddObject(object);
  movie.GotoFrame(1);
  object.MakePicture(1000, 2000, 3000, 3000, 100, 50, dir.Path("work.grxv"));  // as an effect does, frame by frame
  movie.AddObject(object);
  const std::vector<uint8_t> bytes = movie.MovieBytes();
  TMovie written = LoadMovie(bytes);
  const std::vector<uint16_t> codes = TagCodes(bytes);
  EXPECT_EQ(std::count(codes.begin(), codes.end(), static_cast<uint16_t>(TTagCode::DefineShape4)), 1);

  auto shown = DisplayAt(written, 0);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown.begin()->second.Matrix.TX, 1000);
  EXPECT_EQ(shown.begin()->second.Matrix.TY, 2000);
  const TShape* shape = written.Find<TShape>(shown.begin()->second.CharacterId);
  ASSERT_TRUE(shape);
  EXPECT_EQ(shape->Version, 4);
  EXPECT_TRUE(shape->UsesFillWindingRule);
  EXPECT_EQ(shape->Bounds, (TRect{0, 2000, 0, 1000}));

  const std::vector<const TShapeStyles*> layers = Layers(*shape);
  ASSERT_EQ(layers.size(), 3u);
  for (const TShapeStyles* layer : layers) ASSERT_EQ(layer->Fills.size(), 1u);
  EXPECT_EQ(layers[0]->Fills[0].Type, TFillType::Solid);
  EXPECT_EQ(layers[0]->Fills[0].Color, (TRgba{255, 0, 0, 255}));

  const TFillStyle& linear = layers[1]->Fills[0];
  EXPECT_EQ(linear.Type, TFillType::LinearGradient);
  // The gradient square's 32768 twips span the 50 pixels (1000 twips) from x = 50 to 100.
  EXPECT_NEAR(linear.Matrix.A / 65536.0, 1000.0 / 32768, 1e-4);
  EXPECT_NEAR(linear.Matrix.D / 65536.0, 1000.0 / 32768, 1e-4);
  EXPECT_EQ(linear.Matrix.TX, 1500);
  EXPECT_EQ(linear.Matrix.TY, 500);
  ASSERT_EQ(linear.Gradient.Stops.size(), 3u);
  EXPECT_EQ(linear.Gradient.Stops[1].Ratio, 128);
  EXPECT_EQ(linear.Gradient.Stops[1].Color, (TRgba{0, 255, 0, 128}));

  const TFillStyle& radial = layers[2]->Fills[0];
  EXPECT_EQ(radial.Type, TFillType::FocalGradient);
  EXPECT_EQ(radial.Gradient.FocalPoint, 128);  // 0.5 in 8.8
  EXPECT_EQ(radial.Gradient.Spread, 2);

  // Every contour names its layer's fill on its right and nothing on its left.
  int moves = 0;
  for (const auto& record : shape->Records)
    if (const auto* change = std::get_if<TStyleChange>(&record); change && change->MoveToX) {
      ++moves;
      EXPECT_EQ(change->FillStyle1.value_or(0), 1u);
      EXPECT_EQ(change->FillStyle0.value_or(0), 0u);
    }
  EXPECT_EQ(moves, 3);
}

TEST(DrawingPicture, DamagedWorkFilesAreRefusedNamingTheFile) {
  TTempDir dir;
  const std::vector<uint8_t> whole = EncodeVectorArt(ThreeLayers());
  TVectorArt unbalanced = ThreeLayers();
  unbalanced.Items[0].Points.pop_back();  // a verb without its point
  TVectorArt notANumber = ThreeLayers();
  notANumber.Items[1].Points[0].X = std::numeric_limits<double>::quiet_NaN();
  TVectorArt manyStops = ThreeLayers();
  manyStops.Items[1].Paint.Stops.resize(MaxGradientStops + 1);
  std::vector<uint8_t> trailing = whole;
  trailing.push_back(0);
  std::vector<uint8_t> manyItems(whole.begin(), whole.begin() + 24);  // magic and size
  for (int i = 0; i < 4; ++i) manyItems.push_back(0xFF);                // 4 billion items, none there
  const std::vector<std::pair<std::string, std::vector<uint8_t>>> files = {
      {"cut.grxv", std::vector<uint8_t>(whole.begin(), whole.begin() + static_cast<long>(whole.size() / 2))},
      {"unbalanced.grxv", EncodeVectorArt(unbalanced)},
      {"nan.grxv", EncodeVectorArt(notANumber)},
      {"stops.grxv", EncodeVectorArt(manyStops)},
      {"trailing.grxv", trailing},
      {"items.grxv", manyItems},
  };
  for (const auto& [name, bytes] : files) {
    SCOPED_TRACE(name);
    WriteBytes(dir.Path(name), bytes);
    TSwfObject object;
    try {
      object.MakePicture(0, 0, 200, 100, 10, 5, dir.Path(name));
      ADD_FAILURE() << "accepted";
    } catch (const TSwfError& e) {
      EXPECT_NE(std::string(e.what()).find(dir.Path(name)), std::string::npos) << e.what();
    }
    EXPECT_FALSE(object.Content());
  }
}

}  // namespace
