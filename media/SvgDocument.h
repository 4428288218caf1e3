// An SVG file read by librsvg, which gives the file its full meaning (CSS, use, units,
// inheritance, text): its size, its drawing as pixels, and its drawing written out again as
// a plain SVG of paths and gradients (cairo's SVG surface) that is simple to turn into shapes.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "media/PictureDecoder.h"

namespace media {

class TSvgDocument {
 public:
  // Throws TMediaError naming `path` when the file cannot be read or has no size. References
  // to other files are never followed.
  explicit TSvgDocument(const std::string& path);
  ~TSvgDocument();

  // The size it shows at, in pixels (96 per inch).
  double Width() const { return FWidth; }
  double Height() const { return FHeight; }

  // The drawing over width x height pixels, transparent where it draws nothing.
  TRgbaFrame Draw(int width, int height) const;
  // The drawing as plain SVG at its own size; nothing when that is larger than `maxBytes`.
  std::optional<std::string> PlainSvg(std::size_t maxBytes) const;

 private:
  [[noreturn]] void Refuse(const std::string& reason) const;

  std::string FPath;
  struct THandle;
  std::unique_ptr<THandle> FHandle;
  double FWidth = 0, FHeight = 0;
};

}  // namespace media
