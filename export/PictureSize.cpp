#include "export/PictureSize.h"

#include <cmath>
#include <string>

#include "export/ExportError.h"

namespace exporter {

namespace {

std::string SizeText(double width, double height) {
  return std::to_string(std::llround(width)) + " x " + std::to_string(std::llround(height));
}

}  // namespace

QSize PictureSize(const QSizeF& stage, const TExportOptions& options, bool evenSides) {
  if (stage.width() <= 0 || stage.height() <= 0) {
    throw TExportError("The movie's stage is empty: there is nothing to draw.");
  }
  if (!(options.Scale > 0 && options.Scale <= MaxScale)) {
    throw TExportError("The scale must be above 0 and at most " +
                       std::to_string(static_cast<int>(MaxScale)) + ".");
  }
  double width = stage.width() * options.Scale;
  double height = stage.height() * options.Scale;
  if (options.Width) {
    width = *options.Width;
    height = stage.height() * width / stage.width();
  }
  if (options.FrameWidth > 0 && options.FrameHeight > 0) {
    width = options.FrameWidth;
    height = options.FrameHeight;
  }
  // H.264 and VP9 in 4:2:0 need even sides: round up, the stage stays centred.
  double roundedWidth = std::round(width), roundedHeight = std::round(height);
  if (evenSides) {
    roundedWidth = 2 * std::ceil(roundedWidth / 2);
    roundedHeight = 2 * std::ceil(roundedHeight / 2);
  }
  if (roundedWidth > MaxPictureSide || roundedHeight > MaxPictureSide) {
    throw TExportError("The pictures would be " + SizeText(width, height) +
                       " pixels; at most " + std::to_string(MaxPictureSide) +
                       " on each side can be exported. Choose a smaller width or scale.");
  }
  if (roundedWidth < MinPictureSide || roundedHeight < MinPictureSide) {
    throw TExportError("The pictures would be " + SizeText(width, height) +
                       " pixels; at least " + std::to_string(MinPictureSide) +
                       " on each side are needed. Choose a larger width or scale.");
  }
  return QSize(static_cast<int>(roundedWidth), static_cast<int>(roundedHeight));
}

}  // namespace exporter
