// The SWF builder's three objects as the card renderers see them. The renderers only call
// these operations; TSwfMovie, TSwfObject and TSwfAction implement them by writing a real
// movie, and tests may record the calls instead.
//
// Units: twips (pixels × 20); colour components and alpha 0..255 (255 opaque, larger alpha
// clamps); frames counted from 0 (fractional frames allowed); scale factors and angles in
// 16.16 fixed point (65536 = 1.0 or 1 degree). Errors are thrown as std::runtime_error
// (swf::TSwfError or a subclass) carrying a user-facing text.
#pragma once

#include <string>

namespace swf {

// The current shape (text, picture) or sound, with the fill and transform that the next
// AddObject uses. Each Make starts a new character; what was added before stays. Fill and
// transform setters replace, never accumulate.
class ISwfObject {
 public:
  virtual ~ISwfObject() = default;
  virtual void MakeTextSimple(const std::string& fontName, const std::string& text, double x,
                              double y, double height) = 0;
  virtual void MakePicture(int left, int top, int right, int bottom, int width, int height,
                           const std::string& picturePath) = 0;
  virtual void MakeSound(const std::string& wavePath) = 0;
  virtual void SetSolidFill(int red, int green, int blue, double alpha) = 0;
  virtual void Scale(double x, double y) = 0;
  virtual void Rotate(int angle) = 0;
  virtual void Translate(double x, double y) = 0;
  // Bitmap filters of the next AddObject, replaced like the fill: a blur of `radius` twips
  // (0: none), and a glow around the shape in the given colour (alpha 0: none). Builders
  // without filters ignore them.
  virtual void SetBlur(double /*radius*/) {}
  virtual void SetGlow(int /*red*/, int /*green*/, int /*blue*/, double /*alpha*/, double /*radius*/) {}
  // A hard edge of `width` twips around the shape, and a shadow `distance` twips down and
  // right, blurred by `radius` (alpha 0: none).
  virtual void SetOutline(int /*red*/, int /*green*/, int /*blue*/, double /*alpha*/, double /*width*/) {}
  virtual void SetShadow(int /*red*/, int /*green*/, int /*blue*/, double /*alpha*/, double /*radius*/,
                         double /*distance*/) {}
  // The colour the next MakeTextSimple draws its shape in (black unless given right
  // before; every Make goes back to black). A fill of that very
  // colour then leaves the shape's colours alone, so filters keep their own colours in
  // players that apply a placement's colours after its filters.
  virtual void SetTextColour(int /*red*/, int /*green*/, int /*blue*/) {}
};

class ISwfAction {
 public:
  virtual ~ISwfAction() = default;
  virtual void MakeActionStop() = 0;
};

// The movie: a timeline visited in any order; AddObject, RemoveObject and AddAction act on
// the current frame. Which placements RemoveObject takes away: swf/builder/SwfMovie.h.
class ISwfMovie {
 public:
  virtual ~ISwfMovie() = default;
  virtual void SetSize(int width, int height) = 0;
  virtual void SetFrameRate(int framesPerSecond) = 0;
  virtual void SetFrameBkColor(int red, int green, int blue) = 0;
  virtual void GotoFrame(double frame) = 0;
  virtual void AddObject(ISwfObject& object) = 0;
  virtual void RemoveObject(ISwfObject& object) = 0;
  virtual void AddAction(ISwfAction& action) = 0;
  virtual void WriteMovie(const std::string& path) = 0;
};

}  // namespace swf
