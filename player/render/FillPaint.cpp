#include "player/render/FillPaint.h"

#include <QLinearGradient>
#include <QRadialGradient>

#include <algorithm>
#include <cstdint>
#include <cmath>

#include "player/render/GradientRamp.h"
#include "player/render/MatrixConvert.h"

namespace player {

const QImage* TImageCache::Find(qint64 sourceKey, const TColorTransform& cx, int pad) {
  for (auto it = FEntries.begin(); it != FEntries.end(); ++it) {
    if (it->SourceKey == sourceKey && it->Cx == cx && it->Pad == pad) {
      FEntries.splice(FEntries.begin(), FEntries, it);
      return &FEntries.front().Image;
    }
  }
  return nullptr;
}

const QImage& TImageCache::Keep(qint64 sourceKey, const TColorTransform& cx, int pad,
                                QImage image) {
  FEntries.push_front({sourceKey, cx, pad, std::move(image)});
  if (FEntries.size() > MaxEntries) FEntries.pop_back();
  return FEntries.front().Image;
}

const QImage& TImageCache::Recolored(const QImage& source, const TColorTransform& cx) {
  if (const QImage* found = Find(source.cacheKey(), cx, 0)) return *found;
  QImage image = source.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  for (int y = 0; y < image.height(); ++y) {
    auto* row = reinterpret_cast<uint32_t*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) row[x] = cx.ApplyPremultiplied(row[x]);
  }
  return Keep(source.cacheKey(), cx, 0, std::move(image));
}

const QImage& TImageCache::Padded(const QImage& source, int pad) {
  if (const QImage* found = Find(source.cacheKey(), TColorTransform(), pad)) return *found;
  const QImage pixels = source.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  QImage image(source.width() + 2 * pad, source.height() + 2 * pad,
               QImage::Format_ARGB32_Premultiplied);
  if (image.isNull()) return source;
  for (int y = 0; y < image.height(); ++y) {
    const auto* from = reinterpret_cast<const uint32_t*>(
        pixels.constScanLine(std::clamp(y - pad, 0, source.height() - 1)));
    auto* to = reinterpret_cast<uint32_t*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) to[x] = from[std::clamp(x - pad, 0, source.width() - 1)];
  }
  return Keep(source.cacheKey(), TColorTransform(), pad, std::move(image));
}

TImagePaint PaintableImage(const QImage& source, const TColorTransform& cx, TImageCache& cache) {
  if (cx.IsAlphaOnly()) return {&source, cx.Opacity()};
  return {&cache.Recolored(source, cx), 1};
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
  if (stops.empty()) {  // a gradient without stops paints black
    paint.Brush = QBrush(cx.Apply(swf::TRgba{0, 0, 0, 255}));
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
                            ? std::clamp(style.Gradient.FocalPoint / 256.0, -0.98, 0.98)
                            : 0.0;
    gradient = QRadialGradient(QPointF(0, 0), 16384, QPointF(focal * 16384, 0));
  }
  gradient.setSpread(SpreadOf(style.Gradient.Spread));
  // Qt's brush (used for strokes) interpolates between the ramp's texel centres.
  const TGradientRamp ramp = TGradientRamp::From(style.Gradient);
  QGradientStops table;
  table.reserve(256);
  for (int i = 0; i < 256; ++i) {
    const std::array<float, 4> c = ramp.At((i + 0.5) / 256);
    const swf::TRgba color{static_cast<uint8_t>(std::lround(c[0] * 255)),
                           static_cast<uint8_t>(std::lround(c[1] * 255)),
                           static_cast<uint8_t>(std::lround(c[2] * 255)),
                           static_cast<uint8_t>(std::lround(c[3] * 255))};
    table.append({(i + 0.5) / 256, cx.Apply(color)});
  }
  gradient.setStops(table);
  paint.Brush = QBrush(gradient);
  paint.Brush.setTransform(matrix);
  paint.Gradient = &style;
  return paint;
}

}  // namespace

TFillPaint MakeFillPaint(const swf::TFillStyle& style, const TColorTransform& cx,
                         TCharacterLibrary& library, TImageCache& cache, bool smoothByDefault,
                         const QRectF& area) {
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
  // The matrix maps picture pixels to shape twips. A clipped picture gets a frame of its
  // edge pixels wide enough for the area filled (and for smoothing at its border).
  QTransform brushMatrix = matrix;
  if (style.IsClipped()) {
    const QRectF reach = matrix.inverted().mapRect(area);
    const double beyond = std::max({0.0, -reach.left(), -reach.top(), reach.right() - image->width(),
                                    reach.bottom() - image->height()});
    const int pad = static_cast<int>(std::min<double>(std::ceil(beyond) + 2, TImageCache::MaxPad));
    const uint64_t padded = static_cast<uint64_t>(image->width() + 2 * pad) * (image->height() + 2 * pad);
    if (padded <= 2 * static_cast<uint64_t>(image->width()) * image->height() + (1u << 20)) {
      image = &cache.Padded(*image, pad);
      brushMatrix = QTransform::fromTranslate(-pad, -pad) * matrix;
    }
  }
  const TImagePaint painted = PaintableImage(*image, cx, cache);
  paint.Brush = QBrush(*painted.Image);
  paint.Brush.setTransform(brushMatrix);
  paint.Opacity = painted.Opacity;
  paint.Smooth = style.IsSmoothed() && smoothByDefault;
  return paint;
}

}  // namespace player
