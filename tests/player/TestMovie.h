// Hand-made movies for the player's tests: a small writer of exactly the tags a test
// needs, on top of the format layer's bit writer. Units: twips unless a name says pixels.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "swf/format/SwfBitWriter.h"
#include "swf/format/TagCodes.h"

namespace playertest {

using swf::TCxForm;
using swf::TMatrix;
using swf::TRect;
using swf::TRgba;

// One fill style of DefineShape3 (RGBA colours).
struct TFill {
  uint8_t Type = 0x00;  // 0x00 solid, 0x10 linear, 0x12 radial, 0x13 focal, 0x40..0x43 bitmap
  TRgba Color;
  uint8_t Spread = 0;   // gradients: 0 pad, 1 reflect, 2 repeat
  double Focal = 0;     // focal gradients: −1..1
  TMatrix Matrix;
  std::vector<std::pair<uint8_t, TRgba>> Stops;
  uint16_t BitmapId = 0;
};

TFill Solid(TRgba color);

// An edge path: a start point and straight edges to the following points (absolute).
struct TOutline {
  std::vector<std::pair<int32_t, int32_t>> Points;
  uint32_t Fill0 = 0, Fill1 = 1, Line = 0;
};
TOutline Rectangle(int32_t x, int32_t y, int32_t w, int32_t h);  // clockwise, fill1

// Tags of one timeline (the movie's or a sprite's).
class TTimelineWriter {
 public:
  void Place(uint16_t depth, uint16_t id, const TMatrix& m = {},
             std::optional<TCxForm> cx = std::nullopt, uint16_t clipDepth = 0);
  // PlaceObject3 of a new instance: filters as written by the Filter functions below,
  // a blend mode (0 = none given) and the cached-bitmap flag.
  void Place3(uint16_t depth, uint16_t id, const TMatrix& m,
              const std::vector<std::vector<uint8_t>>& filters, uint8_t blend = 0,
              bool cacheAsBitmap = false, std::optional<TCxForm> cx = std::nullopt);
  void Modify(uint16_t depth, std::optional<TMatrix> m, std::optional<TCxForm> cx = std::nullopt);
  void Remove(uint16_t depth);
  void Action(const std::vector<uint8_t>& records);  // without the closing 0
  void Label(const std::string& name);
  void StartSound(uint16_t id, uint8_t flags = 0);
  void ShowFrame();
  void Tag(swf::TTagCode code, const std::vector<uint8_t>& body, bool forceLong = false);
  std::vector<uint8_t> Bytes() const { return FTags.Data(); }
  int Frames() const { return FFrames; }

 protected:
  swf::TSwfBitWriter FTags;
  int FFrames = 0;
};

class TTestMovie : public TTimelineWriter {
 public:
  TTestMovie(int widthPx, int heightPx, double fps = 12, int version = 8);
  void Background(TRgba color);
  // DefineShape3 with the given fills and lines (width, colour) drawn by outlines.
  uint16_t Shape(const std::vector<TFill>& fills, const std::vector<TOutline>& outlines,
                 const std::vector<std::pair<uint16_t, TRgba>>& lines = {});
  uint16_t RectShape(int32_t x, int32_t y, int32_t w, int32_t h, TFill fill);
  // DefineShape4 of one line style (round joins, caps 0 round, 1 none, 2 square) along
  // an outline.
  uint16_t LineShape(const TOutline& outline, uint16_t width, TRgba color, uint8_t startCap,
                     uint8_t endCap);
  // DefineBitsLossless2 (format 5) of straight ARGB pixels, premultiplied here.
  uint16_t Bitmap(int width, int height, const std::vector<uint32_t>& argb);
  uint16_t Sprite(const TTimelineWriter& timeline);
  // DefineButton2: records of (state bits, character, depth, matrix); actions by their
  // condition bits (0x0800 = release over the button); a menu button takes presses that
  // began elsewhere.
  struct TButtonPart {
    uint8_t States;
    uint16_t CharacterId;
    uint16_t Depth;
    TMatrix Matrix;
  };
  uint16_t Button(const std::vector<TButtonPart>& parts,
                  const std::vector<std::pair<uint16_t, std::vector<uint8_t>>>& actions,
                  bool trackAsMenu = false);
  // DefineEditText (the tag body after the id is given whole).
  uint16_t EditText(const std::vector<uint8_t>& bodyAfterId);
  // DefineFont3 of square glyphs for the given codes (a space gets an empty glyph), each
  // 0.78 EM wide unless side (in 1/20 of 1/1024 EM) says otherwise and advancing 1 EM,
  // with layout; style: bold 0x01, italic 0x02.
  uint16_t SquareFont(const std::string& name, const std::u16string& codes, uint8_t style = 0,
                      int side = 16000);
  uint16_t Sound(uint8_t formatByte, uint32_t sampleCount, const std::vector<uint8_t>& data);
  uint16_t NextId() { return FNextId++; }
  uint16_t PeekNextId() const { return FNextId; }
  // The whole file; the header's frame count is the number of ShowFrames unless given.
  std::vector<uint8_t> Bytes(std::optional<int> frameCount = std::nullopt) const;
  void Save(const std::string& path) const;

 private:
  int FWidth, FHeight, FVersion;
  double FFps;
  uint16_t FNextId = 1;
};

// Action records.
std::vector<uint8_t> ActionStop();
std::vector<uint8_t> ActionPlay();
std::vector<uint8_t> ActionGotoFrame(uint16_t frame);
std::vector<uint8_t> ActionGotoLabel(const std::string& label);

// Filters for Place3 (angles in degrees, sizes in pixels). flags: the last byte of the
// filter (inner 0x80, knockout 0x40, composite source 0x20, then passes).
std::vector<uint8_t> FilterBlur(double x, double y, int passes);
std::vector<uint8_t> FilterDropShadow(TRgba color, double blur, double angle, double distance,
                                      double strength, uint8_t flags);
std::vector<uint8_t> FilterGlow(TRgba color, double blur, double strength, uint8_t flags);
std::vector<uint8_t> FilterBevel(TRgba shadow, TRgba highlight, double blur, double angle,
                                 double distance, double strength, uint8_t flags);
std::vector<uint8_t> FilterGradient(bool bevel, const std::vector<std::pair<uint8_t, TRgba>>& stops,
                                    double blur, double angle, double distance, double strength,
                                    uint8_t flags);
std::vector<uint8_t> FilterColorMatrix(const std::vector<float>& m20);
std::vector<uint8_t> FilterConvolution(int columns, int rows, const std::vector<float>& m,
                                       float divisor, float bias, TRgba outside, uint8_t flags);

TMatrix Translate(double xPx, double yPx);
TMatrix ScaleRotate(double sx, double sy, double degrees, double xPx, double yPx);
TCxForm AlphaMult(double alpha);

}  // namespace playertest
