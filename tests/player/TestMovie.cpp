#include "TestMovie.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <fstream>

#include <zlib.h>

namespace playertest {

using swf::TSwfBitWriter;
using swf::TTagCode;

TFill Solid(TRgba color) {
  TFill fill;
  fill.Color = color;
  return fill;
}

TOutline Rectangle(int32_t x, int32_t y, int32_t w, int32_t h) {
  TOutline outline;
  outline.Points = {{x, y}, {x + w, y}, {x + w, y + h}, {x, y + h}, {x, y}};
  return outline;
}

void TTimelineWriter::Tag(TTagCode code, const std::vector<uint8_t>& body, bool forceLong) {
  FTags.Tag(static_cast<uint16_t>(code), body, forceLong);
}

void TTimelineWriter::Place(uint16_t depth, uint16_t id, const TMatrix& m,
                            std::optional<TCxForm> cx, uint16_t clipDepth) {
  TSwfBitWriter w;
  w.U8(0x02 | 0x04 | (cx ? 0x08 : 0) | (clipDepth ? 0x40 : 0));
  w.U16(depth);
  w.U16(id);
  w.Matrix(m);
  if (cx) w.CxForm(*cx, true);
  if (clipDepth) w.U16(clipDepth);
  Tag(TTagCode::PlaceObject2, w.Take());
}

void TTimelineWriter::Place3(uint16_t depth, uint16_t id, const TMatrix& m,
                             const std::vector<std::vector<uint8_t>>& filters, uint8_t blend,
                             bool cacheAsBitmap, std::optional<TCxForm> cx) {
  TSwfBitWriter w;
  w.U8(0x02 | 0x04 | (cx ? 0x08 : 0));
  w.U8((filters.empty() ? 0 : 0x01) | (blend ? 0x02 : 0) | (cacheAsBitmap ? 0x04 : 0));
  w.U16(depth);
  w.U16(id);
  w.Matrix(m);
  if (cx) w.CxForm(*cx, true);
  if (!filters.empty()) {
    w.U8(static_cast<uint8_t>(filters.size()));
    for (const auto& f : filters) w.Bytes(f);
  }
  if (blend) w.U8(blend);
  if (cacheAsBitmap) w.U8(1);
  Tag(TTagCode::PlaceObject3, w.Take());
}

void TTimelineWriter::Modify(uint16_t depth, std::optional<TMatrix> m, std::optional<TCxForm> cx) {
  TSwfBitWriter w;
  w.U8(0x01 | (m ? 0x04 : 0) | (cx ? 0x08 : 0));
  w.U16(depth);
  if (m) w.Matrix(*m);
  if (cx) w.CxForm(*cx, true);
  Tag(TTagCode::PlaceObject2, w.Take());
}

void TTimelineWriter::Remove(uint16_t depth) {
  TSwfBitWriter w;
  w.U16(depth);
  Tag(TTagCode::RemoveObject2, w.Take());
}

void TTimelineWriter::Action(const std::vector<uint8_t>& records) {
  std::vector<uint8_t> body = records;
  body.push_back(0);
  Tag(TTagCode::DoAction, body);
}

void TTimelineWriter::Label(const std::string& name) {
  TSwfBitWriter w;
  w.String(name);
  Tag(TTagCode::FrameLabel, w.Take());
}

void TTimelineWriter::StartSound(uint16_t id, uint8_t flags) {
  Tag(TTagCode::StartSound, {static_cast<uint8_t>(id), static_cast<uint8_t>(id >> 8), flags});
}

void TTimelineWriter::ShowFrame() {
  Tag(TTagCode::ShowFrame, {});
  ++FFrames;
}

TTestMovie::TTestMovie(int widthPx, int heightPx, double fps, int version)
    : FWidth(widthPx), FHeight(heightPx), FVersion(version), FFps(fps) {
  if (version >= 8) Tag(TTagCode::FileAttributes, {0, 0, 0, 0});
}

void TTestMovie::Background(TRgba color) {
  Tag(TTagCode::SetBackgroundColor, {color.R, color.G, color.B});
}

namespace {

void WriteFill(TSwfBitWriter& w, const TFill& fill) {
  w.U8(fill.Type);
  if (fill.Type == 0x00) {
    w.Rgba(fill.Color);
  } else if (fill.Type == 0x10 || fill.Type == 0x12 || fill.Type == 0x13) {
    w.Matrix(fill.Matrix);
    w.U8(static_cast<uint8_t>(fill.Spread << 6 | fill.Stops.size()));
    for (const auto& [ratio, color] : fill.Stops) {
      w.U8(ratio);
      w.Rgba(color);
    }
    if (fill.Type == 0x13) w.I16(static_cast<int16_t>(std::lround(fill.Focal * 256)));
  } else {
    w.U16(fill.BitmapId);
    w.Matrix(fill.Matrix);
  }
}

}  // namespace

namespace {

swf::TRect OutlineBounds(const std::vector<TOutline>& outlines) {
  int32_t minX = INT32_MAX, minY = INT32_MAX, maxX = INT32_MIN, maxY = INT32_MIN;
  for (const TOutline& o : outlines) {
    for (auto [x, y] : o.Points) {
      minX = std::min(minX, x), maxX = std::max(maxX, x);
      minY = std::min(minY, y), maxY = std::max(maxY, y);
    }
  }
  return {minX, maxX, minY, maxY};
}

// The shape records drawing outlines (straight edges), after the style counts.
void WriteOutlines(TSwfBitWriter& w, const std::vector<TOutline>& outlines, int fillBits, int lineBits) {
  w.U8(static_cast<uint8_t>(fillBits << 4 | lineBits));
  for (const TOutline& o : outlines) {
    // Style change: MoveTo, fill0, fill1 and line.
    w.UB(1, 0);
    w.UB(1, 0);
    w.UB(1, lineBits > 0);
    w.UB(1, fillBits > 0);
    w.UB(1, fillBits > 0);
    w.UB(1, 1);
    const int n = std::max({1, swf::SignedBits(o.Points[0].first), swf::SignedBits(o.Points[0].second)});
    w.UB(5, n);
    w.SB(n, o.Points[0].first);
    w.SB(n, o.Points[0].second);
    if (fillBits) w.UB(fillBits, o.Fill0);
    if (fillBits) w.UB(fillBits, o.Fill1);
    if (lineBits) w.UB(lineBits, o.Line);
    for (size_t i = 1; i < o.Points.size(); ++i) {
      const int32_t dx = o.Points[i].first - o.Points[i - 1].first;
      const int32_t dy = o.Points[i].second - o.Points[i - 1].second;
      const int bits = std::max({2, swf::SignedBits(dx), swf::SignedBits(dy)});
      w.UB(1, 1);  // edge
      w.UB(1, 1);  // straight
      w.UB(4, bits - 2);
      w.UB(1, 1);  // general line
      w.SB(bits, dx);
      w.SB(bits, dy);
    }
  }
  w.UB(6, 0);  // end
  w.Flush();
}

}  // namespace

uint16_t TTestMovie::Shape(const std::vector<TFill>& fills, const std::vector<TOutline>& outlines,
                           const std::vector<std::pair<uint16_t, TRgba>>& lines) {
  const uint16_t id = NextId();
  TSwfBitWriter w;
  w.U16(id);
  w.Rect(OutlineBounds(outlines));
  w.U8(static_cast<uint8_t>(fills.size()));
  for (const TFill& fill : fills) WriteFill(w, fill);
  w.U8(static_cast<uint8_t>(lines.size()));
  for (const auto& [width, color] : lines) {
    w.U16(width);
    w.Rgba(color);
  }
  WriteOutlines(w, outlines, swf::UnsignedBits(fills.size()), swf::UnsignedBits(lines.size()));
  Tag(TTagCode::DefineShape3, w.Take());
  return id;
}

uint16_t TTestMovie::LineShape(const TOutline& outline, uint16_t width, TRgba color,
                               uint8_t startCap, uint8_t endCap) {
  const uint16_t id = NextId();
  TSwfBitWriter w;
  w.U16(id);
  const swf::TRect bounds = OutlineBounds({outline});
  w.Rect({bounds.XMin - width, bounds.XMax + width, bounds.YMin - width, bounds.YMax + width});
  w.Rect(bounds);
  w.U8(0x01);  // scaling strokes
  w.U8(0);     // no fills
  w.U8(1);
  w.U16(width);
  w.UB(2, startCap);
  w.UB(2, 0);  // round joins
  w.UB(4, 0);  // no fill, scaling, no hinting
  w.UB(5, 0);
  w.UB(1, 0);  // closing allowed
  w.UB(2, endCap);
  w.Rgba(color);
  TOutline stroked = outline;
  stroked.Fill0 = stroked.Fill1 = 0;
  stroked.Line = 1;
  WriteOutlines(w, {stroked}, 0, 1);
  Tag(TTagCode::DefineShape4, w.Take());
  return id;
}

uint16_t TTestMovie::RectShape(int32_t x, int32_t y, int32_t w, int32_t h, TFill fill) {
  return Shape({fill}, {Rectangle(x, y, w, h)});
}

uint16_t TTestMovie::Bitmap(int width, int height, const std::vector<uint32_t>& argb) {
  const uint16_t id = NextId();
  std::vector<uint8_t> pixels;
  for (uint32_t p : argb) {
    const uint32_t a = p >> 24;
    pixels.push_back(static_cast<uint8_t>(a));
    for (int shift : {16, 8, 0}) pixels.push_back(static_cast<uint8_t>(((p >> shift) & 0xFF) * a / 255));
  }
  uLongf size = compressBound(pixels.size());
  std::vector<uint8_t> packed(size);
  compress(packed.data(), &size, pixels.data(), pixels.size());
  packed.resize(size);
  TSwfBitWriter w;
  w.U16(id);
  w.U8(5);
  w.U16(static_cast<uint16_t>(width));
  w.U16(static_cast<uint16_t>(height));
  w.Bytes(packed);
  Tag(TTagCode::DefineBitsLossless2, w.Take(), true);
  return id;
}

uint16_t TTestMovie::Sprite(const TTimelineWriter& timeline) {
  const uint16_t id = NextId();
  TSwfBitWriter w;
  w.U16(id);
  w.U16(static_cast<uint16_t>(timeline.Frames()));
  w.Bytes(timeline.Bytes());
  w.U16(0);  // End
  Tag(TTagCode::DefineSprite, w.Take());
  return id;
}

uint16_t TTestMovie::Button(const std::vector<TButtonPart>& parts,
                            const std::vector<std::pair<uint16_t, std::vector<uint8_t>>>& actions,
                            bool trackAsMenu) {
  const uint16_t id = NextId();
  TSwfBitWriter records;
  for (const TButtonPart& part : parts) {
    records.U8(part.States);
    records.U16(part.CharacterId);
    records.U16(part.Depth);
    records.Matrix(part.Matrix);
    records.CxForm(TCxForm{}, true);
  }
  records.U8(0);
  TSwfBitWriter w;
  w.U16(id);
  w.U8(trackAsMenu ? 1 : 0);
  w.U16(actions.empty() ? 0 : static_cast<uint16_t>(2 + records.Size()));
  w.Bytes(records.Data());
  for (size_t i = 0; i < actions.size(); ++i) {
    std::vector<uint8_t> body = actions[i].second;
    body.push_back(0);
    w.U16(i + 1 == actions.size() ? 0 : static_cast<uint16_t>(4 + body.size()));
    w.U8(static_cast<uint8_t>(actions[i].first >> 8));
    w.U8(static_cast<uint8_t>(actions[i].first));
    w.Bytes(body);
  }
  Tag(TTagCode::DefineButton2, w.Take());
  return id;
}

uint16_t TTestMovie::EditText(const std::vector<uint8_t>& bodyAfterId) {
  const uint16_t id = NextId();
  TSwfBitWriter w;
  w.U16(id);
  w.Bytes(bodyAfterId);
  Tag(TTagCode::DefineEditText, w.Take());
  return id;
}

uint16_t TTestMovie::SquareFont(const std::string& name, const std::u16string& codes,
                                uint8_t style, int side) {
  const uint16_t id = NextId();
  // One glyph: a square of side (800 by default) from (100, −side) in units of 1/20 of the
  // EM's 1024.
  TSwfBitWriter glyph;
  glyph.U8(0x10);
  auto edge = [&](int dx, int dy) {
    const int bits = std::max({2, swf::SignedBits(dx), swf::SignedBits(dy)});
    glyph.UB(1, 1), glyph.UB(1, 1), glyph.UB(4, bits - 2), glyph.UB(1, 1);
    glyph.SB(bits, dx), glyph.SB(bits, dy);
  };
  glyph.UB(1, 0), glyph.UB(1, 0), glyph.UB(1, 0), glyph.UB(1, 1), glyph.UB(1, 0), glyph.UB(1, 1);
  glyph.UB(5, 16), glyph.SB(16, 2000), glyph.SB(16, -side);
  glyph.UB(1, 1);
  edge(side, 0), edge(0, side), edge(-side, 0), edge(0, -side);
  glyph.UB(6, 0);
  glyph.Flush();
  const std::vector<uint8_t> square = glyph.Take();
  const std::vector<uint8_t> empty = {0x10, 0x00};  // a space: no outline, only its advance
  const size_t n = codes.size();
  std::vector<std::vector<uint8_t>> shapes;
  for (char16_t c : codes) shapes.push_back(c == u' ' ? empty : square);
  TSwfBitWriter w;
  w.U16(id);
  w.U8(static_cast<uint8_t>(0x80 | 0x08 | 0x04 | (style & 0x03)));  // layout, wide offsets, wide codes
  w.U8(1);
  w.U8(static_cast<uint8_t>(name.size()));
  w.Bytes(reinterpret_cast<const uint8_t*>(name.data()), name.size());
  w.U16(static_cast<uint16_t>(n));
  const uint32_t tableSize = static_cast<uint32_t>(4 * n + 4);
  uint32_t offset = tableSize;
  for (const auto& shape : shapes) {
    w.U32(offset);
    offset += static_cast<uint32_t>(shape.size());
  }
  w.U32(offset);
  for (const auto& shape : shapes) w.Bytes(shape);
  for (char16_t c : codes) w.U16(c);
  w.U16(18000), w.U16(4000), w.I16(0);  // ascent, descent, leading
  for (size_t i = 0; i < n; ++i) w.I16(20480);
  for (size_t i = 0; i < n; ++i) w.Rect({0, 20480, -20480, 0});
  w.U16(0);  // no kerning
  Tag(TTagCode::DefineFont3, w.Take());
  return id;
}

uint16_t TTestMovie::Sound(uint8_t formatByte, uint32_t sampleCount,
                           const std::vector<uint8_t>& data) {
  const uint16_t id = NextId();
  TSwfBitWriter w;
  w.U16(id);
  w.U8(formatByte);
  w.U32(sampleCount);
  w.Bytes(data);
  Tag(TTagCode::DefineSound, w.Take());
  return id;
}

std::vector<uint8_t> TTestMovie::Bytes(std::optional<int> frameCount) const {
  TSwfBitWriter body;
  body.Rect({0, FWidth * 20, 0, FHeight * 20});
  const int rate = static_cast<int>(std::lround(FFps * 256));
  body.U8(static_cast<uint8_t>(rate & 0xFF));
  body.U8(static_cast<uint8_t>(rate >> 8));
  body.U16(static_cast<uint16_t>(frameCount.value_or(FFrames)));
  body.Bytes(FTags.Data());
  body.U16(0);  // End
  TSwfBitWriter file;
  file.Bytes(reinterpret_cast<const uint8_t*>("FWS"), 3);
  file.U8(static_cast<uint8_t>(FVersion));
  file.U32(static_cast<uint32_t>(body.Size() + 8));
  file.Bytes(body.Data());
  return file.Take();
}

void TTestMovie::Save(const std::string& path) const {
  const std::vector<uint8_t> data = Bytes();
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(data.data()),
                                              static_cast<std::streamsize>(data.size()));
}

