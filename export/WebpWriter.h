// An animated WebP written frame by frame: each frame is encoded on its own (lossy) and
// goes to the file at once as the rectangle that changed, a frame equal to the one before
// lengthens it, and the file's size is filled in at the end. Memory holds the frame before
// and one encoded frame, however long the animation.
#pragma once

#include <QImage>
#include <QSize>

#include <cstdint>
#include <memory>
#include <string>

#include "export/FileWriter.h"

namespace exporter {

class TWebpWriter {
 public:
  // loops: 0 plays for ever, 1 once. quality: 1..100. Throws TExportError.
  TWebpWriter(const std::string& path, const std::string& shownName, const QSize& size, int quality, int loops);
  ~TWebpWriter();

  // An opaque RGB32 picture of the animation's size shown for durationMs milliseconds.
  void Add(const QImage& frame, int durationMs);
  // Writes the last frame and the sizes; throws TExportError.
  void Finish();

 private:
  struct TRect {
    int X = 0, Y = 0, Width = 0, Height = 0;
  };
  TRect ChangedRect(const QImage& frame) const;
  std::string Encode(const QImage& frame, const TRect& rect) const;
  void WritePending();

  TFileWriter FFile;
  QSize FSize;
  int FQuality;
  QImage FPrevious;        // the picture the frames so far leave on the canvas
  std::string FPending;    // the last frame's ANMF payload after its 16-byte header
  TRect FPendingRect;
  int64_t FPendingDuration = 0;
  int FFramesWritten = 0;
};

}  // namespace exporter
