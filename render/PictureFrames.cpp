#include "render/PictureFrames.h"

#include <QBuffer>
#include <QImage>

#include <cstring>

#include "media/FrameConversion.h"
#include "render/JpegCodec.h"
#include "render/PictureError.h"

TFrameCollector::TFrameCollector(const std::string& path, int maxFrames, bool lossless, int quality)
    : Path(path), MaxFrames(maxFrames), Lossless(lossless), Quality(quality)
{
}

void TFrameCollector::Add(media::TRgbaFrame frame)
{
  DecodedPixels += std::uint64_t(frame.Width) * std::uint64_t(frame.Height);
  if (DecodedPixels > media::MaxAnimationPixels)
    throw TPictureError("The animation \"" + Path + "\" is too long to use (too many frames of its size).");
  if (Frames.empty()) {
    FrameWidth = frame.Width;
    FrameHeight = frame.Height;
  } else if (frame.Pixels == LastPixels) {
    Frames.back().DelayMs += frame.DelayMs; // a frame that changes nothing only lengthens the one before
    return;
  }
  if (static_cast<int>(Frames.size()) >= MaxFrames)
    throw TPictureError("The animation \"" + Path + "\" has more than " + std::to_string(MaxFrames) + " frames.");
  TEncodedFrame encoded;
  encoded.DelayMs = frame.DelayMs;
  encoded.Png = Lossless || frame.HasTransparency();
  encoded.Bytes = encoded.Png ? EncodePng(frame) : EncodeJpeg(RgbOfFrame(frame), Quality);
  Frames.push_back(std::move(encoded));
  LastPixels = std::move(frame.Pixels);
}

std::vector<std::uint8_t> EncodePng(const media::TRgbaFrame& frame)
{
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!media::ImageOfFrame(frame).save(&buffer, "PNG")) throw TPictureError("The picture cannot be written as PNG.");
  return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

TRgbPicture RgbOfFrame(const media::TRgbaFrame& frame)
{
  TRgbPicture picture;
  picture.Width = frame.Width;
  picture.Height = frame.Height;
  picture.Pixels.resize(picture.RowBytes() * std::size_t(frame.Height));
  for (std::size_t i = 0, o = 0; o < picture.Pixels.size(); i += 4, o += 3)
    std::memcpy(&picture.Pixels[o], &frame.Pixels[i], 3);
  return picture;
}

TRgbPicture ScaledRgb(TRgbPicture picture, int width, int height)
{
  if (picture.Width == width && picture.Height == height) return picture;
  const QImage source(picture.Pixels.data(), picture.Width, picture.Height, qsizetype(picture.RowBytes()),
                      QImage::Format_RGB888);
  const QImage scaled = source.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                            .convertToFormat(QImage::Format_RGB888);
  if (scaled.isNull()) throw TPictureError("Not enough memory to scale the picture down.");
  TRgbPicture result;
  result.Width = width;
  result.Height = height;
  result.Pixels.resize(result.RowBytes() * std::size_t(height));
  for (int y = 0; y < height; ++y)
    std::memcpy(result.Pixels.data() + result.RowBytes() * std::size_t(y), scaled.constScanLine(y), result.RowBytes());
  return result;
}
