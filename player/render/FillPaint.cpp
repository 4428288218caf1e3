#include "player/render/FillPaint.h"

#include <QLinearGradient>
#include <QRadialGradient>

#include <algorithm>
#include <cstdint>
#include <cmath>

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

double ToLinear(int channel) {
  const double c = channel / 255.0;
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

int FromLinear(double linear) {
  const double c = linear <= 0.0031308 ? linear * 12.92 : 1.055 * std::pow(linear, 1 / 2.4) - 0.055;
  return std::clamp(static_cast<int>(std::lround(c * 255)), 0, 255);
}

QColor Mix(const QColor& a, const QColor& b, double t, bool linearRgb) {
  auto channel = [&](int x, int y) {
    if (!linearRgb) return static_cast<int>(std::lround(x + (y - x) * t));
    return FromLinear(ToLinear(x) + (ToLinear(y) - ToLinear(x)) * t);
  };
  return QColor(channel(a.red(), b.red()), channel(a.green(), b.green()),
                channel(a.blue(), b.blue()),
                static_cast<int>(std::lround(a.alpha() + (b.alpha() - a.alpha()) * t)));
}

// The colour at each of the 256 ratios, taken as the movie's players do: between the last
// stop before the ratio and the first stop at or after it, in the order the stops are
// written. So stops sharing a ratio make a hard step, and ratios out of order still give
// one defined picture.
QGradientStops GradientTable(const std::vector<swf::TGradientStop>& stops,
                             const TColorTransform& cx, bool linearRgb) {
  std::vector<QColor> colors;
  colors.reserve(stops.size());
  for (const swf::TGradientStop& stop : stops) colors.push_back(cx.Apply(stop.Color));
  QGradientStops table;
  table.reserve(256);
  for (int ratio = 0; ratio < 256; ++ratio) {
    size_t next = 0;
    while (next < stops.size() && stops[next].Ratio < ratio) ++next;
    QColor color;
    if (next == 0) {
      color = colors.front();
    } else if (next == stops.size()) {
      color = colors.back();
    } else {
      const int from = stops[next - 1].Ratio, to = stops[next].Ratio;
      const double t = to > from ? static_cast<double>(ratio - from) / (to - from) : 1.0;
      color = Mix(colors[next - 1], colors[next], std::clamp(t, 0.0, 1.0), linearRgb);
    }
    table.append({ratio / 255.0, color});
  }
  return table;
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
                            ? std::clamp(style.Gradient.FocalPoint / 256.0, -0.998, 0.998)
                            : 0.0;
    gradient = QRadialGradient(QPointF(0, 0), 16384, QPointF(focal * 16384, 0));
  }
  gradient.setSpread(SpreadOf(style.Gradient.Spread));
  gradient.setStops(GradientTable(stops, cx, style.Gradient.Interpolation == 1));
  paint.Brush = QBrush(gradient);
  paint.Brush.setTransform(matrix);
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
