// Turns outlines (contours of lines, quadratic and cubic curves, in twips) into the shape
// records of a DefineShape3 with one fill style: each contour says on which side of its
// direction of travel the fill lies, so holes and outer contours need no even-odd luck.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "swf/format/SwfBitWriter.h"
#include "swf/format/SwfTypes.h"

namespace swf {

// The side of the direction of travel (screen coordinates, y pointing down) that is filled:
// Right for a contour drawn clockwise on screen, Left for counter-clockwise.
enum class TInkSide { Left, Right };

class TShapeEncoder {
 public:
  TShapeEncoder();

  // Coordinates are twips; they are rounded to whole twips. Every contour starts with
  // MoveTo and is closed by ClosePath (or the next MoveTo, or Body).
  void MoveTo(double x, double y, TInkSide side);
  void LineTo(double x, double y);
  void QuadTo(double cx, double cy, double x, double y);
  // Cubic curves are approximated by quadratic ones to within about half a twip.
  void CubicTo(double c1x, double c1y, double c2x, double c2y, double x, double y);
  void ClosePath();

  bool Empty() const { return !FHasEdges; }
  // The box of every point and control point; all zero for an empty shape.
  TRect Bounds() const;

  // The DefineShape3 body after the character id: bounds, a fill style array holding the
  // one given fill style (its bytes), no line styles, and the records.
  std::vector<uint8_t> Body(const std::vector<uint8_t>& fillStyle);

  // Starts a new layer with one fill style of its own (DefineShape4 bodies only): what follows
  // is painted over what came before, and the next contour begins with MoveTo.
  void NewFill(const std::vector<uint8_t>& fillStyle);
  // The DefineShape4 body after the character id, for shapes made of NewFill layers alone:
  // `nonZero` fills each layer by the non-zero winding rule instead of even-odd.
  std::vector<uint8_t> Shape4Body(bool nonZero);

  // Fill style bytes.
  static std::vector<uint8_t> SolidFill(const TRgba& colour);
  // A clipped, smoothed bitmap fill whose matrix maps bitmap pixels to shape twips.
  static std::vector<uint8_t> ClippedBitmapFill(uint16_t bitmapId, const TMatrix& matrix);
  // A gradient (DefineShape4): `type` 0x10 linear, 0x12 radial, 0x13 focal radial; `spread`
  // 0 pad, 1 reflect, 2 repeat; ratios 0..255 rising; focal -1..1 for type 0x13.
  static std::vector<uint8_t> GradientFill(uint8_t type, const TMatrix& matrix, int spread,
                                           const std::vector<std::pair<uint8_t, TRgba>>& stops, double focal);

 private:
  void StraightTo(int32_t x, int32_t y);
  void CurveTo(double cx, double cy, double x, double y, int depth);
  void Include(int32_t x, int32_t y);
  void Finish();

  TSwfBitWriter FRecords;
  int32_t FPenX = 0, FPenY = 0;        // where the last record left the pen (whole twips)
  double FExactX = 0, FExactY = 0;     // the same before rounding, for curve splitting
  int32_t FStartX = 0, FStartY = 0;    // start of the open contour
  bool FOpen = false;
  bool FHasEdges = false;
  bool FHasSide = false;
  TInkSide FSide = TInkSide::Right;
  bool FHasBounds = false;
  TRect FBounds;
  bool FFinished = false;
  bool FSetBothFills = false;  // after NewFill: the next MoveTo names both sides' fills
};

}  // namespace swf
