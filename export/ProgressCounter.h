// Counts the frames an export has drawn, tells the caller, and stops the export when the
// caller asked for it.
#pragma once

#include "export/ExportError.h"
#include "export/ExportOptions.h"

namespace exporter {

class TProgressCounter {
 public:
  TProgressCounter(const TExportOptions& options, int framesTotal) : FOptions(options) {
    FProgress.FramesTotal = framesTotal;
  }
  // Throws TExportCancelled when a stop was asked for.
  void CheckCancel() const {
    if (FOptions.Cancelled()) throw TExportCancelled();
  }
  void Step() {
    CheckCancel();
    ++FProgress.FramesDone;
    if (FOptions.Progress) FOptions.Progress(FProgress);
  }
  const TExportProgress& Progress() const { return FProgress; }

 private:
  const TExportOptions& FOptions;
  TExportProgress FProgress;
};

}  // namespace exporter
