// MP4 (H.264 + AAC, ready to play while it downloads) and WebM (VP9 + Opus) from the
// frames and the sound of a movie.
#pragma once

#include <QImage>
#include <QSize>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "export/ExportOptions.h"
#include "export/FrameSource.h"
#include "export/ProgressCounter.h"

namespace exporter {

class TMediaFile;
class TVideoStream;
class TAudioStream;

// The file and encoders of one video, fed a frame and its sound at a time.
class TVideoWriter {
 public:
  TVideoWriter(const std::string& path, const std::string& shownName, TExportFormat format,
               const QSize& size, double rate, const TExportOptions& options);
  ~TVideoWriter();
  // An opaque RGB32 picture of the video's size and the stereo samples of its duration.
  void Add(const QImage& image, const std::vector<int16_t>& stereo);
  void Finish();

 private:
  std::unique_ptr<TMediaFile> FFile;
  std::unique_ptr<TVideoStream> FVideo;
  std::unique_ptr<TAudioStream> FAudio;
  int64_t FFrames = 0;
};

// Writes `source` (from its frame 0) to path as Mp4 or WebM, in frames of `size`; messages
// name the file shownName. The frames are drawn while the encoders work on a thread of
// their own.
void WriteVideo(TFrameSource& source, const std::string& path, const std::string& shownName, TExportFormat format,
                const QSize& size, const TExportOptions& options, TProgressCounter& progress);

}  // namespace exporter
