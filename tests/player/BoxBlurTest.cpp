// The box blur under the filters: the exact means it takes (wide and narrow boxes, the
// fraction's weight at the edges), alike for planes and for the channels of a picture.
#include <gtest/gtest.h>

#include <QImage>

#include <numeric>

#include "player/filter/FilterImage.h"

namespace {

using player::BoxBlur;
using player::TPlane;

// The mean the box takes by its definition, one row: values within the whole radius
// count fully, the two next ones by the fraction (in 256ths), rounded to nearest.
std::vector<int> ExpectedRow(const std::vector<int>& row, double radius) {
  const int whole = static_cast<int>(radius);
  const int edge = static_cast<int>(std::lround((radius - whole) * 256));
  const int divisor = (2 * whole + 1) * 256 + 2 * edge;
  auto at = [&](int i) { return i < 0 || i >= int(row.size()) ? 0 : row[i]; };
  std::vector<int> out;
  for (int i = 0; i < int(row.size()); ++i) {
    int inner = 0;
    for (int j = -whole; j <= whole; ++j) inner += at(i + j);
    const int edges = at(i - whole - 1) + at(i + whole + 1);
    out.push_back((inner * 256 + edges * edge + divisor / 2) / divisor);
  }
  return out;
}

TEST(BoxBlur, TakesTheExactMeanAcrossAndDown) {
  // Narrow and wide radii, with and without a fraction, over values up to 255.
  for (double radius : {0.5, 1.5, 2.0, 7.25, 40.7}) {
    TPlane plane(61, 1);
    for (int i = 0; i < 61; ++i) plane.Values[i] = static_cast<uint8_t>((i * 97 + 13) % 256);
    const std::vector<int> row(plane.Values.begin(), plane.Values.end());
    TPlane across = plane;
    BoxBlur(across, radius, 0, 1);
    EXPECT_EQ(std::vector<int>(across.Values.begin(), across.Values.end()), ExpectedRow(row, radius))
        << "radius " << radius;
    // The same row standing as a column.
    TPlane down(1, 61);
    down.Values = plane.Values;
    BoxBlur(down, 0, radius, 1);
    EXPECT_EQ(down.Values, across.Values) << "radius " << radius;
  }
}

TEST(BoxBlur, BlursEveryChannelOfAPictureLikeAPlaneAndKeepsItPremultiplied) {
  QImage picture(23, 17, QImage::Format_ARGB32_Premultiplied);
  TPlane planes[4] = {TPlane(23, 17), TPlane(23, 17), TPlane(23, 17), TPlane(23, 17)};
  for (int y = 0; y < 17; ++y) {
    for (int x = 0; x < 23; ++x) {
      const int a = (x * 31 + y * 17) % 256;
      const uint32_t pixel = qRgba(a * (x % 3) / 2, a * (y % 2), a / 3, a);
      reinterpret_cast<uint32_t*>(picture.scanLine(y))[x] = pixel;
      for (int c = 0; c < 4; ++c) planes[c].Values[y * 23 + x] = (pixel >> (8 * c)) & 0xFF;
    }
  }
  BoxBlur(picture, 2.5, 1.25, 2);
  for (TPlane& plane : planes) BoxBlur(plane, 2.5, 1.25, 2);
  for (int y = 0; y < 17; ++y) {
    for (int x = 0; x < 23; ++x) {
      const uint32_t pixel = reinterpret_cast<const uint32_t*>(picture.constScanLine(y))[x];
      const int alpha = planes[3].Values[y * 23 + x];
      ASSERT_EQ(int(pixel >> 24), alpha);
      for (int c = 0; c < 3; ++c) {
        // A colour rounded a step above its alpha is held at the alpha.
        ASSERT_EQ(int((pixel >> (8 * c)) & 0xFF), std::min<int>(planes[c].Values[y * 23 + x], alpha));
      }
    }
  }
}

}  // namespace
