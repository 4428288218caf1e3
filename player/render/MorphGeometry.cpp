#include "player/render/MorphGeometry.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace player {

namespace {

int32_t Mix(int64_t a, int64_t b, double t) {
  const double value = static_cast<double>(a) + (static_cast<double>(b) - a) * t;
  return static_cast<int32_t>(std::lround(std::clamp(value, double{INT32_MIN}, double{INT32_MAX})));
}

// Colour channels drop their fraction, as other players do.
swf::TRgba Mix(const swf::TRgba& a, const swf::TRgba& b, double t) {
  auto channel = [t](uint8_t x, uint8_t y) {
    return static_cast<uint8_t>(std::clamp(x + (y - x) * t, 0.0, 255.0));
  };
  return {channel(a.R, b.R), channel(a.G, b.G), channel(a.B, b.B), channel(a.A, b.A)};
}

swf::TMatrix Mix(const swf::TMatrix& a, const swf::TMatrix& b, double t) {
  return {Mix(a.A, b.A, t), Mix(a.B, b.B, t), Mix(a.C, b.C, t),
          Mix(a.D, b.D, t), Mix(a.TX, b.TX, t), Mix(a.TY, b.TY, t)};
}

swf::TFillStyle Mix(const swf::TFillStyle& a, const swf::TFillStyle& b, double t) {
  swf::TFillStyle fill = a;
  fill.Color = Mix(a.Color, b.Color, t);
  fill.Matrix = Mix(a.Matrix, b.Matrix, t);
  const size_t stops = std::min(a.Gradient.Stops.size(), b.Gradient.Stops.size());
  fill.Gradient.Stops.resize(stops);
  for (size_t i = 0; i < stops; ++i) {
    fill.Gradient.Stops[i].Ratio =
        static_cast<uint8_t>(std::clamp(Mix(a.Gradient.Stops[i].Ratio, b.Gradient.Stops[i].Ratio, t), 0, 255));
    fill.Gradient.Stops[i].Color = Mix(a.Gradient.Stops[i].Color, b.Gradient.Stops[i].Color, t);
  }
  fill.Gradient.FocalPoint =
      static_cast<int16_t>(std::clamp(Mix(a.Gradient.FocalPoint, b.Gradient.FocalPoint, t), -32768, 32767));
  return fill;
}

// An edge as control and anchor deltas; a straight edge bends nowhere (control halfway).
struct TCurve {
  int32_t ControlDX, ControlDY, AnchorDX, AnchorDY;
  bool Straight;
};

TCurve AsCurve(const swf::TShapeRecord& record) {
  if (const auto* line = std::get_if<swf::TStraightEdge>(&record)) {
    return {line->DX / 2, line->DY / 2, line->DX - line->DX / 2, line->DY - line->DY / 2, true};
  }
  const auto& curve = std::get<swf::TCurvedEdge>(record);
  return {curve.ControlDX, curve.ControlDY, curve.AnchorDX, curve.AnchorDY, false};
}

bool IsEdge(const swf::TShapeRecord& record) {
  return !std::holds_alternative<swf::TStyleChange>(record);
}

}  // namespace

swf::TShapeStyles InterpolateMorphStyles(const swf::TMorphShape& morph, uint16_t ratio) {
  const double t = ratio / 65535.0;
  swf::TShapeStyles styles;
  for (const swf::TMorphFillStyle& fill : morph.Fills) styles.Fills.push_back(Mix(fill.Start, fill.End, t));
  for (const swf::TMorphLineStyle& line : morph.Lines) {
    swf::TLineStyle style = line.Start;
    style.Width = static_cast<uint16_t>(std::clamp(Mix(line.Start.Width, line.End.Width, t), 0, 65535));
    style.Color = Mix(line.Start.Color, line.End.Color, t);
    if (line.Start.Fill && line.End.Fill) style.Fill = Mix(*line.Start.Fill, *line.End.Fill, t);
    styles.Lines.push_back(style);
  }
  return styles;
}

std::vector<swf::TShapeRecord> InterpolateMorphRecords(const swf::TMorphShape& morph,
                                                       uint16_t ratio) {
  const double t = ratio / 65535.0;
  std::vector<swf::TShapeRecord> records;
  records.reserve(morph.StartRecords.size());
  size_t end = 0;  // walks the end state alongside
  const std::vector<swf::TShapeRecord>& ends = morph.EndRecords;
  for (const swf::TShapeRecord& start : morph.StartRecords) {
    if (const auto* change = std::get_if<swf::TStyleChange>(&start)) {
      swf::TStyleChange mixed = *change;
      mixed.NewStyles.reset();  // morph shapes have one set of styles
      // The end state's matching style change gives the end of a move.
      const swf::TStyleChange* endChange =
          end < ends.size() ? std::get_if<swf::TStyleChange>(&ends[end]) : nullptr;
      if (endChange) ++end;
      if (change->MoveToX && change->MoveToY) {
        const bool endMoves = endChange && endChange->MoveToX && endChange->MoveToY;
        mixed.MoveToX = Mix(*change->MoveToX, endMoves ? *endChange->MoveToX : *change->MoveToX, t);
        mixed.MoveToY = Mix(*change->MoveToY, endMoves ? *endChange->MoveToY : *change->MoveToY, t);
      }
      records.emplace_back(mixed);
      continue;
    }
    while (end < ends.size() && !IsEdge(ends[end])) ++end;
    const TCurve a = AsCurve(start);
    const TCurve b = end < ends.size() ? AsCurve(ends[end++]) : a;
    if (a.Straight && b.Straight) {
      records.emplace_back(swf::TStraightEdge{Mix(a.ControlDX + a.AnchorDX, b.ControlDX + b.AnchorDX, t),
                                              Mix(a.ControlDY + a.AnchorDY, b.ControlDY + b.AnchorDY, t)});
    } else {
      records.emplace_back(swf::TCurvedEdge{Mix(a.ControlDX, b.ControlDX, t), Mix(a.ControlDY, b.ControlDY, t),
                                            Mix(a.AnchorDX, b.AnchorDX, t), Mix(a.AnchorDY, b.AnchorDY, t)});
    }
  }
  return records;
}

TShapeGeometry BuildMorphGeometry(const swf::TMorphShape& morph, uint16_t ratio) {
  return BuildShapeGeometry(InterpolateMorphStyles(morph, ratio),
                            InterpolateMorphRecords(morph, ratio));
}

}  // namespace player
