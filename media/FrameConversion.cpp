#include "media/FrameConversion.h"

#include <cstring>

#include "media/MediaError.h"

namespace media {

TRgbaFrame FrameFromImage(const QImage& image, const std::string& path) {
  const QImage rgba = image.format() == QImage::Format_RGBA8888 ? image : image.convertToFormat(QImage::Format_RGBA8888);
  if (rgba.isNull()) throw TMediaError("Not enough memory for the picture \"" + path + "\".");
  TRgbaFrame frame;
  frame.Width = rgba.width();
  frame.Height = rgba.height();
  const std::size_t rowBytes = std::size_t(frame.Width) * 4;
  frame.Pixels.resize(rowBytes * std::size_t(frame.Height));
  for (int y = 0; y < frame.Height; ++y)
    std::memcpy(frame.Pixels.data() + rowBytes * std::size_t(y), rgba.constScanLine(y), rowBytes);
  return frame;
}

QImage ImageOfFrame(const TRgbaFrame& frame) {
  return QImage(frame.Pixels.data(), frame.Width, frame.Height, qsizetype(frame.Width) * 4, QImage::Format_RGBA8888);
}

void FitFrame(TRgbaFrame& frame, int maxWidth, int maxHeight, const std::string& path) {
  if (frame.Width <= maxWidth && frame.Height <= maxHeight) return;
  int width = 0, height = 0;
  FitWithin(frame.Width, frame.Height, maxWidth, maxHeight, width, height);
  // Scaled premultiplied, so transparent pixels lend no colour to their neighbours.
  const QImage premultiplied = ImageOfFrame(frame).convertToFormat(QImage::Format_RGBA8888_Premultiplied);
  const QImage scaled = premultiplied.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  const int delay = frame.DelayMs;
  frame = FrameFromImage(scaled, path);
  frame.DelayMs = delay;
}

}  // namespace media
