// DefineShape 1–4: style arrays and shape records.
#include "swf/format/SwfError.h"
#include "swf/reader/ParseLimits.h"
#include "swf/reader/TagParsers.h"

namespace swf {
namespace {

TRgba Color(TSwfBitReader& r, int version) { return version >= 3 ? r.Rgba() : r.Rgb(); }

// Array counts: u8, with 0xFF escaping to a u16 from DefineShape2 on.
uint32_t StyleCount(TSwfBitReader& r, int version) {
  uint32_t count = r.U8();
  if (count == 0xFF && version >= 2) count = r.U16();
  return count;
}

TGradient ParseGradient(TSwfBitReader& r, int version) {
  TGradient g;
  g.Spread = static_cast<uint8_t>(r.UB(2));
  g.Interpolation = static_cast<uint8_t>(r.UB(2));
  uint32_t count = r.UB(4);
  g.Stops.reserve(count);
  for (uint32_t i = 0; i < count; ++i) {
    TGradientStop stop;
    stop.Ratio = r.U8();
    stop.Color = Color(r, version);
    g.Stops.push_back(stop);
  }
  return g;
}

}  // namespace

TFillStyle ParseFillStyle(TSwfBitReader& r, int version) {
  TFillStyle fill;
  uint8_t type = r.U8();
  fill.Type = static_cast<TFillType>(type);
  switch (type) {
    case 0x00:
      fill.Color = Color(r, version);
      break;
    case 0x10:
    case 0x12:
    case 0x13:
      fill.Matrix = r.Matrix();
      fill.Gradient = ParseGradient(r, version);
      if (type == 0x13) fill.Gradient.FocalPoint = r.I16();
      break;
    case 0x40:
    case 0x41:
    case 0x42:
    case 0x43:
      fill.BitmapId = r.U16();
      fill.Matrix = r.Matrix();
      break;
    default:
      r.Fail("Unknown fill style type " + std::to_string(type));
  }
  return fill;
}

bool ParseLineStyle2Flags(TSwfBitReader& r, TLineStyle& line) {
  line.IsLineStyle2 = true;
  line.StartCap = static_cast<uint8_t>(r.UB(2));
  line.Join = static_cast<uint8_t>(r.UB(2));
  bool hasFill = r.UB(1);
  line.NoHScale = r.UB(1);
  line.NoVScale = r.UB(1);
  line.PixelHinting = r.UB(1);
  r.UB(5);
  line.NoClose = r.UB(1);
  line.EndCap = static_cast<uint8_t>(r.UB(2));
  if (line.Join == 2) line.MiterLimit = r.U16();
  return hasFill;
}

TLineStyle ParseLineStyle(TSwfBitReader& r, int version) {
  TLineStyle line;
  line.Width = r.U16();
  if (version < 4) {
    line.Color = Color(r, version);
    return line;
  }
  if (ParseLineStyle2Flags(r, line))
    line.Fill = ParseFillStyle(r, version);
  else
    line.Color = r.Rgba();
  return line;
}

TShapeStyles ParseShapeStyles(TSwfBitReader& r, int version) {
  TShapeStyles styles;
  uint32_t fills = StyleCount(r, version);
  CheckCount(r, fills, 3, "fill styles");  // the smallest fill style takes 3 bytes
  styles.Fills.reserve(fills);
  for (uint32_t i = 0; i < fills; ++i) styles.Fills.push_back(ParseFillStyle(r, version));
  uint32_t lines = StyleCount(r, version);
  CheckCount(r, lines, 5, "line styles");  // and the smallest line style 5
  styles.Lines.reserve(lines);
  for (uint32_t i = 0; i < lines; ++i) styles.Lines.push_back(ParseLineStyle(r, version));
  return styles;
}

std::vector<TShapeRecord> ParseShapeRecords(TSwfBitReader& r, int version) {
  std::vector<TShapeRecord> records;
  uint8_t bits = r.U8();
  int fillBits = bits >> 4, lineBits = bits & 0x0F;
  try {
    for (;;) {
      if (records.size() >= MaxRecordsPerTag) r.Fail("Too many shape records");
      if (r.UB(1) == 0) {
        uint32_t flags = r.UB(5);
        if (flags == 0) break;  // end record
        TStyleChange change;
        if (flags & 0x01) {
          int n = static_cast<int>(r.UB(5));
          change.MoveToX = r.SB(n);
          change.MoveToY = r.SB(n);
        }
        if (flags & 0x02) change.FillStyle0 = r.UB(fillBits);
        if (flags & 0x04) change.FillStyle1 = r.UB(fillBits);
        if (flags & 0x08) change.LineStyle = r.UB(lineBits);
        if (flags & 0x10) {
          change.NewStyles = ParseShapeStyles(r, version);
          uint8_t newBits = r.U8();
          fillBits = newBits >> 4;
          lineBits = newBits & 0x0F;
        }
        records.emplace_back(std::move(change));
        continue;
      }
      bool straight = r.UB(1);
      int n = static_cast<int>(r.UB(4)) + 2;
      if (straight) {
        TStraightEdge edge;
        if (r.UB(1)) {  // general line
          edge.DX = r.SB(n);
          edge.DY = r.SB(n);
        } else if (r.UB(1)) {  // vertical
          edge.DY = r.SB(n);
        } else {
          edge.DX = r.SB(n);
        }
        records.emplace_back(edge);
      } else {
        TCurvedEdge edge;
        edge.ControlDX = r.SB(n);
        edge.ControlDY = r.SB(n);
        edge.AnchorDX = r.SB(n);
        edge.AnchorDY = r.SB(n);
        records.emplace_back(edge);
      }
    }
  } catch (const TSwfError&) {
    // Data that ends without an end record keeps what came before; anything else is damage.
    if (!r.AtEnd()) throw;
  }
  return records;
}

TShape ParseDefineShape(TSwfBitReader& r, int version) {
  TShape shape;
  shape.Version = static_cast<uint8_t>(version);
  shape.Id = r.U16();
  shape.Bounds = r.Rect();
  shape.EdgeBounds = shape.Bounds;
  if (version >= 4) {
    shape.EdgeBounds = r.Rect();
    uint8_t flags = r.U8();
    shape.UsesFillWindingRule = flags & 0x04;
    shape.UsesNonScalingStrokes = flags & 0x02;
    shape.UsesScalingStrokes = flags & 0x01;
  }
  shape.Styles = ParseShapeStyles(r, version);
  shape.Records = ParseShapeRecords(r, version);
  return shape;
}

}  // namespace swf