std::vector<uint8_t> ActionStop() { return {0x07}; }
std::vector<uint8_t> ActionPlay() { return {0x06}; }
std::vector<uint8_t> ActionGotoFrame(uint16_t frame) {
  return {0x81, 2, 0, static_cast<uint8_t>(frame), static_cast<uint8_t>(frame >> 8)};
}
std::vector<uint8_t> ActionGotoLabel(const std::string& label) {
  std::vector<uint8_t> r = {0x8C, static_cast<uint8_t>(label.size() + 1), 0};
  r.insert(r.end(), label.begin(), label.end());
  r.push_back(0);
  return r;
}

namespace {

void Fixed(TSwfBitWriter& w, double v) { w.I32(static_cast<int32_t>(std::lround(v * 65536))); }
void Fixed8(TSwfBitWriter& w, double v) { w.I16(static_cast<int16_t>(std::lround(v * 256))); }
void Float(TSwfBitWriter& w, float v) {
  uint32_t bits;
  std::memcpy(&bits, &v, 4);
  w.U32(bits);
}

}  // namespace

std::vector<uint8_t> FilterBlur(double x, double y, int passes) {
  TSwfBitWriter w;
  w.U8(1);
  Fixed(w, x), Fixed(w, y);
  w.U8(static_cast<uint8_t>(passes << 3));
  return w.Take();
}

