// The frames of a decoded picture on their way to work files: each encoded as soon as it is
// decoded (PNG for lossless pictures and those with transparency, else JPEG), equal
// neighbours merged into one longer frame, and the whole bounded so a hostile animation
// cannot take unbounded time, memory or disk.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "media/PictureDecoder.h"
#include "render/RgbPicture.h"

struct TEncodedFrame {
  std::vector<std::uint8_t> Bytes;
  bool Png = false;
  int DelayMs = 0;
};

class TFrameCollector {
public:
  // `path` names the file in messages; `lossless`: every frame as PNG. JPEG frames are
  // written at `quality`.
  TFrameCollector(const std::string& path, int maxFrames, bool lossless, int quality);

  // Throws TPictureError when the animation has too many frames or pixels.
  void Add(media::TRgbaFrame frame);

  bool Empty() const { return Frames.empty(); }
  std::size_t Count() const { return Frames.size(); }
  const TEncodedFrame& At(std::size_t index) const { return Frames[index]; }
  int Width() const { return FrameWidth; }
  int Height() const { return FrameHeight; }

private:
  std::string Path;
  int MaxFrames;
  bool Lossless;
  int Quality;
  std::vector<TEncodedFrame> Frames;
  std::vector<std::uint8_t> LastPixels;
  std::uint64_t DecodedPixels = 0;
  int FrameWidth = 0;
  int FrameHeight = 0;
};

// The PNG file of a frame (8-bit RGBA). Throws TPictureError.
std::vector<std::uint8_t> EncodePng(const media::TRgbaFrame& frame);
// The frame without its alpha.
TRgbPicture RgbOfFrame(const media::TRgbaFrame& frame);
// The picture scaled smoothly to width x height; itself when it has that size.
TRgbPicture ScaledRgb(TRgbPicture picture, int width, int height);
