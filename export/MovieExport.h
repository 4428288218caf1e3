// The export of a movie for sharing: video, animated picture, poster, web page or a
// compressed movie, chosen by the target's extension. The entry point of export/.
//
//   FrameSource     the player's frames and mixed sound, one frame at a time
//   PictureSize     the size of the pictures and its limits
//   VideoExport     MP4 and WebM (VideoStream, AudioStream, MediaFile)
//   AnimationExport GIF (PaletteFilters) and animated WebP
//   WebPage         the page with its video and poster files
//   SwfCompressor   the compressed movie with MP3 sounds (Mp3Encoder)
//   TempTarget      temporary files renamed into place
#pragma once

#include <string>

#include "export/ExportOptions.h"

namespace exporter {

// Exports the SWF movie at moviePath to target. Runs on the calling thread (call it off the
// UI thread); progress and cancel are in options. Throws TExportError with the message to
// show, TExportCancelled after a stop; in both cases no file is left behind and an
// existing target stays as it was.
void ExportMovie(const std::string& moviePath, const std::string& target,
                 const TExportOptions& options);

}  // namespace exporter
