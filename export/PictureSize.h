// The size of the exported pictures: the stage scaled (or fitted to a width), checked
// against the limits of the formats, and made even where the video's colour planes ask.
#pragma once

#include <QSize>
#include <QSizeF>

#include "export/ExportOptions.h"

namespace exporter {

// Smaller pictures than this on a side are refused (a 1 × 1 video plays nowhere), larger
// ones too (players and memory).
constexpr int MinPictureSide = 16;
constexpr int MaxPictureSide = 4096;
constexpr double MaxScale = 16;

// Throws TExportError with a message naming the size and what to change.
QSize PictureSize(const QSizeF& stage, const TExportOptions& options, bool evenSides);

}  // namespace exporter
