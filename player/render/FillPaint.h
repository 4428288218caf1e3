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
};

// Pictures recoloured by a colour transform that is more than an alpha factor, kept for
// a few recent transforms (a fade repaints the same picture frame after frame).
class TRecolorCache {
 public:
  static constexpr size_t MaxEntries = 16;
  const QImage& Get(uint16_t bitmapId, const QImage& source, const TColorTransform& cx);

 private:
  struct TEntry {
    uint16_t BitmapId;
    TColorTransform Cx;
    QImage Image;
  };
  std::list<TEntry> FEntries;  // most recent first
};

// A picture as painted under cx: the image to use and the opacity to paint it with.
struct TImagePaint {
  const QImage* Image = nullptr;
  qreal Opacity = 1;
};
TImagePaint PaintableImage(uint16_t bitmapId, const QImage& source, const TColorTransform& cx,
                           TRecolorCache& cache);

// smoothByDefault: whether smoothed bitmap fills are smoothed in this movie (version 8 on).
TFillPaint MakeFillPaint(const swf::TFillStyle& style, const TColorTransform& cx,
                         TCharacterLibrary& library, TRecolorCache& cache, bool smoothByDefault);

}  // namespace player
