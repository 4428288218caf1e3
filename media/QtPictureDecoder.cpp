// PNG and WebP through Qt's image readers (libpng, libwebp), which keep the alpha, every
// colour type and depth, and every frame of an animation with its disposal. The reader's
// allocation limit bounds what a lying header can ask for.
#include <QImageReader>

#include "media/FrameConversion.h"
#include "media/MediaError.h"
#include "media/PictureDecoder.h"

namespace media {

namespace {

constexpr int AllocationLimitMb = 320;

// Browsers show GIF frames of no or a tiny delay for a tenth of a second; so do we.
int ShownDelay(int delayMs) { return delayMs <= 10 ? 100 : delayMs; }

class TQtPictureDecoder : public IPictureDecoder {
 public:
  TQtPictureDecoder(const std::string& path, TPictureKind kind, const TPictureRequest& request)
      : FPath(path), FKindName(PictureKindName(kind)), FReader(QString::fromStdString(path), FormatOf(kind)) {
    FReader.setDecideFormatFromContent(false);
    FReader.setAutoTransform(true);
    FReader.setAllocationLimit(AllocationLimitMb);
    const QSize stored = FReader.size();
    if (!stored.isValid() || stored.isEmpty()) Refuse(FReader.errorString().toStdString());
    if (std::uint64_t(stored.width()) * std::uint64_t(stored.height()) > MaxDecodedPixels)
      throw TMediaError("The picture \"" + path + "\" is too large to read (" + std::to_string(stored.width()) +
                        " x " + std::to_string(stored.height()) + " pixels).");
    const bool turned = FReader.transformation() & QImageIOHandler::TransformationRotate90;
    FWidth = turned ? stored.height() : stored.width();
    FHeight = turned ? stored.width() : stored.height();
    if (request.FitWidth > 0 && request.FitHeight > 0 && (FWidth > request.FitWidth || FHeight > request.FitHeight)) {
      FitWithin(FWidth, FHeight, request.FitWidth, request.FitHeight, FWidth, FHeight);
      FReader.setScaledSize(turned ? QSize(FHeight, FWidth) : QSize(FWidth, FHeight));
    }
    FFrameCount = FReader.imageCount();
    FLossless = kind != TPictureKind::WebP || !IsLossyWebP(path);
  }

  int Width() const override { return FWidth; }
  int Height() const override { return FHeight; }
  bool Lossless() const override { return FLossless; }

  bool NextFrame(TRgbaFrame& frame) override {
    if (FRead > 0 && (FFrameCount <= 1 || FRead >= FFrameCount)) return false;
    const QImage image = FReader.read();
    if (image.isNull()) Refuse(FReader.errorString().toStdString());
    frame = FrameFromImage(image, FPath);
    // A frame of another size than the first (a reader's quirk) is brought to it.
    if (frame.Width != FWidth || frame.Height != FHeight)
      frame = FrameFromImage(ImageOfFrame(frame).scaled(FWidth, FHeight), FPath);
    frame.DelayMs = FFrameCount > 1 ? ShownDelay(FReader.nextImageDelay()) : 0;
    ++FRead;
    return true;
  }

 private:
  static QByteArray FormatOf(TPictureKind kind) {
    switch (kind) {
      case TPictureKind::Gif: return "gif";
      case TPictureKind::WebP: return "webp";
      default: return "png";
    }
  }

  // A WebP whose first chunk is "VP8 " holds a lossy picture without alpha.
  static bool IsLossyWebP(const std::string& path) {
    const std::vector<std::uint8_t> head = ReadFileHead(path, 16);
    return head.size() >= 16 && std::string(head.begin() + 12, head.end()) == "VP8 ";
  }

  [[noreturn]] void Refuse(std::string reason) const {
    if (reason.empty() || reason == "Unknown error") reason = "damaged or cut short";
    throw TMediaError("The picture file \"" + FPath + "\" is not a readable " + FKindName + " picture (" + reason + ").");
  }

  std::string FPath;
  std::string FKindName;
  QImageReader FReader;
  int FWidth = 0;
  int FHeight = 0;
  int FFrameCount = 0;
  int FRead = 0;
  bool FLossless = true;
};

}  // namespace

std::unique_ptr<IPictureDecoder> OpenQtPicture(const std::string& path, const TPictureRequest& request) {
  const std::vector<std::uint8_t> head = ReadFileHead(path, PictureHeadBytes);
  const TPictureKind kind = RecognisePicture(head.data(), head.size());
  return std::make_unique<TQtPictureDecoder>(path, kind, request);
}

}  // namespace media
