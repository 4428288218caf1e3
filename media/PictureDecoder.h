// Every picture kind behind one small interface: a decoder is found from the file's first
// bytes, tells the size the picture shows at (after its rotation, mirroring and crop) and
// gives its frames one by one, each with its delay. The rest of the program sees frames,
// never formats; adding a kind is adding a decoder file and a line in PictureDecoders.cpp.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "media/PictureKind.h"

namespace media {

// One frame: straight (not premultiplied) RGBA, 4 bytes a pixel, rows from the top.
struct TRgbaFrame {
  int Width = 0;
  int Height = 0;
  std::vector<std::uint8_t> Pixels;
  int DelayMs = 0;  // how long the frame shows; 0 for a still picture

  bool HasTransparency() const;
};

struct TPictureRequest {
  // Greater than 0: frames are scaled down to fit this box, keeping their proportions
  // (never scaled up).
  int FitWidth = 0;
  int FitHeight = 0;
};

class IPictureDecoder {
 public:
  virtual ~IPictureDecoder() = default;
  // The size the picture shows at, known before any frame is decoded.
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  // True for kinds that keep every pixel (PNG, GIF, lossless WebP): they go into a movie
  // lossless. Lossy photos (HEIF) may go as JPEG unless they have transparency.
  virtual bool Lossless() const = 0;
  // The next frame, scaled as requested; false after the last. Throws TMediaError. A
  // drawing (SVG) may give more pixels than Width() x Height(), at the same proportions, to
  // stay sharp when shown larger.
  virtual bool NextFrame(TRgbaFrame& frame) = 0;
  // A drawing that can go into a movie as shapes (SVG): then its frames are only a stand-in.
  virtual const struct TVectorPicture* Drawing() const { return nullptr; }
};

struct TPictureDecoderKind {
  TPictureKind Kind;
  // Opens `path` and reads its header. Throws TMediaError naming the file.
  std::unique_ptr<IPictureDecoder> (*Open)(const std::string& path, const TPictureRequest& request);
};

// The decoder of that kind; nullptr when there is none (JPEG and BMP have their own code).
const TPictureDecoderKind* FindPictureDecoder(TPictureKind kind);

// The largest size of the given proportions within maxWidth x maxHeight (at least 1 x 1).
void FitWithin(int width, int height, int maxWidth, int maxHeight, int& fitWidth, int& fitHeight);

// Far above any picture a card shows, far below what a lying header could ask for.
constexpr std::uint64_t MaxDecodedPixels = 64ull << 20;
// Pixels of all the frames of one animation together (a 65535-frame GIF is refused).
constexpr std::uint64_t MaxAnimationPixels = 120ull << 20;

}  // namespace media
