// The bitmap filters of placed objects, each applied in place to the object's layer: a
// premultiplied ARGB image in device pixels whose margins leave room for what the filter
// grows. deviceScale: device pixels per stage pixel (filters are sized in stage pixels).
#pragma once

#include <QImage>
#include <QMargins>

#include "swf/reader/FilterTypes.h"

namespace player {

// Device pixels each side that the filters together may paint beyond the object.
QMargins FilterGrowth(const swf::TFilterList& filters, double deviceScale);

// The work the filters do per layer pixel, in passes of a box blur: a blur costs one per pass
// of its quality, a convolution about one per four matrix cells, a colour matrix one.
qint64 FilterWorkPerPixel(const swf::TFilterList& filters);

// Applies every filter in order; each sees the result of the one before.
void ApplyFilters(QImage& layer, const swf::TFilterList& filters, double deviceScale);

// One family each (BlurFilter.cpp, ShadowFilter.cpp, BevelFilter.cpp, ColorFilters.cpp).
void ApplyBlur(QImage& layer, const swf::TBlurFilter& filter, double deviceScale);
void ApplyDropShadow(QImage& layer, const swf::TDropShadowFilter& filter, double deviceScale);
void ApplyGlow(QImage& layer, const swf::TGlowFilter& filter, double deviceScale);
void ApplyGradientGlow(QImage& layer, const swf::TGradientFilter& filter, double deviceScale);
void ApplyBevel(QImage& layer, const swf::TBevelFilter& filter, double deviceScale);
void ApplyGradientBevel(QImage& layer, const swf::TGradientFilter& filter, double deviceScale);
void ApplyColorMatrix(QImage& layer, const swf::TColorMatrixFilter& filter);
void ApplyConvolution(QImage& layer, const swf::TConvolutionFilter& filter);

}  // namespace player
