// DefineMorphShape and DefineMorphShape2.
#include "swf/reader/ParseLimits.h"
#include "swf/reader/TagParsers.h"

namespace swf {
namespace {

uint32_t StyleCount(TSwfBitReader& r) {
  uint32_t count = r.U8();
  if (count == 0xFF) count = r.U16();
  return count;
}

TMorphFillStyle ParseMorphFill(TSwfBitReader& r) {
  TMorphFillStyle fill;
  uint8_t type = r.U8();
  fill.Start.Type = fill.End.Type = static_cast<TFillType>(type);
  switch (type) {
    case 0x00:
      fill.Start.Color = r.Rgba();
      fill.End.Color = r.Rgba();
      break;
    case 0x10:
    case 0x12:
    case 0x13: {
      fill.Start.Matrix = r.Matrix();
      fill.End.Matrix = r.Matrix();
      uint8_t head = r.U8();
      for (TGradient* g : {&fill.Start.Gradient, &fill.End.Gradient}) {
        g->Spread = head >> 6;
        g->Interpolation = (head >> 4) & 3;
      }
      int count = head & 0x0F;
      for (int i = 0; i < count; ++i) {
        TGradientStop start, end;
        start.Ratio = r.U8();
        start.Color = r.Rgba();
        end.Ratio = r.U8();
        end.Color = r.Rgba();
        fill.Start.Gradient.Stops.push_back(start);
        fill.End.Gradient.Stops.push_back(end);
      }
      if (type == 0x13) {
        fill.Start.Gradient.FocalPoint = r.I16();
        fill.End.Gradient.FocalPoint = r.I16();
      }
      break;
    }
    case 0x40:
    case 0x41:
    case 0x42:
    case 0x43:
      fill.Start.BitmapId = fill.End.BitmapId = r.U16();
      fill.Start.Matrix = r.Matrix();
      fill.End.Matrix = r.Matrix();
      break;
    default:
      r.Fail("Unknown fill style type " + std::to_string(type));
  }
  return fill;
}

TMorphLineStyle ParseMorphLine(TSwfBitReader& r, int version) {
  TMorphLineStyle line;
  line.Start.Width = r.U16();
  line.End.Width = r.U16();
  if (version == 1) {
    line.Start.Color = r.Rgba();
    line.End.Color = r.Rgba();
    return line;
  }
  const bool hasFill = ParseLineStyle2Flags(r, line.Start);
  // The end state has the same flags and its own width.
  uint16_t endWidth = line.End.Width;
  line.End = line.Start;
  line.End.Width = endWidth;
  if (hasFill) {
    TMorphFillStyle fill = ParseMorphFill(r);
    line.Start.Fill = fill.Start;
    line.End.Fill = fill.End;
  } else {
    line.Start.Color = r.Rgba();
    line.End.Color = r.Rgba();
  }
  return line;
}

}  // namespace

TMorphShape ParseDefineMorphShape(TSwfBitReader& r, int version) {
  int code = version == 2 ? 84 : 46;
  TMorphShape shape;
  shape.Version = static_cast<uint8_t>(version);
  shape.Id = r.U16();
  shape.StartBounds = shape.StartEdgeBounds = r.Rect();
  shape.EndBounds = shape.EndEdgeBounds = r.Rect();
  if (version == 2) {
    shape.StartEdgeBounds = r.Rect();
    shape.EndEdgeBounds = r.Rect();
    uint8_t flags = r.U8();
    shape.UsesNonScalingStrokes = flags & 0x02;
    shape.UsesScalingStrokes = flags & 0x01;
  }
  uint32_t endOffset = r.U32();
  size_t endStart = r.Position() + endOffset;
  size_t total = r.Position() + r.Remaining();
  if (endOffset > r.Remaining()) r.Fail("The end shape of the morph lies past the end of the tag");

  uint32_t fills = StyleCount(r);
  CheckCount(r, fills, 4, "morph fill styles");  // the smallest takes 4 bytes
  shape.Fills.reserve(fills);
  for (uint32_t i = 0; i < fills; ++i) shape.Fills.push_back(ParseMorphFill(r));
  uint32_t lines = StyleCount(r);
  CheckCount(r, lines, 12, "morph line styles");  // and 12
  shape.Lines.reserve(lines);
  for (uint32_t i = 0; i < lines; ++i) shape.Lines.push_back(ParseMorphLine(r, version));

  // The start edges end where the end edges begin (an offset of 0 marks an empty morph).
  if (endOffset == 0) return shape;
  TSwfBitReader start = SubReader(r, r.Position(), std::max(r.Position(), endStart), code);
  shape.StartRecords = ParseShapeRecords(start, 3);
  TSwfBitReader end = SubReader(r, endStart, total, code);
  shape.EndRecords = ParseShapeRecords(end, 3);
  return shape;
}

}  // namespace swf
