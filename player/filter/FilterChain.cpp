// The filter list of an object: how far it grows the object and the filters in order.
#include <algorithm>
#include <cmath>

#include "player/filter/FilterImage.h"
#include "player/filter/Filters.h"

namespace player {

namespace {

// Passes of box blur widen a blur by its radius each; an offset moves it further.
QMargins Grown(double blurX, double blurY, int passes, double angle, double distance,
               double deviceScale, bool bothSides) {
  const double rx = std::ceil(BlurRadius(blurX, deviceScale) + 1) * std::max(passes, 1);
  const double ry = std::ceil(BlurRadius(blurY, deviceScale) + 1) * std::max(passes, 1);
  // A shadow cast further than this is not followed beyond the object's surroundings.
  constexpr double MaxReach = 1024;
  const double dx = std::clamp(std::cos(angle) * distance * deviceScale, -MaxReach, MaxReach);
  const double dy = std::clamp(std::sin(angle) * distance * deviceScale, -MaxReach, MaxReach);
  auto side = [](double r, double d) { return static_cast<int>(std::ceil(r + std::max(0.0, d))); };
  if (bothSides)
    return QMargins(side(rx, std::abs(dx)), side(ry, std::abs(dy)), side(rx, std::abs(dx)),
                    side(ry, std::abs(dy)));
  return QMargins(side(rx, -dx), side(ry, -dy), side(rx, dx), side(ry, dy));
}

}  // namespace

// Inner effects grow the layer too: they need the clear space around the object to see
// where it ends.
QMargins FilterGrowth(const swf::TFilterList& filters, double deviceScale) {
  QMargins total;
  for (const swf::TFilter& filter : filters) {
    QMargins grow;
    if (const auto* f = std::get_if<swf::TBlurFilter>(&filter)) {
      grow = Grown(f->BlurX, f->BlurY, f->Passes, 0, 0, deviceScale, true);
    } else if (const auto* f = std::get_if<swf::TDropShadowFilter>(&filter)) {
      grow = Grown(f->BlurX, f->BlurY, f->Flags.Passes, f->Angle, f->Distance, deviceScale, f->Flags.Inner);
    } else if (const auto* f = std::get_if<swf::TGlowFilter>(&filter)) {
      grow = Grown(f->BlurX, f->BlurY, f->Flags.Passes, 0, 0, deviceScale, true);
    } else if (const auto* f = std::get_if<swf::TBevelFilter>(&filter)) {
      grow = Grown(f->BlurX, f->BlurY, f->Flags.Passes, f->Angle, f->Distance, deviceScale, true);
    } else if (const auto* f = std::get_if<swf::TGradientFilter>(&filter)) {
      grow = Grown(f->BlurX, f->BlurY, f->Flags.Passes, f->Angle, f->Distance, deviceScale, true);
    }
    // A convolution keeps to the object's bitmap: beyond it lies its default colour.
    total += grow;
  }
  return total;
}

qint64 FilterWorkPerPixel(const swf::TFilterList& filters) {
  qint64 work = 0;
  for (const swf::TFilter& filter : filters) {
    work += std::visit(
        [](const auto& f) -> qint64 {
          using T = std::decay_t<decltype(f)>;
          if constexpr (std::is_same_v<T, swf::TBlurFilter>) return std::max<int>(f.Passes, 1);
          else if constexpr (std::is_same_v<T, swf::TConvolutionFilter>) return 1 + f.Columns * f.Rows / 4;
          else if constexpr (std::is_same_v<T, swf::TColorMatrixFilter>) return 1;
          else return std::max<int>(f.Flags.Passes, 1);
        },
        filter);
  }
  return work;
}

void ApplyFilters(QImage& layer, const swf::TFilterList& filters, double deviceScale) {
  for (const swf::TFilter& filter : filters) {
    std::visit(
        [&](const auto& f) {
          using T = std::decay_t<decltype(f)>;
          if constexpr (std::is_same_v<T, swf::TBlurFilter>) ApplyBlur(layer, f, deviceScale);
          else if constexpr (std::is_same_v<T, swf::TDropShadowFilter>) ApplyDropShadow(layer, f, deviceScale);
          else if constexpr (std::is_same_v<T, swf::TGlowFilter>) ApplyGlow(layer, f, deviceScale);
          else if constexpr (std::is_same_v<T, swf::TBevelFilter>) ApplyBevel(layer, f, deviceScale);
          else if constexpr (std::is_same_v<T, swf::TGradientFilter>) {
            if (f.Bevel) ApplyGradientBevel(layer, f, deviceScale);
            else ApplyGradientGlow(layer, f, deviceScale);
          } else if constexpr (std::is_same_v<T, swf::TColorMatrixFilter>) ApplyColorMatrix(layer, f);
          else if constexpr (std::is_same_v<T, swf::TConvolutionFilter>) ApplyConvolution(layer, f);
        },
        filter);
  }
}

}  // namespace player
