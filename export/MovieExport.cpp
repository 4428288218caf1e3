#include "export/MovieExport.h"

#include "export/AnimationExport.h"
#include "export/ExportError.h"
#include "export/FileWriter.h"
#include "export/FrameSource.h"
#include "export/PictureSize.h"
#include "export/ProgressCounter.h"
#include "export/TempTarget.h"
#include "export/SwfCompressor.h"
#include "export/VideoExport.h"
#include "export/WebPage.h"

namespace exporter {

namespace {

void WritePng(TFrameSource& source, const std::string& path, const std::string& shownName, const QSize& size,
              TProgressCounter& progress) {
  WritePngFile(source.Poster(size), path, shownName);
  progress.Step();
}

void CheckLoops(const TExportOptions& options) {
  if (options.Loops < 1 || options.Loops > MaxLoops) {
    throw TExportError("The number of loops must be 1 to " + std::to_string(MaxLoops) + ".");
  }
}

}  // namespace

void ExportMovie(const std::string& moviePath, const std::string& target,
                 const TExportOptions& options) {
  const std::optional<TExportFormat> format = FormatOfPath(target);
  if (!format) {
    throw TExportError("\"" + target + "\" has no known extension: use " + KnownExtensions() + ".");
  }
  CheckLoops(options);
  if (*format == TExportFormat::CompressedSwf) {
    TTempTarget file(target);
    CompressMovie(moviePath, file.Path(), file.Target(), options);
    file.Commit();
    return;
  }
  TFrameSource source(moviePath);
  if (*format == TExportFormat::WebPage) {
    WriteWebPage(source, target, options);
    return;
  }
  const bool video = *format == TExportFormat::Mp4 || *format == TExportFormat::WebM;
  const QSize size = PictureSize(source.StageSize(), options, video);
  TTempTarget file(target);
  switch (*format) {
    case TExportFormat::Mp4:
    case TExportFormat::WebM: {
      TProgressCounter progress(options, source.FramesFor(options.Loops));
      WriteVideo(source, file.Path(), file.Target(), *format, size, options, progress);
      break;
    }
    case TExportFormat::Gif: {
      TProgressCounter progress(options, 2 * AnimationFrames(source));
      WriteGif(source, file.Path(), file.Target(), size, progress);
      break;
    }
    case TExportFormat::WebP: {
      TProgressCounter progress(options, AnimationFrames(source));
      WriteWebp(source, file.Path(), file.Target(), size, options, progress);
      break;
    }
    default: {
      TProgressCounter progress(options, 1);
      WritePng(source, file.Path(), file.Target(), size, progress);
      break;
    }
  }
  if (options.Cancelled()) throw TExportCancelled();
  file.Commit();
}

}  // namespace exporter