std::vector<uint8_t> FilterDropShadow(TRgba color, double blur, double angle, double distance,
                                      double strength, uint8_t flags) {
  TSwfBitWriter w;
  w.U8(0);
  w.Rgba(color);
  Fixed(w, blur), Fixed(w, blur), Fixed(w, angle * M_PI / 180), Fixed(w, distance);
  Fixed8(w, strength);
  w.U8(flags);
  return w.Take();
}

std::vector<uint8_t> FilterGlow(TRgba color, double blur, double strength, uint8_t flags) {
  TSwfBitWriter w;
  w.U8(2);
  w.Rgba(color);
  Fixed(w, blur), Fixed(w, blur);
  Fixed8(w, strength);
  w.U8(flags);
  return w.Take();
}

std::vector<uint8_t> FilterBevel(TRgba shadow, TRgba highlight, double blur, double angle,
                                 double distance, double strength, uint8_t flags) {
  TSwfBitWriter w;
  w.U8(3);
  w.Rgba(shadow), w.Rgba(highlight);
  Fixed(w, blur), Fixed(w, blur), Fixed(w, angle * M_PI / 180), Fixed(w, distance);
  Fixed8(w, strength);
  w.U8(flags);
  return w.Take();
}

std::vector<uint8_t> FilterGradient(bool bevel, const std::vector<std::pair<uint8_t, TRgba>>& stops,
                                    double blur, double angle, double distance, double strength,
                                    uint8_t flags) {
  TSwfBitWriter w;
  w.U8(bevel ? 7 : 4);
  w.U8(static_cast<uint8_t>(stops.size()));
  for (const auto& stop : stops) w.Rgba(stop.second);
  for (const auto& stop : stops) w.U8(stop.first);
  Fixed(w, blur), Fixed(w, blur), Fixed(w, angle * M_PI / 180), Fixed(w, distance);
  Fixed8(w, strength);
  w.U8(flags);
  return w.Take();
}

