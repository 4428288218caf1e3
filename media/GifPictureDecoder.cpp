// GIF pictures through giflib, composed as browsers do: the canvas starts transparent,
// each frame's transparent colour leaves what lies beneath, and a frame disposed "to
// background" leaves its rectangle transparent again (Qt's reader fills such areas with an
// opaque colour). Frames are read one at a time.
#include <gif_lib.h>

#include <cstring>
#include <memory>

#include "media/FrameConversion.h"
#include "media/MediaError.h"
#include "media/PictureDecoder.h"

namespace media {

namespace {

// Far more frames than any real animation; a hostile file stops here before the frame
// collector's own limits.
constexpr int MaxGifFrames = 10000;

// Browsers show GIF frames of no or a tiny delay for a tenth of a second; so do we.
int ShownDelay(int delayMs) { return delayMs <= 10 ? 100 : delayMs; }

class TGifPictureDecoder : public IPictureDecoder {
 public:
  TGifPictureDecoder(const std::string& path, const TPictureRequest& request) : FPath(path) {
    int error = 0;
    FGif.reset(DGifOpenFileName(path.c_str(), &error));
    if (!FGif) Refuse(error);
    FScreenWidth = FGif->SWidth;
    FScreenHeight = FGif->SHeight;
    if (FScreenWidth <= 0 || FScreenHeight <= 0) Refuse(D_GIF_ERR_WRONG_RECORD);
    if (std::uint64_t(FScreenWidth) * std::uint64_t(FScreenHeight) > MaxDecodedPixels)
      throw TMediaError("The picture \"" + path + "\" is too large to read (" + std::to_string(FScreenWidth) + " x " +
                        std::to_string(FScreenHeight) + " pixels).");
    FWidth = FScreenWidth;
    FHeight = FScreenHeight;
    if (request.FitWidth > 0 && request.FitHeight > 0)
      FitWithin(FWidth, FHeight, request.FitWidth, request.FitHeight, FWidth, FHeight);
    FCanvas.assign(std::size_t(FScreenWidth) * FScreenHeight * 4, 0);
  }

  int Width() const override { return FWidth; }
  int Height() const override { return FHeight; }
  bool Lossless() const override { return true; }

  bool NextFrame(TRgbaFrame& frame) override {
    // One frame is read ahead: a picture of a single frame is a still one, without a delay.
    if (!FStarted) {
      FStarted = true;
      FHasNext = ReadFrame(FNext);
      if (!FHasNext) Refuse(D_GIF_ERR_NO_IMAG_DSCR);
    }
    if (!FHasNext) return false;
    frame = std::move(FNext);
    FHasNext = ReadFrame(FNext);
    if (FReturned++ == 0 && !FHasNext) frame.DelayMs = 0;
    FitFrame(frame, FWidth, FHeight, FPath);
    return true;
  }

 private:
  // The next frame composed onto the canvas; false after the last.
  bool ReadFrame(TRgbaFrame& frame) {
    GraphicsControlBlock control{DISPOSAL_UNSPECIFIED, false, 0, NO_TRANSPARENT_COLOR};
    for (;;) {
      GifRecordType record;
      if (DGifGetRecordType(FGif.get(), &record) == GIF_ERROR) Refuse(FGif->Error);
      if (record == TERMINATE_RECORD_TYPE) return false;
      if (record == EXTENSION_RECORD_TYPE) {
        int code = 0;
        GifByteType* block = nullptr;
        if (DGifGetExtension(FGif.get(), &code, &block) == GIF_ERROR) Refuse(FGif->Error);
        if (code == GRAPHICS_EXT_FUNC_CODE && block && block[0] >= 4) DGifExtensionToGCB(block[0], block + 1, &control);
        while (block)
          if (DGifGetExtensionNext(FGif.get(), &block) == GIF_ERROR) Refuse(FGif->Error);
        continue;
      }
      if (record != IMAGE_DESC_RECORD_TYPE) Refuse(D_GIF_ERR_WRONG_RECORD);
      if (++FFrames > MaxGifFrames)
        throw TMediaError("The picture \"" + FPath + "\" has too many frames to read.");
      if (DGifGetImageDesc(FGif.get()) == GIF_ERROR) Refuse(FGif->Error);
      Compose(control);
      frame.Width = FScreenWidth;
      frame.Height = FScreenHeight;
      frame.Pixels = FCanvas;
      frame.DelayMs = ShownDelay(control.DelayTime * 10);
      return true;
    }
  }

