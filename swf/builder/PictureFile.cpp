#include "swf/builder/PictureFile.h"

#include <cstring>

#include "swf/builder/JpegFile.h"
#include "swf/builder/PngFile.h"
#include "swf/format/SwfError.h"

namespace swf {

std::shared_ptr<TBitmapData> BitmapForMovie(std::vector<uint8_t> bytes, const std::string& path) {
  if (IsPngData(bytes)) return DecodePngForMovie(bytes, path);
  return JpegForMovie(std::move(bytes), path);
}

}  // namespace swf
