// TSwfObject: the builder's shape object. It makes text shapes, pictures and sounds and
// holds the fill and transform that TSwfMovie::AddObject places them with.
//
// - Each Make starts a new character and resets the attributes: no fill (text drawn in
//   opaque black), scale 1, no rotation, and the translation at the content's origin (a
//   text's (x, y), a picture's top left corner). What was added before stays.
// - SetSolidFill, Scale, Rotate and Translate replace, never accumulate; they take effect
//   at the next AddObject. Scale and Rotate act about the content's origin; the matrix is
//   translate · rotate · scale. Angles turn clockwise on screen.
// - A text's scale factors are measured against a 36-point text (1008 twips high), not
//   against the height it was made at: Scale(F / 36 × 65536) shows a text made at 28 × F
//   twips at its own size. That is the size at which the effects that turn or shrink a
//   text into place ("Rotate", "Heart Beat", nearly "Kerning") end, so the text does not
//   jump when a still copy takes over. Until Scale is given, a text shows as made.
// - The fill of a text becomes a colour transform (multiply 0, add the colour), so one
//   shape serves every colour and alpha. Pictures and sounds ignore the fill.
// - Non-finite numbers: NaN counts as 0 and infinities as the largest value the format
//   holds, so an effect dividing by zero still gives a movie.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "swf/builder/SwfContent.h"
#include "swf/builder/SwfObjs.h"
#include "swf/builder/SwfTimeline.h"
#include "swf/format/SwfTypes.h"

namespace swf {

class TSwfMovie;

class TSwfObject : public ISwfObject {
 public:
  TSwfObject();
  ~TSwfObject() override;

  // Text: UTF-8, shaped with the font found by family name (unknown families fall back to
  // the default sans; characters the font lacks come from the first font that has them).
  // x, y: the origin, where the top left of the first line's box lies (y is the top of the
  // line box, not the baseline); height: the em height. All in twips. Lines break at '\n'.
  void MakeTextSimple(const std::string& fontName, const std::string& text, double x, double y,
                      double height) override;
  // A JPEG or PNG picture scaled to the rectangle (twips); width and height (pixels) are the
  // rectangle's size and are not otherwise used. The file is read during the call; its
  // content, not its name, decides the kind. A PNG goes into the movie lossless with its alpha;
  // a drawing's work file (TVectorArt) becomes a shape of its own outlines and gradients.
  void MakePicture(int left, int top, int right, int bottom, int width, int height,
                   const std::string& picturePath) override;
  // A 16-bit mono PCM wave file at 5512, 11025, 22050 or 44100 Hz, read during the call.
  void MakeSound(const std::string& wavePath) override;
  // Colour components and alpha 0..255; values outside are clamped, alpha is rounded.
  void SetSolidFill(int red, int green, int blue, double alpha) override;
  // Factors in 16.16 fixed point (65536 = 1.0).
  void Scale(double x, double y) override;
  // Degrees in 16.16 fixed point, clockwise.
  void Rotate(int angle) override;
  // Where the content's origin lands, in twips.
  void Translate(double x, double y) override;
  // Twips; written as blur and glow filters (PlaceObject3), which text shapes only take.
  void SetBlur(double radius) override;
  void SetGlow(int red, int green, int blue, double alpha, double radius) override;
  void SetOutline(int red, int green, int blue, double alpha, double width) override;
  void SetShadow(int red, int green, int blue, double alpha, double radius, double distance) override;
  void SetTextColour(int red, int green, int blue) override;

  // The content the next AddObject places (empty before the first Make).
  const TContentPtr& Content() const { return FContent; }
  // The matrix and colour transform the next AddObject uses.
  TPlacement CurrentPlacement() const;

 private:
  friend class TSwfMovie;

  // What the movie last did with this object; decides letter groups and finished content
  // (see TSwfMovie).
  enum class TLastCall { None, Make, Add, FrameStepAdd, Remove };

  void StartContent(TContentPtr content);
  std::vector<uint8_t> FilterList() const;
  // 255 pixels: as far as players blur.
  static constexpr double MaxFilterRadius = 255 * 20;

  TContentPtr FContent;
  // The letters of one text: those made since the last removal (FContent last), and the
  // earlier ones still shown, by the frame of their last placement, which no longer
  // changes once they are not current. A removal then visits only the letters it ends.
  std::vector<TContentPtr> FGroup;
  std::multimap<int, TContentPtr> FEarlierLetters;
  TLastCall FLastCall = TLastCall::None;
  bool FFinished = false;
  uint64_t FVisitAtMake = 0;
  uint64_t FMoviesAtMake = 0;
  uint64_t FVisitAtRemove = ~0ull;
  const TSwfMovie* FMovie = nullptr;  // the movie the content was first used in
  uint64_t FMovieGeneration = 0;

  std::optional<TRgba> FFill;
  double FScaleX = 65536, FScaleY = 65536;
  bool FScaled = false;  // Scale was given since the last Make
  int FAngle = 0;
  std::optional<std::pair<double, double>> FTranslation;
  // A glow, an outline or a drop shadow; no colour for none.
  struct TShadowLike {
    std::optional<TRgba> Colour;
    double Radius = 0, Distance = 0;  // twips
  };
  static TShadowLike ShadowLike(int red, int green, int blue, double alpha, double radius, double distance);
  TRgba FTextColour{0, 0, 0, 255};
  double FBlur = 0;
  TShadowLike FGlow, FOutline, FShadow;
  std::shared_ptr<const TBitmapData> FLastBitmap;  // reused when the same picture comes again
  // The last drawing made into a shape: its work file's bytes, the size and the shape body.
  struct TDrawingShape {
    std::vector<uint8_t> Bytes;
    int32_t Width = 0, Height = 0;
    std::vector<uint8_t> Body;
  };
  std::shared_ptr<const TDrawingShape> FLastDrawing;
};

}  // namespace swf
