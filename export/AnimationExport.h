// Animated pictures for chats and mail: a GIF with one palette for the whole movie, and a
// lossy animated WebP. Both loop forever when the movie loops and play once when it stops.
#pragma once

#include <string>

#include "export/ExportOptions.h"
#include "export/FrameSource.h"
#include "export/ProgressCounter.h"

namespace exporter {

// Both hold a few frames at a time, however long the movie, and draw the next frames while
// the encoder works; messages name the file shownName.
// A GIF's frames are drawn once and kept compressed in a temporary file until the palette
// of them all is known (drawn twice when they would take more than 256 MB there).
void WriteGif(TFrameSource& source, const std::string& path, const std::string& shownName, const QSize& size,
              TProgressCounter& progress);
void WriteWebp(TFrameSource& source, const std::string& path, const std::string& shownName, const QSize& size,
               const TExportOptions& options, TProgressCounter& progress);

// Frames a GIF or WebP of the source holds (always one pass: the file loops by itself).
inline int AnimationFrames(const TFrameSource& source) { return source.MovieFrames(); }

}  // namespace exporter
