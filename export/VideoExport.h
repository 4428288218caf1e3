// MP4 (H.264 + AAC, ready to play while it downloads) and WebM (VP9 + Opus) from the
// frames and the sound of a movie.
#pragma once

#include <string>

#include "export/ExportOptions.h"
#include "export/FrameSource.h"
#include "export/ProgressCounter.h"

namespace exporter {

// Writes `source` (from its frame 0) to path as Mp4 or WebM, in frames of `size`; messages
// name the file shownName.
void WriteVideo(TFrameSource& source, const std::string& path, const std::string& shownName, TExportFormat format,
                const QSize& size, const TExportOptions& options, TProgressCounter& progress);

}  // namespace exporter
