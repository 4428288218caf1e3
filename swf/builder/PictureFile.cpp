#include "swf/builder/PictureFile.h"

#include <cstring>

#include "swf/builder/FileIo.h"
#include "swf/builder/JpegFile.h"
#include "swf/builder/PngFile.h"
#include "swf/format/SwfError.h"

namespace swf {

namespace {
constexpr size_t MaxPictureBytes = 64u << 20;
}  // namespace

std::shared_ptr<TBitmapData> ReadPictureFile(const std::string& path) {
  std::vector<uint8_t> bytes = ReadFileBytes(path, MaxPictureBytes, "picture");
  if (IsPngData(bytes)) return DecodePngForMovie(bytes, path);
  return JpegForMovie(std::move(bytes), path);
}

}  // namespace swf
