// Parsed vector shapes: fill and line styles and the shape records of DefineShape 1–4 and
// of font glyphs, kept as written (MoveTo absolute, edges as deltas, all in twips).
#pragma once

#include <cstdint>
#include <optional>
#include <variant>
#include <vector>

#include "swf/format/SwfTypes.h"

namespace swf {

// Fill style type bytes.
enum class TFillType : uint8_t {
  Solid = 0x00,
  LinearGradient = 0x10,
  RadialGradient = 0x12,
  FocalGradient = 0x13,
  RepeatingBitmap = 0x40,
  ClippedBitmap = 0x41,
  RepeatingBitmapUnsmoothed = 0x42,
  ClippedBitmapUnsmoothed = 0x43,
};

struct TGradientStop {
  uint8_t Ratio = 0;  // 0..255 along the gradient square
  TRgba Color;
  bool operator==(const TGradientStop&) const = default;
};

struct TGradient {
  uint8_t Spread = 0;         // 0 pad, 1 reflect, 2 repeat
  uint8_t Interpolation = 0;  // 0 RGB, 1 linear RGB
  std::vector<TGradientStop> Stops;
  int16_t FocalPoint = 0;     // 8.8 fixed, −1..1 along x (focal gradients only)
  bool operator==(const TGradient&) const = default;
};

struct TFillStyle {
  TFillType Type = TFillType::Solid;
  TRgba Color;               // solid fills
  TMatrix Matrix;            // gradient square or bitmap pixels → shape twips
  TGradient Gradient;        // gradient fills
  uint16_t BitmapId = 0;     // bitmap fills
  bool IsGradient() const {
    return Type == TFillType::LinearGradient || Type == TFillType::RadialGradient ||
           Type == TFillType::FocalGradient;
  }
  bool IsBitmap() const { return static_cast<uint8_t>(Type) >= 0x40; }
  bool IsClipped() const {
    return Type == TFillType::ClippedBitmap || Type == TFillType::ClippedBitmapUnsmoothed;
  }
  bool IsSmoothed() const {
    return Type == TFillType::RepeatingBitmap || Type == TFillType::ClippedBitmap;
  }
  bool operator==(const TFillStyle&) const = default;
};

// LINESTYLE (shapes 1–3) and LINESTYLE2 (shape 4). Caps: 0 round, 1 none, 2 square;
// joins: 0 round, 1 bevel, 2 miter.
struct TLineStyle {
  uint16_t Width = 0;  // twips
  TRgba Color;
  bool IsLineStyle2 = false;
  uint8_t StartCap = 0, EndCap = 0, Join = 0;
  bool NoHScale = false, NoVScale = false, PixelHinting = false, NoClose = false;
  uint16_t MiterLimit = 0;            // 8.8 fixed, only for miter joins
  std::optional<TFillStyle> Fill;     // LINESTYLE2 with a fill instead of a colour
  bool operator==(const TLineStyle&) const = default;
};

struct TShapeStyles {
  std::vector<TFillStyle> Fills;
  std::vector<TLineStyle> Lines;
  bool operator==(const TShapeStyles&) const = default;
};

// Style indices are 1-based into the current style arrays; 0 means "no style".
struct TStyleChange {
  std::optional<int32_t> MoveToX, MoveToY;  // absolute twips, both or neither
  std::optional<uint32_t> FillStyle0, FillStyle1, LineStyle;
  std::optional<TShapeStyles> NewStyles;     // starts a new style layer
  bool operator==(const TStyleChange&) const = default;
};

struct TStraightEdge {
  int32_t DX = 0, DY = 0;
  bool operator==(const TStraightEdge&) const = default;
};

// Control point relative to the current point, anchor relative to the control point.
struct TCurvedEdge {
  int32_t ControlDX = 0, ControlDY = 0, AnchorDX = 0, AnchorDY = 0;
  bool operator==(const TCurvedEdge&) const = default;
};

using TShapeRecord = std::variant<TStyleChange, TStraightEdge, TCurvedEdge>;

// DefineShape, DefineShape2, DefineShape3, DefineShape4.
struct TShape {
  uint16_t Id = 0;
  uint8_t Version = 1;  // 1..4
  TRect Bounds;         // including half the stroke widths
  TRect EdgeBounds;     // shape 4 only (else equal to Bounds)
  bool UsesFillWindingRule = false;  // shape 4: non-zero instead of even-odd
  bool UsesNonScalingStrokes = false, UsesScalingStrokes = false;
  TShapeStyles Styles;
  std::vector<TShapeRecord> Records;
  bool operator==(const TShape&) const = default;
};

}  // namespace swf
