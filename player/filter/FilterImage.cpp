#include "player/filter/FilterImage.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace player {

namespace {

// One box of radius: each value becomes the mean of its neighbours within the radius's
// whole part, the two next ones weighed by its fraction; zeros lie beyond the ends.
// The division by the box's weight is a multiply by its reciprocal, nudged by a quarter
// step so a whole quotient never lands a hair below itself: exact for sums below
// 256 · weight, and a loop of these vectorises. Single precision holds for weights up to
// 2^12 (boxes up to 15 pixels), four at a time; wider boxes take doubles.
template <class TReal>
struct TBox {
  int Whole;
  int32_t EdgeWeight;  // the fraction in 256ths
  int32_t Half;
  TReal Reciprocal, Nudge;
  explicit TBox(double radius)
      : Whole(static_cast<int>(radius)),
        EdgeWeight(static_cast<int32_t>(std::lround((radius - Whole) * 256))),
        Half(Weight() / 2),
        Reciprocal(TReal(1) / Weight()),
        Nudge(TReal(0.25) / Weight()) {}
  int32_t Weight() const { return (2 * Whole + 1) * 256 + 2 * EdgeWeight; }
  uint8_t Mean(int32_t inner, int32_t edges) const {
    const int32_t n = inner * 256 + edges * EdgeWeight + Half;
    return static_cast<uint8_t>(static_cast<int32_t>(static_cast<TReal>(n) * Reciprocal + Nudge));
  }
};

constexpr int MaxSinglePrecisionWeight = 1 << 12;

// The box along one row of count pixels of Channels interleaved values into target.
// source holds the row with Whole + 1 pixels of zeros either side; sums gets its running
// sums (one pixel longer than source), after which every value is worked out apart.
template <int Channels, class TBoxOf>
void BoxRow(const uint8_t* __restrict source, uint8_t* __restrict target, int count,
            const TBoxOf box, int32_t* __restrict sums) {
  const int span = (2 * box.Whole + 1) * Channels, far = (2 * box.Whole + 2) * Channels;
  const int padded = (count + 2 * (box.Whole + 1)) * Channels;
  for (int c = 0; c < Channels; ++c) sums[c] = 0;
  for (int k = 0; k < padded; ++k) sums[k + Channels] = sums[k] + source[k];
  // Value k of the row sits at k + reach in source; its box spans source entries
  // k + 1 .. k + 2·Whole + 1 (pixels), its edges k and k + 2·Whole + 2.
  for (int k = 0; k < count * Channels; ++k) {
    const int32_t inner = sums[k + Channels + span] - sums[k + Channels];
    target[k] = box.Mean(inner, int32_t{source[k]} + source[k + far]);
  }
}

// One row of the box down the columns: out from the running sums and the two rows at the
// box's edges, then the sums moved on a row. Nothing here overlaps (which lets the loop
// vectorise).
template <class TBoxOf>
void ColumnRow(const uint8_t* __restrict up, const uint8_t* __restrict down,
               const uint8_t* __restrict leaving, uint8_t* __restrict out,
               int32_t* __restrict sums, int width, const TBoxOf box) {
  for (int x = 0; x < width; ++x) {
    out[x] = box.Mean(sums[x], int32_t{up[x]} + down[x]);
    sums[x] += down[x] - leaving[x];
  }
}

// The box down every column at once, row after row (the order the values are kept in):
// one running sum per column.
template <class TBoxOf>
void BoxColumns(const uint8_t* source, uint8_t* target, int width, int height, const TBoxOf& box,
                std::vector<int32_t>& sums) {
  sums.assign(width, 0);
  const std::vector<uint8_t> zeros(width, 0);
  auto row = [&](int y) { return source + size_t(y) * width; };
  for (int y = 0; y <= box.Whole && y < height; ++y)
    for (int x = 0; x < width; ++x) sums[x] += row(y)[x];
  for (int y = 0; y < height; ++y) {
    const int above = y - box.Whole - 1, below = y + box.Whole + 1;
    // Rows beyond the ends read as zeros.
    const uint8_t* up = above >= 0 ? row(above) : zeros.data();
    const uint8_t* down = below < height ? row(below) : zeros.data();
    const uint8_t* leaving = y - box.Whole >= 0 ? row(y - box.Whole) : zeros.data();
    ColumnRow(up, down, leaving, target + size_t(y) * width, sums.data(), width, box);
  }
}

// The box across every row of width pixels of Channels values, in place.
template <int Channels, class TBoxOf>
void BoxAcross(uint8_t* values, int width, int height, const TBoxOf& box) {
  const size_t rowBytes = size_t(width) * Channels;
  const size_t pad = size_t(box.Whole + 1) * Channels;
  std::vector<uint8_t> row(rowBytes + 2 * pad, 0);
  std::vector<int32_t> sums(rowBytes + 2 * pad + Channels);
  for (int y = 0; y < height; ++y) {
    uint8_t* line = values + y * rowBytes;
    std::copy(line, line + rowBytes, row.data() + pad);
    BoxRow<Channels>(row.data(), line, width, box, sums.data());
  }
}

// The box down every column of rows of rowBytes values, in place.
template <class TBoxOf>
void BoxDown(uint8_t* values, int rowBytes, int height, const TBoxOf& box) {
  // Overwritten before it is read: left uninitialised.
  const std::unique_ptr<uint8_t[]> copy(new uint8_t[size_t(rowBytes) * height]);
  std::copy(values, values + size_t(rowBytes) * height, copy.get());
  std::vector<int32_t> sums;
  BoxColumns(copy.get(), values, rowBytes, height, box, sums);
}

// Passes of the box across and down rows of width pixels of Channels values, in place;
// interleaved channels go down their columns alike.
template <int Channels>
void BoxPasses(uint8_t* values, int width, int height, double radiusX, double radiusY,
               int passes) {
  const TBox<float> narrowX(radiusX), narrowY(radiusY);
  const TBox<double> wideX(radiusX), wideY(radiusY);
  for (int pass = 0; pass < std::min(passes, MaxPasses); ++pass) {
    if (radiusX > 0) {
      if (narrowX.Weight() <= MaxSinglePrecisionWeight) BoxAcross<Channels>(values, width, height, narrowX);
      else BoxAcross<Channels>(values, width, height, wideX);
    }
    if (radiusY > 0) {
      if (narrowY.Weight() <= MaxSinglePrecisionWeight) BoxDown(values, width * Channels, height, narrowY);
      else BoxDown(values, width * Channels, height, wideY);
    }
  }
}

}  // namespace

