// Pixel checks for rendered frames.
#pragma once

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>

#include <cstdlib>
#include <sstream>

namespace playertest {

inline ::testing::AssertionResult ColorNear(const QImage& image, int x, int y, QColor expected,
                                            int tolerance = 3) {
  const QColor actual = image.pixelColor(x, y);
  if (std::abs(actual.red() - expected.red()) <= tolerance &&
      std::abs(actual.green() - expected.green()) <= tolerance &&
      std::abs(actual.blue() - expected.blue()) <= tolerance) {
    return ::testing::AssertionSuccess();
  }
  std::ostringstream text;
  text << "pixel (" << x << "," << y << ") is rgb(" << actual.red() << "," << actual.green() << ","
       << actual.blue() << "), expected rgb(" << expected.red() << "," << expected.green() << ","
       << expected.blue() << ") within " << tolerance;
  return ::testing::AssertionFailure() << text.str();
}

}  // namespace playertest
