#include "player/filter/FilterImage.h"
#include "player/filter/Filters.h"

namespace player {

void ApplyBlur(QImage& layer, const swf::TBlurFilter& filter, double deviceScale) {
  BoxBlur(layer, BlurRadius(filter.BlurX, deviceScale), BlurRadius(filter.BlurY, deviceScale),
          filter.Passes);
}

}  // namespace player
