// Hard-edged filling: which pixels an edge through their centres belongs to, the fill
// rules, and how curves are flattened (within the tolerance, a flat one as its chord).
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "player/render/HardEdgeFill.h"

namespace {

using player::FillHardEdged;
using player::FlattenedPath;

// The covered pixels of path filled on a clear 12 × 12 image, as rows of '#' and '.'.
std::vector<std::string> Filled(const QPainterPath& path, const QTransform& transform = {}) {
  QImage image(12, 12, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setTransform(transform);
  FillHardEdged(painter, path, Qt::black);
  painter.end();
  std::vector<std::string> rows;
  for (int y = 0; y < 12; ++y) {
    std::string row;
    for (int x = 0; x < 12; ++x) row += qAlpha(image.pixel(x, y)) ? '#' : '.';
    rows.push_back(row);
  }
  return rows;
}

TEST(HardEdgeFill, PixelCentresOnLeftAndTopEdgesAreInsideOnRightAndBottomOnesOutside) {
  // Edges at 2.5 and 5.5 pass through the centres of columns and rows 2 and 5.
  QPainterPath square;
  square.addRect(QRectF(2.5, 2.5, 3, 3));
  const std::vector<std::string> rows = Filled(square);
  EXPECT_EQ(rows[1], "............");
  EXPECT_EQ(rows[2], "..###.......");
  EXPECT_EQ(rows[4], "..###.......");
  EXPECT_EQ(rows[5], "............");
  // Drawn the other way round, and through a transform: the same pixels.
  QPainterPath reversed;
  reversed.moveTo(110, 110);
  reversed.lineTo(110, 50);
  reversed.lineTo(50, 50);
  reversed.lineTo(50, 110);
  reversed.closeSubpath();
  EXPECT_EQ(Filled(reversed, QTransform::fromScale(0.05, 0.05)), rows);
}

TEST(HardEdgeFill, FollowsTheFillRule) {
  QPainterPath rings;
  rings.addRect(QRectF(1, 1, 10, 10));
  rings.addRect(QRectF(4, 4, 4, 4));  // the same direction: a hole only by even-odd
  rings.setFillRule(Qt::OddEvenFill);
  EXPECT_EQ(Filled(rings)[5], ".###....###.");
  rings.setFillRule(Qt::WindingFill);
  EXPECT_EQ(Filled(rings)[5], ".##########.");
}

TEST(HardEdgeFill, FlattensCurvesWithinTheToleranceAndFlatOnesToTheirChord) {
  // A quarter of a circle of 100 units: several lines, ending where the curve ends.
  QPainterPath arc;
  arc.moveTo(100, 0);
  arc.quadTo(100, 100, 0, 100);
  const QPainterPath flat = FlattenedPath(arc, 2.0);
  EXPECT_GT(flat.elementCount(), 3);
  for (int i = 0; i < flat.elementCount(); ++i) EXPECT_TRUE(flat.elementAt(i).isMoveTo() || flat.elementAt(i).isLineTo());
  EXPECT_EQ(QPointF(flat.elementAt(flat.elementCount() - 1)), QPointF(0, 100));
  // Control point 4 units off the chord: the curve strays 2, within a tolerance of 2.
  QPainterPath shallow;
  shallow.moveTo(0, 0);
  shallow.quadTo(50, 4, 100, 0);
  EXPECT_EQ(FlattenedPath(shallow, 2.0).elementCount(), 2);
  EXPECT_GT(FlattenedPath(shallow, 1.0).elementCount(), 2);
}

TEST(HardEdgeFill, FourSamplesGiveEachPixelItsShareOfTheSamplePoints) {
  // Samples sit at 2, 6, 10 and 14 sixteenths across (one in each quarter of the height).
  // An edge at x = 3.3 leaves out column 3's sample at 3.125: three quarters; one at 5.5
  // takes in those at 5.125 and 5.375: a half.
  QImage image(8, 4, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::white);
  QPainter painter(&image);
  QPainterPath bar;
  bar.addRect(QRectF(3.3, 0, 2.2, 4));
  player::FillFourSampled(painter, bar, Qt::black);
  painter.end();
  std::vector<int> row;
  for (int x = 0; x < 8; ++x) row.push_back(qRed(image.pixel(x, 1)));
  // Black over white by the share: 255 × (1 − share), give or take the blend's rounding.
  const std::vector<int> expected = {255, 255, 255, 64, 0, 128, 255, 255};
  for (int x = 0; x < 8; ++x) EXPECT_NEAR(row[x], expected[x], 1) << "column " << x;
  // Every row has the same shares: the pattern has one sample per quarter row and column.
  for (int y = 0; y < 4; ++y) EXPECT_EQ(image.pixel(3, y), image.pixel(3, 1));
}

TEST(HardEdgeFill, FourSamplesKeepThePaintersClipAndOpacity) {
  QImage image(8, 8, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setClipRect(0, 0, 4, 8);
  painter.setOpacity(0.5);
  QPainterPath square;
  square.addRect(QRectF(0, 0, 8, 8));
  player::FillFourSampled(painter, square, Qt::black);
  painter.end();
  EXPECT_NEAR(qAlpha(image.pixel(1, 1)), 128, 1);
  EXPECT_EQ(qAlpha(image.pixel(5, 1)), 0);
}

}  // namespace
