// Turns a fill style under a colour transform into what QPainter fills with: a brush, and
// for bitmaps an opacity and whether to smooth.
#pragma once

#include <QBrush>
#include <QImage>

#include <cstdint>
#include <list>

#include "player/render/CharacterLibrary.h"
#include "player/render/ColorTransform.h"
#include "swf/reader/ShapeTypes.h"

namespace player {

struct TFillPaint {
  QBrush Brush;
  qreal Opacity = 1;
  bool Smooth = true;
  bool Visible = true;  // false: nothing to paint (a missing bitmap, no gradient stops)
  // A gradient of several stops: hard-edged drawing takes it pixel by pixel
  // (GradientFill.h), antialiased drawing with the brush.
  const swf::TFillStyle* Gradient = nullptr;
};

// Pictures prepared for painting, a few of each kept: recoloured by colour transforms that
// are more than an alpha factor (a fade repaints the same picture frame after frame), and
// framed by copies of their edge pixels for clipped fills, which show the edge pixels
// beyond the picture rather than repeat it.
class TImageCache {
 public:
  static constexpr size_t MaxEntries = 16;
  // Frames wider than this are not made; the fill then repeats the picture beyond it.
  static constexpr int MaxPad = 256;

  const QImage& Recolored(const QImage& source, const TColorTransform& cx);
  const QImage& Padded(const QImage& source, int pad);

 private:
  struct TEntry {
    qint64 SourceKey;
    TColorTransform Cx;
    int Pad;
    QImage Image;
  };
  const QImage* Find(qint64 sourceKey, const TColorTransform& cx, int pad);
  const QImage& Keep(qint64 sourceKey, const TColorTransform& cx, int pad, QImage image);
  std::list<TEntry> FEntries;  // most recent first
};

// A picture as painted under cx: the image to use and the opacity to paint it with.
struct TImagePaint {
  const QImage* Image = nullptr;
  qreal Opacity = 1;
};
TImagePaint PaintableImage(const QImage& source, const TColorTransform& cx, TImageCache& cache);

// smoothByDefault: whether smoothed bitmap fills are smoothed in this movie (version 8 on).
// area: the bounds of what is filled, in shape twips (how far a clipped picture must reach).
TFillPaint MakeFillPaint(const swf::TFillStyle& style, const TColorTransform& cx,
                         TCharacterLibrary& library, TImageCache& cache, bool smoothByDefault,
                         const QRectF& area);

}  // namespace player
