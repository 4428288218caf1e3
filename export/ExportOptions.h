// What an export makes and how: the format (chosen by the target's extension), the picture
// size, loops, quality, and the callbacks that report progress and ask for a stop.
#pragma once

#include <atomic>
#include <functional>
#include <optional>
#include <string>

namespace exporter {

enum class TExportFormat { Mp4, WebM, Gif, WebP, Png, WebPage, CompressedSwf };

// The format of a target file by its extension (any case); nullopt for any other.
std::optional<TExportFormat> FormatOfPath(const std::string& path);
// The extensions offered, for messages: ".mp4, .webm, ...".
std::string KnownExtensions();

// Passes of a looping movie at most.
constexpr int MaxLoops = 100;

struct TExportProgress {
  int FramesDone = 0;
  int FramesTotal = 0;  // of all passes together (a GIF draws every frame twice)
  int Percent() const { return FramesTotal > 0 ? FramesDone * 100 / FramesTotal : 0; }
};

struct TExportOptions {
  // Picture size: the stage times Scale, or Width pixels wide with the stage's proportions.
  double Scale = 1;
  std::optional<int> Width;
  // A picture of exactly this size instead (pixels, both above 0): the stage fitted in it,
  // centred, the background colour around it.
  int FrameWidth = 0;
  int FrameHeight = 0;
  // Passes of a looping movie (a movie that stops plays once whatever this says).
  int Loops = 1;
  // 1 (smallest) to 100 (best); the encoders' own scales are derived from it.
  int Quality = 75;
  // Encoder threads; 0 lets the encoders choose.
  int Threads = 0;
  // The web page's title; the target's base name when empty.
  std::string Title;
  // Called from the exporting thread after each frame.
  std::function<void(const TExportProgress&)> Progress;
  // Set from any thread to stop the export; it then throws TExportCancelled.
  const std::atomic<bool>* Cancel = nullptr;

  bool Cancelled() const { return Cancel && Cancel->load(std::memory_order_relaxed); }
};

}  // namespace exporter