TPlane AlphaOf(const QImage& image) {
  const int w = image.width(), h = image.height();
  TPlane plane(w, h);
  for (int y = 0; y < h; ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(image.constScanLine(y));
    uint8_t* out = &plane.Values[size_t(y) * w];
    for (int x = 0; x < w; ++x) out[x] = row[x] >> 24;
  }
  return plane;
}

double BlurRadius(double blur, double deviceScale) {
  // The box spans the blur amount: half of it either side of the pixel.
  return std::clamp(blur * deviceScale / 2 - 0.5, 0.0, 255.0);
}

void BoxBlur(TPlane& plane, double radiusX, double radiusY, int passes) {
  if (plane.Values.empty()) return;
  BoxPasses<1>(plane.Values.data(), plane.Width, plane.Height, radiusX, radiusY, passes);
}

void BoxBlur(QImage& image, double radiusX, double radiusY, int passes) {
  passes = std::min(passes, MaxPasses);
  if (passes <= 0 || (radiusX <= 0 && radiusY <= 0) || image.isNull()) return;
  // The four premultiplied channels blur alike (without dark fringes), in place.
  if (image.format() != QImage::Format_ARGB32_Premultiplied)
    image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  const int w = image.width(), h = image.height();
  if (image.bytesPerLine() == w * 4) {
    BoxPasses<4>(image.bits(), w, h, radiusX, radiusY, passes);
  } else {
    std::vector<uint8_t> packed(size_t(w) * 4 * h);
    for (int y = 0; y < h; ++y) std::copy_n(image.constScanLine(y), w * 4, &packed[size_t(y) * w * 4]);
    BoxPasses<4>(packed.data(), w, h, radiusX, radiusY, passes);
    for (int y = 0; y < h; ++y) std::copy_n(&packed[size_t(y) * w * 4], w * 4, image.scanLine(y));
  }
  for (int y = 0; y < h; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(image.scanLine(y));
    for (int x = 0; x < w; ++x) {
      // Rounding may leave a colour a step above its alpha: keep it premultiplied.
      const uint32_t p = row[x], a = p >> 24;
      const uint32_t r = std::min((p >> 16) & 0xFF, a), g = std::min((p >> 8) & 0xFF, a),
                     b = std::min(p & 0xFF, a);
      row[x] = (a << 24) | (r << 16) | (g << 8) | b;
    }
  }
}

TPlane Shifted(const TPlane& plane, QPointF offset) {
  const int dx = static_cast<int>(std::lround(offset.x()));
  const int dy = static_cast<int>(std::lround(offset.y()));
  TPlane out(plane.Width, plane.Height);
  // The part of each row that stays within the plane.
  const int fromX = std::max(0, dx), toX = std::min(plane.Width, plane.Width + dx);
  if (fromX >= toX) return out;
  for (int y = std::max(0, dy); y < std::min(plane.Height, plane.Height + dy); ++y) {
    const uint8_t* source = &plane.Values[size_t(y - dy) * plane.Width + (fromX - dx)];
    std::copy(source, source + (toX - fromX), &out.Values[size_t(y) * plane.Width + fromX]);
  }
  return out;
}

}  // namespace player
