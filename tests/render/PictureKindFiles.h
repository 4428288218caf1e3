// Pictures of every kind made by the tests: PNGs of each colour type and depth written with
// libpng, GIFs (still and animated, with transparency and disposal) written byte by byte,
// and WebP, HEIC and AVIF files made by Debian's own tools from a PNG.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct TRgba8 {
  std::uint8_t R = 0, G = 0, B = 0, A = 255;
  bool operator==(const TRgba8&) const = default;
};

using TPixelFunction = std::function<TRgba8(int x, int y)>;

// libpng colour types: PNG_COLOR_TYPE_GRAY 0, RGB 2, PALETTE 3, GRAY_ALPHA 4, RGB_ALPHA 6.
// Grey pictures take the red channel. A palette gets a tRNS chunk when a colour is not
// opaque. `transparentKey`: an RGB or grey picture gets a tRNS colour key of that colour.
void WritePng(const std::string& path, int width, int height, int colourType, int bitDepth, bool interlaced,
              const TPixelFunction& pixel, const TRgba8* transparentKey = nullptr);

// Straight RGBA pixels of a PNG read back with libpng (the reference), or empty.
std::vector<TRgba8> ReadPngPixels(const std::string& path, int& width, int& height);

struct TGifFrame {
  std::vector<TRgba8> Palette;       // at most 256 colours
  std::vector<std::uint8_t> Indices; // width * height of the frame
  int Left = 0, Top = 0, Width = 0, Height = 0;
  int DelayCs = 10;                  // hundredths of a second
  int Transparent = -1;              // palette index shown as transparent, or -1
  int Disposal = 1;                  // 1 keep, 2 restore to background
};

// The bytes of a GIF89a of screen width x height holding the frames (each with its own
// palette), looping forever when there is more than one.
std::string GifBytes(int width, int height, const std::vector<TGifFrame>& frames);
// A frame of one colour over the whole screen.
TGifFrame SolidGifFrame(int width, int height, TRgba8 colour, int delayCs);

// True when the program is on the PATH.
bool HaveProgram(const std::string& name);
// Runs a shell command with its output silenced; true when it exits with 0.
bool RunQuietly(const std::string& command);
