#include "render/PicturePreview.h"

#include <cstring>

#include "media/ExifOrientation.h"
#include "media/FrameConversion.h"
#include "media/MediaError.h"
#include "media/PictureDecoder.h"
#include "media/PictureKind.h"
#include "render/BmpPicture.h"
#include "render/JpegCodec.h"
#include "render/PictureError.h"

namespace {

constexpr int LargestPreviewBitmap = 4096;

// The first frame of a picture of the other kinds, scaled to fit and laid on white (the
// thumbnail's panel), so its transparent parts show as the panel does.
TRgbPicture DecodedPreview(const std::string& path, media::TPictureKind kind, int maxSide)
{
  const media::TPictureDecoderKind* decoderKind = media::FindPictureDecoder(kind);
  if (!decoderKind) throw TPictureError("The picture \"" + path + "\" cannot be shown.");
  try {
    std::unique_ptr<media::IPictureDecoder> decoder = decoderKind->Open(path, {maxSide, maxSide});
    media::TRgbaFrame frame;
    if (!decoder->NextFrame(frame)) throw TPictureError("The picture \"" + path + "\" holds no picture.");
    media::FitFrame(frame, maxSide, maxSide, path); // a drawing comes with extra detail
    TRgbPicture picture;
    picture.Width = frame.Width;
    picture.Height = frame.Height;
    picture.Pixels.resize(picture.RowBytes() * std::size_t(frame.Height));
    for (std::size_t i = 0, o = 0; o < picture.Pixels.size(); i += 4, o += 3) {
      const unsigned alpha = frame.Pixels[i + 3];
      for (std::size_t c = 0; c < 3; ++c)
        picture.Pixels[o + c] = static_cast<std::uint8_t>((frame.Pixels[i + c] * alpha + 255 * (255 - alpha) + 127) / 255);
    }
    return picture;
  } catch (const media::TMediaError& error) {
    throw TPictureError(error.what());
  }
}

} // namespace

TRgbPicture ReadPreviewPicture(const std::string& path, int maxSide)
{
  media::TPictureKind kind;
  try {
    const std::vector<std::uint8_t> head = media::ReadFileHead(path, media::PictureHeadBytes);
    kind = media::RecognisePicture(head.data(), head.size());
  } catch (const media::TMediaError& error) {
    throw TPictureError(error.what());
  }
  if (kind == media::TPictureKind::Bmp) {
    const TPictureSize size = ReadBmpSize(path);
    if (size.Width > LargestPreviewBitmap || size.Height > LargestPreviewBitmap)
      throw TPictureError("The bitmap \"" + path + "\" is too large to show.");
    return DecodeBmp(path);
  }
  if (kind == media::TPictureKind::Jpeg) {
    TJpegDecoding decoding = DecodeJpegReduced(path, maxSide);
    if (decoding.TooLarge) throw TPictureError("The picture \"" + path + "\" is too large to show.");
    TRgbPicture& picture = decoding.Picture;
    picture.Pixels = media::OrientPixels(picture.Pixels, picture.Width, picture.Height, 3, media::JpegOrientation(path));
    return std::move(picture);
  }
  return DecodedPreview(path, kind, maxSide);
}
