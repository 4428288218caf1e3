#include "render/PicturePreview.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "render/BmpPicture.h"
#include "render/JpegCodec.h"
#include "render/PictureError.h"

namespace {

constexpr int LargestPreviewBitmap = 4096;

std::string UpperExtension(const std::string& path)
{
  std::string extension = std::filesystem::path(path).extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return extension;
}

} // namespace

TRgbPicture ReadPreviewPicture(const std::string& path, int maxSide)
{
  const std::string extension = UpperExtension(path);
  if (extension == ".BMP") {
    const TPictureSize size = ReadBmpSize(path);
    if (size.Width > LargestPreviewBitmap || size.Height > LargestPreviewBitmap)
      throw TPictureError("The bitmap \"" + path + "\" is too large to show.");
    return DecodeBmp(path);
  }
  if (extension == ".JPG" || extension == ".JPEG") {
    TJpegDecoding decoding = DecodeJpegReduced(path, maxSide);
    if (decoding.TooLarge) throw TPictureError("The picture \"" + path + "\" is too large to show.");
    return std::move(decoding.Picture);
  }
  throw TPictureError("The picture \"" + path + "\" cannot be shown.");
}
