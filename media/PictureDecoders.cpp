// The table of picture decoders, and what they share.
#include "media/PictureDecoder.h"

#include <algorithm>
#include <cmath>

namespace media {

std::unique_ptr<IPictureDecoder> OpenQtPicture(const std::string& path, const TPictureRequest& request);
std::unique_ptr<IPictureDecoder> OpenHeifPicture(const std::string& path, const TPictureRequest& request);
std::unique_ptr<IPictureDecoder> OpenGifPicture(const std::string& path, const TPictureRequest& request);
std::unique_ptr<IPictureDecoder> OpenSvgPicture(const std::string& path, const TPictureRequest& request);

namespace {

const TPictureDecoderKind Decoders[] = {
    {TPictureKind::Png, &OpenQtPicture},   {TPictureKind::Gif, &OpenGifPicture},
    {TPictureKind::WebP, &OpenQtPicture},  {TPictureKind::Heif, &OpenHeifPicture},
    {TPictureKind::Avif, &OpenHeifPicture}, {TPictureKind::Svg, &OpenSvgPicture},
};

}  // namespace

const TPictureDecoderKind* FindPictureDecoder(TPictureKind kind) {
  for (const TPictureDecoderKind& decoder : Decoders)
    if (decoder.Kind == kind) return &decoder;
  return nullptr;
}

bool TRgbaFrame::HasTransparency() const {
  for (std::size_t i = 3; i < Pixels.size(); i += 4)
    if (Pixels[i] != 255) return true;
  return false;
}

void FitWithin(int width, int height, int maxWidth, int maxHeight, int& fitWidth, int& fitHeight) {
  const double scale = std::min({1.0, double(maxWidth) / std::max(1, width), double(maxHeight) / std::max(1, height)});
  fitWidth = std::clamp(static_cast<int>(std::lround(width * scale)), 1, std::max(1, maxWidth));
  fitHeight = std::clamp(static_cast<int>(std::lround(height * scale)), 1, std::max(1, maxHeight));
}

}  // namespace media
