#include "render/DrawingFile.h"

#include <cmath>

#include "swf/builder/VectorArt.h"

namespace {

swf::TRgba Rgba(const QColor& colour)
{
  return {static_cast<std::uint8_t>(colour.red()), static_cast<std::uint8_t>(colour.green()),
          static_cast<std::uint8_t>(colour.blue()), static_cast<std::uint8_t>(colour.alpha())};
}

swf::TVectorPaint PaintOf(const media::TVectorFill& fill)
{
  swf::TVectorPaint paint;
  paint.Colour = Rgba(fill.Colour);
  if (fill.Kind == media::TVectorFill::Solid) return paint;
  paint.Kind = fill.Kind == media::TVectorFill::Linear ? swf::TArtPaintKind::Linear : swf::TArtPaintKind::Radial;
  for (const QGradientStop& stop : fill.Stops) paint.Stops.push_back({stop.first, Rgba(stop.second)});
  const QTransform& m = fill.Matrix;
  const double matrix[6] = {m.m11(), m.m12(), m.m21(), m.m22(), m.dx(), m.dy()};
  std::copy(std::begin(matrix), std::end(matrix), paint.Matrix);
  paint.Spread = fill.Spread == QGradient::ReflectSpread  ? swf::TArtSpread::Reflect
                 : fill.Spread == QGradient::RepeatSpread ? swf::TArtSpread::Repeat
                                                          : swf::TArtSpread::Pad;
  paint.Focal = fill.Focal;
  return paint;
}

swf::TVectorItem ItemOf(const media::TVectorShape& shape)
{
  swf::TVectorItem item;
  item.Paint = PaintOf(shape.Fill);
  const QPainterPath& path = shape.Outline;
  for (int i = 0; i < path.elementCount(); ++i) {
    const QPainterPath::Element& e = path.elementAt(i);
    if (e.isMoveTo()) {
      item.Verbs.push_back(swf::TVectorVerb::Move);
      item.Points.push_back({e.x, e.y});
    } else if (e.isLineTo()) {
      item.Verbs.push_back(swf::TVectorVerb::Line);
      item.Points.push_back({e.x, e.y});
    } else if (e.isCurveTo() && i + 2 < path.elementCount()) {
      // A curve is its first control point followed by two data elements.
      item.Verbs.push_back(swf::TVectorVerb::Cubic);
      item.Points.push_back({e.x, e.y});
      item.Points.push_back({path.elementAt(i + 1).x, path.elementAt(i + 1).y});
      item.Points.push_back({path.elementAt(i + 2).x, path.elementAt(i + 2).y});
      i += 2;
    }
  }
  return item;
}

} // namespace

std::vector<std::uint8_t> DrawingFileBytes(const media::TVectorPicture& drawing)
{
  swf::TVectorArt art;
  art.Width = drawing.Width;
  art.Height = drawing.Height;
  for (const media::TVectorShape& shape : drawing.Shapes) art.Items.push_back(ItemOf(shape));
  return swf::EncodeVectorArt(art);
}