std::vector<uint8_t> FilterColorMatrix(const std::vector<float>& m20) {
  TSwfBitWriter w;
  w.U8(6);
  for (float v : m20) Float(w, v);
  return w.Take();
}

std::vector<uint8_t> FilterConvolution(int columns, int rows, const std::vector<float>& m,
                                       float divisor, float bias, TRgba outside, uint8_t flags) {
  TSwfBitWriter w;
  w.U8(5);
  w.U8(static_cast<uint8_t>(columns)), w.U8(static_cast<uint8_t>(rows));
  Float(w, divisor), Float(w, bias);
  for (float v : m) Float(w, v);
  w.Rgba(outside);
  w.U8(flags);
  return w.Take();
}

TMatrix Translate(double xPx, double yPx) {
  TMatrix m;
  m.TX = static_cast<int32_t>(std::lround(xPx * 20));
  m.TY = static_cast<int32_t>(std::lround(yPx * 20));
  return m;
}

TMatrix ScaleRotate(double sx, double sy, double degrees, double xPx, double yPx) {
  const double a = degrees * M_PI / 180;
  TMatrix m = Translate(xPx, yPx);
  m.A = static_cast<int32_t>(std::lround(sx * std::cos(a) * 65536));
  m.B = static_cast<int32_t>(std::lround(sx * std::sin(a) * 65536));
  m.C = static_cast<int32_t>(std::lround(-sy * std::sin(a) * 65536));
  m.D = static_cast<int32_t>(std::lround(sy * std::cos(a) * 65536));
  return m;
}

TCxForm AlphaMult(double alpha) {
  TCxForm cx;
  cx.AMult = static_cast<int16_t>(std::lround(alpha * 256));
  return cx;
}

}  // namespace playertest
