// SVG drawings, read by librsvg. Where every part can be shown as shapes, the decoder gives
// the drawing itself (stays sharp at any size); otherwise it draws the picture at up to four
// times the size it shows at, so a movie exported larger still shows sharp edges.
#include <algorithm>
#include <cmath>

#include "media/PictureDecoder.h"
#include "media/SvgDocument.h"
#include "media/SvgShapes.h"

namespace media {

namespace {

constexpr int MaxDetail = 4;                  // pixels drawn per shown pixel, each way
constexpr double MaxDetailPixels = 4 << 20;   // the drawn picture stays within 4 megapixels
constexpr std::size_t MaxPlainSvgBytes = 32 << 20;

class TSvgPictureDecoder : public IPictureDecoder {
 public:
  TSvgPictureDecoder(const std::string& path, const TPictureRequest& request) : FDocument(path) {
    FWidth = std::max(1, int(std::lround(FDocument.Width())));
    FHeight = std::max(1, int(std::lround(FDocument.Height())));
    if (request.FitWidth > 0 && request.FitHeight > 0)
      FitWithin(FWidth, FHeight, request.FitWidth, request.FitHeight, FWidth, FHeight);
    FDetail = std::clamp(static_cast<int>(std::sqrt(MaxDetailPixels / (double(FWidth) * FHeight))), 1, MaxDetail);
  }

  int Width() const override { return FWidth; }
  int Height() const override { return FHeight; }
  bool Lossless() const override { return true; }
  const TVectorPicture* Drawing() const override {
    // Made when asked for: a thumbnail needs only the pixels.
    if (!FDrawingTried) {
      FDrawingTried = true;
      if (const std::optional<std::string> plain = FDocument.PlainSvg(MaxPlainSvgBytes))
        FDrawing = ShapesOfPlainSvg(*plain, FDocument.Width(), FDocument.Height());
    }
    return FDrawing ? &*FDrawing : nullptr;
  }

  bool NextFrame(TRgbaFrame& frame) override {
    if (FDone) return false;
    FDone = true;
    frame = FDocument.Draw(FWidth * FDetail, FHeight * FDetail);
    return true;
  }

 private:
  TSvgDocument FDocument;
  mutable std::optional<TVectorPicture> FDrawing;
  mutable bool FDrawingTried = false;
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