  void Compose(const GraphicsControlBlock& control) {
    // What the frame before asked to leave behind it.
    if (FDisposal == DISPOSE_BACKGROUND) Clear(FLastRect);
    if (FDisposal == DISPOSE_PREVIOUS && !FSaved.empty()) FCanvas = FSaved;
    if (control.DisposalMode == DISPOSE_PREVIOUS) FSaved = FCanvas;

    const GifImageDesc& image = FGif->Image;
    const ColorMapObject* colours = image.ColorMap ? image.ColorMap : FGif->SColorMap;
    if (!colours) Refuse(D_GIF_ERR_NO_COLOR_MAP);
    const int width = image.Width, height = image.Height;
    std::vector<GifPixelType> row(std::size_t(std::max(width, 1)));
    auto draw = [&](int y) {
      if (DGifGetLine(FGif.get(), row.data(), width) == GIF_ERROR) Refuse(FGif->Error);
      const int canvasY = image.Top + y;
      if (canvasY < 0 || canvasY >= FScreenHeight) return;
      for (int x = 0; x < width; ++x) {
        const int canvasX = image.Left + x;
        const int index = row[std::size_t(x)];
        if (canvasX < 0 || canvasX >= FScreenWidth || index == control.TransparentColor || index >= colours->ColorCount)
          continue;
        std::uint8_t* p = &FCanvas[(std::size_t(canvasY) * FScreenWidth + canvasX) * 4];
        const GifColorType& c = colours->Colors[index];
        p[0] = c.Red;
        p[1] = c.Green;
        p[2] = c.Blue;
        p[3] = 255;
      }
    };
    if (width > 0 && height > 0) {
      if (image.Interlace) {
        static const int start[] = {0, 4, 2, 1}, step[] = {8, 8, 4, 2};
        for (int pass = 0; pass < 4; ++pass)
          for (int y = start[pass]; y < height; y += step[pass]) draw(y);
      } else {
        for (int y = 0; y < height; ++y) draw(y);
      }
    }
    FDisposal = control.DisposalMode;
    FLastRect = {image.Left, image.Top, width, height};
  }

  struct TRect {
    int Left = 0, Top = 0, Width = 0, Height = 0;
  };

  void Clear(const TRect& rect) {
    for (int y = std::max(0, rect.Top); y < std::min(FScreenHeight, rect.Top + rect.Height); ++y)
      for (int x = std::max(0, rect.Left); x < std::min(FScreenWidth, rect.Left + rect.Width); ++x)
        std::memset(&FCanvas[(std::size_t(y) * FScreenWidth + x) * 4], 0, 4);
  }

  [[noreturn]] void Refuse(int error) const {
    const char* text = GifErrorString(error);
    throw TMediaError("The picture file \"" + FPath + "\" is not a readable GIF picture (" +
                      (text ? std::string(text) : std::string("damaged or cut short")) + ").");
  }

  std::string FPath;
  struct TClose {
    void operator()(GifFileType* gif) const {
      int error = 0;
      DGifCloseFile(gif, &error);
    }
  };
  std::unique_ptr<GifFileType, TClose> FGif;  // closed also when the constructor throws
  int FScreenWidth = 0, FScreenHeight = 0;
  int FWidth = 0, FHeight = 0;
  std::vector<std::uint8_t> FCanvas;
  std::vector<std::uint8_t> FSaved;
  int FDisposal = DISPOSAL_UNSPECIFIED;
  TRect FLastRect;
  TRgbaFrame FNext;
  bool FStarted = false, FHasNext = false;
  int FReturned = 0, FFrames = 0;
};

}  // namespace

std::unique_ptr<IPictureDecoder> OpenGifPicture(const std::string& path, const TPictureRequest& request) {
  return std::make_unique<TGifPictureDecoder>(path, request);
}

}  // namespace media
