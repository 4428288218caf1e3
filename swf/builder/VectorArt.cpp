#include "swf/builder/VectorArt.h"

#include <cmath>
#include <cstring>

#include "swf/format/SwfError.h"

namespace swf {
namespace {

// "GRXVEC" and a format number.
const uint8_t Magic[8] = {'G', 'R', 'X', 'V', 'E', 'C', 0, 1};

int PointsOf(TVectorVerb verb) {
  switch (verb) {
    case TVectorVerb::Move:
    case TVectorVerb::Line: return 1;
    case TVectorVerb::Quad: return 2;
    case TVectorVerb::Cubic: return 3;
    case TVectorVerb::Close: return 0;
  }
  return -1;
}

class TWriter {
 public:
  void U8(uint8_t v) { FData.push_back(v); }
  void U32(uint32_t v) {
    for (int i = 0; i < 4; ++i) U8(static_cast<uint8_t>(v >> (8 * i)));
  }
  void F64(double v) {
    uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    for (int i = 0; i < 8; ++i) U8(static_cast<uint8_t>(bits >> (8 * i)));
  }
  void Rgba(const TRgba& c) {
    U8(c.R);
    U8(c.G);
    U8(c.B);
    U8(c.A);
  }
  std::vector<uint8_t> FData;
};

class TReader {
 public:
  TReader(const std::vector<uint8_t>& data, const std::string& path) : FData(data), FPath(path) {}
  uint8_t U8() {
    Need(1);
    return FData[FPos++];
  }
  uint32_t U32() {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= static_cast<uint32_t>(U8()) << (8 * i);
    return v;
  }
  double F64() {
    uint64_t bits = 0;
    for (int i = 0; i < 8; ++i) bits |= static_cast<uint64_t>(U8()) << (8 * i);
    double v;
    std::memcpy(&v, &bits, sizeof v);
    if (!std::isfinite(v)) Fail();
    return v;
  }
  TRgba Rgba() {
    TRgba c;
    c.R = U8();
    c.G = U8();
    c.B = U8();
    c.A = U8();
    return c;
  }
  void Skip(size_t n) {
    Need(n);
    FPos += n;
  }
  bool AtEnd() const { return FPos == FData.size(); }
  [[noreturn]] void Fail() const { throw TSwfError("The picture file \"" + FPath + "\" is a damaged drawing"); }

 private:
  void Need(size_t n) const {
    if (FData.size() - FPos < n) Fail();
  }
  const std::vector<uint8_t>& FData;
  const std::string& FPath;
  size_t FPos = 0;
};

}  // namespace

bool IsVectorArtData(const std::vector<uint8_t>& bytes) {
  return bytes.size() >= sizeof Magic && std::memcmp(bytes.data(), Magic, sizeof Magic) == 0;
}

std::vector<uint8_t> EncodeVectorArt(const TVectorArt& art) {
  TWriter w;
  for (uint8_t b : Magic) w.U8(b);
  w.F64(art.Width);
  w.F64(art.Height);
  w.U32(static_cast<uint32_t>(art.Items.size()));
  for (const TVectorItem& item : art.Items) {
    const TVectorPaint& paint = item.Paint;
    w.U8(static_cast<uint8_t>(paint.Kind));
    w.U8(static_cast<uint8_t>(paint.Spread));
    w.Rgba(paint.Colour);
    for (double m : paint.Matrix) w.F64(m);
    w.F64(paint.Focal);
    w.U8(static_cast<uint8_t>(paint.Stops.size()));
    for (const TArtStop& stop : paint.Stops) {
      w.F64(stop.Offset);
      w.Rgba(stop.Colour);
    }
    w.U32(static_cast<uint32_t>(item.Verbs.size()));
    for (TVectorVerb verb : item.Verbs) w.U8(static_cast<uint8_t>(verb));
    w.U32(static_cast<uint32_t>(item.Points.size()));
    for (const TVectorPoint& p : item.Points) {
      w.F64(p.X);
      w.F64(p.Y);
    }
  }
  return std::move(w.FData);
}

TVectorArt DecodeVectorArt(const std::vector<uint8_t>& bytes, const std::string& path) {
  TReader r(bytes, path);
  if (!IsVectorArtData(bytes)) r.Fail();
  r.Skip(sizeof Magic);
  TVectorArt art;
  art.Width = r.F64();
  art.Height = r.F64();
  if (!(art.Width > 0 && art.Height > 0)) r.Fail();
  const uint32_t items = r.U32();
  if (items > MaxVectorItems) r.Fail();
  size_t totalPoints = 0;
  art.Items.resize(items);
  for (TVectorItem& item : art.Items) {
    TVectorPaint& paint = item.Paint;
    const uint8_t kind = r.U8(), spread = r.U8();
    if (kind > static_cast<uint8_t>(TArtPaintKind::Radial) || spread > static_cast<uint8_t>(TArtSpread::Repeat)) r.Fail();
    paint.Kind = static_cast<TArtPaintKind>(kind);
    paint.Spread = static_cast<TArtSpread>(spread);
    paint.Colour = r.Rgba();
    for (double& m : paint.Matrix) m = r.F64();
    paint.Focal = r.F64();
    const uint8_t stops = r.U8();
    if (stops > MaxGradientStops || (paint.Kind != TArtPaintKind::Solid && stops == 0)) r.Fail();
    paint.Stops.resize(stops);
    for (TArtStop& stop : paint.Stops) {
      stop.Offset = r.F64();
      stop.Colour = r.Rgba();
    }
    const uint32_t verbs = r.U32();
    if (verbs > MaxVectorPoints) r.Fail();
    item.Verbs.reserve(verbs);
    size_t points = 0;
    for (uint32_t i = 0; i < verbs; ++i) {
      const uint8_t verb = r.U8();
      if (verb > static_cast<uint8_t>(TVectorVerb::Close)) r.Fail();
      item.Verbs.push_back(static_cast<TVectorVerb>(verb));
      points += static_cast<size_t>(PointsOf(item.Verbs.back()));
    }
    if (r.U32() != points) r.Fail();
    totalPoints += points;
    if (totalPoints > MaxVectorPoints) r.Fail();
    item.Points.resize(points);
    for (TVectorPoint& p : item.Points) {
      p.X = r.F64();
      p.Y = r.F64();
    }
  }
  if (!r.AtEnd()) r.Fail();
  return art;
}

}  // namespace swf
