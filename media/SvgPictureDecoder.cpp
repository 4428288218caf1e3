// SVG drawings drawn by Qt SVG into a lossless picture. The picture shows at the drawing's
// own size (or scaled down to fit), but its pixels are drawn at up to four times that size,
// so a movie exported larger still shows sharp edges.
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QSvgRenderer>

#include <algorithm>
#include <cmath>

#include "media/FrameConversion.h"
#include "media/MediaError.h"
#include "media/PictureDecoder.h"

namespace media {

namespace {

constexpr int MaxSide = 8192;
constexpr qint64 MaxSvgBytes = 32 << 20;
constexpr int MaxDetail = 4;                  // pixels drawn per shown pixel, each way
constexpr double MaxDetailPixels = 4 << 20;   // the drawn picture stays within 4 megapixels

class TSvgPictureDecoder : public IPictureDecoder {
 public:
  TSvgPictureDecoder(const std::string& path, const TPictureRequest& request) : FPath(path) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) Refuse(file.errorString().toStdString());
    if (file.size() > MaxSvgBytes) Refuse("the file is too large");
    const QByteArray bytes = file.readAll();
    // Qt draws text only with a GUI application's fonts; without one it would abort.
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()) && bytes.contains("<text"))
      Refuse("its text cannot be drawn without Qt's fonts");
    if (!FRenderer.load(bytes) || !FRenderer.isValid()) Refuse("it does not parse");
    QSizeF size = FRenderer.viewBoxF().size();
    if (FRenderer.defaultSize().isValid() && !FRenderer.defaultSize().isEmpty()) size = FRenderer.defaultSize();
    if (!(size.width() >= 1 && size.height() >= 1)) Refuse("it has no size");
    if (size.width() > MaxSide || size.height() > MaxSide)
      throw TMediaError("The picture \"" + path + "\" is too large to read.");
    FWidth = std::max(1, int(std::lround(size.width())));
    FHeight = std::max(1, int(std::lround(size.height())));
    if (request.FitWidth > 0 && request.FitHeight > 0)
      FitWithin(FWidth, FHeight, request.FitWidth, request.FitHeight, FWidth, FHeight);
    FDetail = std::clamp(static_cast<int>(std::sqrt(MaxDetailPixels / (double(FWidth) * FHeight))), 1, MaxDetail);
  }

  int Width() const override { return FWidth; }
  int Height() const override { return FHeight; }
  bool Lossless() const override { return true; }

  bool NextFrame(TRgbaFrame& frame) override {
    if (FDone) return false;
    FDone = true;
    QImage image(FWidth * FDetail, FHeight * FDetail, QImage::Format_RGBA8888_Premultiplied);
    if (image.isNull()) Refuse("out of memory");
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    FRenderer.render(&painter);
    painter.end();
    frame = FrameFromImage(image, FPath);
    return true;
  }

 private:
  [[noreturn]] void Refuse(const std::string& reason) const {
    throw TMediaError("The picture file \"" + FPath + "\" is not a readable SVG picture (" + reason + ").");
  }

  std::string FPath;
  QSvgRenderer FRenderer;
  int FWidth = 0;
  int FHeight = 0;
  int FDetail = 1;
  bool FDone = false;
};

}  // namespace

std::unique_ptr<IPictureDecoder> OpenSvgPicture(const std::string& path, const TPictureRequest& request) {
  return std::make_unique<TSvgPictureDecoder>(path, request);
}

}  // namespace media
