#include "player/render/FillPaint.h"

#include <QLinearGradient>
#include <QRadialGradient>

#include <algorithm>

#include "player/render/MatrixConvert.h"

namespace player {

const QImage& TRecolorCache::Get(uint16_t bitmapId, const QImage& source,
                                 const TColorTransform& cx) {
  for (auto it = FEntries.begin(); it != FEntries.end(); ++it) {
    if (it->BitmapId == bitmapId && it->Cx == cx) {
      FEntries.splice(FEntries.begin(), FEntries, it);
      return FEntries.front().Image;
    }
  }
  QImage image = source.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  for (int y = 0; y < image.height(); ++y) {
    auto* row = reinterpret_cast<uint32_t*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) row[x] = cx.ApplyPremultiplied(row[x]);
  }
  FEntries.push_front({bitmapId, cx, std::move(image)});
  if (FEntries.size() > MaxEntries) FEntries.pop_back();
  return FEntries.front().Image;
}

TImagePaint PaintableImage(uint16_t bitmapId, const QImage& source, const TColorTransform& cx,
                           TRecolorCache& cache) {
  if (cx.IsAlphaOnly()) return {&source, std::clamp<qreal>(cx.AMult, 0, 1)};
  return {&cache.Get(bitmapId, source, cx), 1};
}

namespace {

QGradient::Spread SpreadOf(uint8_t spread) {
  switch (spread) {
    case 1: return QGradient::ReflectSpread;
    case 2: return QGradient::RepeatSpread;
    default: return QGradient::PadSpread;
  }
}

TFillPaint GradientPaint(const swf::TFillStyle& style, const TColorTransform& cx) {
  TFillPaint paint;
  const std::vector<swf::TGradientStop>& stops = style.Gradient.Stops;
  if (stops.empty()) {
    paint.Visible = false;
    return paint;
  }
  const QTransform matrix = ToQTransform(style.Matrix);
  // A single stop, or a gradient square squeezed to nothing, shows the last colour.
  if (stops.size() == 1 || !matrix.isInvertible()) {
    paint.Brush = QBrush(cx.Apply(stops.back().Color));
    return paint;
  }
  // The gradient square spans −16384..16384 twips; its matrix maps it into the shape.
  QGradient gradient;
  if (style.Type == swf::TFillType::LinearGradient) {
    gradient = QLinearGradient(-16384, 0, 16384, 0);
  } else {
    const qreal focal = style.Type == swf::TFillType::FocalGradient
                            ? std::clamp(style.Gradient.FocalPoint / 256.0, -0.998, 0.998)
                            : 0.0;
    gradient = QRadialGradient(QPointF(0, 0), 16384, QPointF(focal * 16384, 0));
  }
  gradient.setSpread(SpreadOf(style.Gradient.Spread));
  QGradientStops qtStops;
  for (const swf::TGradientStop& stop : stops) {
    qtStops.append({stop.Ratio / 255.0, cx.Apply(stop.Color)});
  }
  // Qt wants increasing positions; ratios out of order are taken in order of position.
  std::stable_sort(qtStops.begin(), qtStops.end(),
                   [](const QGradientStop& a, const QGradientStop& b) { return a.first < b.first; });
  gradient.setStops(qtStops);
  paint.Brush = QBrush(gradient);
  paint.Brush.setTransform(matrix);
  return paint;
}

}  // namespace

TFillPaint MakeFillPaint(const swf::TFillStyle& style, const TColorTransform& cx,
                         TCharacterLibrary& library, TRecolorCache& cache, bool smoothByDefault) {
  if (style.IsGradient()) return GradientPaint(style, cx);
  TFillPaint paint;
  if (!style.IsBitmap()) {
    paint.Brush = QBrush(cx.Apply(style.Color));
    return paint;
  }
  const QImage* image = library.Bitmap(style.BitmapId);
  const QTransform matrix = ToQTransform(style.Matrix);
  if (!image || image->isNull() || !matrix.isInvertible()) {
    paint.Visible = false;
    return paint;
  }
  const TImagePaint painted = PaintableImage(style.BitmapId, *image, cx, cache);
  // The matrix maps picture pixels to shape twips.
  paint.Brush = QBrush(*painted.Image);
  paint.Brush.setTransform(matrix);
  paint.Opacity = painted.Opacity;
  paint.Smooth = style.IsSmoothed() && smoothByDefault;
  return paint;
}

}  // namespace player
