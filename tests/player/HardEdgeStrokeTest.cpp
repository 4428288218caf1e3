// Strokes built for hard-edged and four-sample drawing: caps at both ends as the line style
// says, joins at the path's own corners only, mitres cut at their limit, dots for paths
// that stay on one point.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "player/render/HardEdgeStroke.h"

namespace {

using player::FillHardEdged;
using player::HardEdgeStrokeOutline;
using player::TStrokeStyle;

// Whether the pixel whose centre is (x + 0.5, y + 0.5) is covered by the stroke of path,
// drawn on a 64 × 64 image.
class TStrokePicture {
 public:
  TStrokePicture(const QPainterPath& path, const TStrokeStyle& style) : FImage(64, 64, QImage::Format_ARGB32_Premultiplied) {
    FImage.fill(Qt::transparent);
    QPainter painter(&FImage);
    FillHardEdged(painter, HardEdgeStrokeOutline(path, style, 0.1), Qt::black);
  }
  bool operator()(int x, int y) const { return qAlpha(FImage.pixel(x, y)) != 0; }

 private:
  QImage FImage;
};

QPainterPath Line(QPointF from, QPointF to) {
  QPainterPath path(from);
  path.lineTo(to);
  return path;
}

TStrokeStyle Style(double width, Qt::PenCapStyle start, Qt::PenCapStyle end,
                   Qt::PenJoinStyle join = Qt::RoundJoin, double miterLimit = 3) {
  TStrokeStyle style;
  style.Width = width;
  style.StartCap = start;
  style.EndCap = end;
  style.Join = join;
  style.MiterLimit = miterLimit;
  return style;
}

TEST(HardEdgeStroke, EachEndHasItsOwnCap) {
  // A line from x = 20 to 40 at y = 32, 10 wide: flat start, round end.
  const TStrokePicture roundEnd(Line({20, 32}, {40, 32}), Style(10, Qt::FlatCap, Qt::RoundCap));
  EXPECT_FALSE(roundEnd(19, 32));
  EXPECT_TRUE(roundEnd(20, 32));
  EXPECT_TRUE(roundEnd(43, 32));   // within the half circle
  EXPECT_FALSE(roundEnd(44, 28));  // its corner left out
  EXPECT_FALSE(roundEnd(45, 32));
  // Square caps reach half the width past both ends, corners included.
  const TStrokePicture square(Line({20, 32}, {40, 32}), Style(10, Qt::SquareCap, Qt::SquareCap));
  EXPECT_TRUE(square(15, 28));
  EXPECT_TRUE(square(44, 36));
  EXPECT_FALSE(square(45, 32));
  EXPECT_FALSE(square(14, 32));
}

TEST(HardEdgeStroke, MitresReachTheirPointUntilTheLimitCutsThem) {
  // A right angle at (40, 20), 10 wide: the mitre's outer corner (45, 15) is filled; a
  // round join leaves it out.
  QPainterPath corner(QPointF(10, 20));
  corner.lineTo(40, 20);
  corner.lineTo(40, 50);
  EXPECT_TRUE(TStrokePicture(corner, Style(10, Qt::FlatCap, Qt::FlatCap, Qt::MiterJoin))(44, 15));
  EXPECT_FALSE(TStrokePicture(corner, Style(10, Qt::FlatCap, Qt::FlatCap, Qt::RoundJoin))(44, 15));
  EXPECT_FALSE(TStrokePicture(corner, Style(10, Qt::FlatCap, Qt::FlatCap, Qt::BevelJoin))(44, 16));
  // A sharp turn (about 11°): the mitre's point lies some 20 px out, at about (70, 28); a
  // limit of 3 cuts it at 1.5 half widths from the corner instead.
  QPainterPath spike(QPointF(10, 30));
  spike.lineTo(50, 30);
  spike.lineTo(10, 38);
  const TStrokePicture longMitre(spike, Style(4, Qt::FlatCap, Qt::FlatCap, Qt::MiterJoin, 20));
  const TStrokePicture cutMitre(spike, Style(4, Qt::FlatCap, Qt::FlatCap, Qt::MiterJoin, 3));
  EXPECT_TRUE(longMitre(60, 28));
  EXPECT_FALSE(longMitre(72, 28));
  EXPECT_FALSE(cutMitre(54, 30));
  EXPECT_TRUE(cutMitre(52, 31));
}

TEST(HardEdgeStroke, CurvesGetNoJoinsInsideAndClosedPathsNoCaps) {
  // A quarter circle flattened into many lines, round joins and caps: the inner points of
  // the curve give only the segments' own pieces, so the outline has one polygon per
  // segment plus the two caps.
  QPainterPath arc(QPointF(40, 10));
  arc.quadTo(40, 40, 10, 40);
  const QPainterPath outline = HardEdgeStrokeOutline(arc, Style(6, Qt::RoundCap, Qt::RoundCap), 0.1);
  const QPainterPath centre = player::FlattenedPath(arc, 0.1);
  EXPECT_EQ(outline.toSubpathPolygons().size(), static_cast<size_t>(centre.elementCount() - 1 + 2));
  // A closed square gets a join at its start, where an open one has its caps.
  QPainterPath square;
  square.moveTo(20, 20);
  square.lineTo(40, 20);
  square.lineTo(40, 40);
  square.lineTo(20, 40);
  square.lineTo(20, 20);
  const TStrokePicture closed(square, Style(6, Qt::FlatCap, Qt::FlatCap, Qt::MiterJoin));
  EXPECT_TRUE(closed(17, 17));
  EXPECT_TRUE(closed(42, 42));
  EXPECT_FALSE(closed(30, 30));
}

TEST(HardEdgeStroke, APathThatStaysOnOnePointIsADotOrNothing) {
  const QPainterPath dot = Line({30, 30}, {30, 30});
  EXPECT_TRUE(TStrokePicture(dot, Style(8, Qt::RoundCap, Qt::RoundCap))(31, 31));
  EXPECT_FALSE(TStrokePicture(dot, Style(8, Qt::RoundCap, Qt::RoundCap))(26, 26));
  EXPECT_TRUE(TStrokePicture(dot, Style(8, Qt::SquareCap, Qt::SquareCap))(26, 26));
  EXPECT_TRUE(HardEdgeStrokeOutline(dot, Style(8, Qt::FlatCap, Qt::FlatCap)).isEmpty());
  // Broken geometry gives nothing rather than a fault.
  QPainterPath broken(QPointF(0, 0));
  broken.lineTo(std::numeric_limits<double>::infinity(), 5);
  broken.lineTo(std::nan(""), 3);
  EXPECT_NO_THROW(TStrokePicture(broken, Style(4, Qt::RoundCap, Qt::RoundCap, Qt::MiterJoin)));
}

}  // namespace
