// One palette for a whole animation: libavfilter's palettegen gathers the colours of every
// frame, and paletteuse maps each frame onto that palette (ordered dithering, whose pattern
// stays put where a picture does not change; only the rectangle that changed is redrawn).
#pragma once

#include <QImage>

#include "export/AvSupport.h"

struct AVFilterGraph;
struct AVFilterContext;

namespace exporter {

class TFilterGraph {
 public:
  TFilterGraph();
  ~TFilterGraph();
  TFilterGraph(const TFilterGraph&) = delete;
  TFilterGraph& operator=(const TFilterGraph&) = delete;

 protected:
  AVFilterContext* AddFilter(const char* name, const char* label, const std::string& arguments);
  void Link(AVFilterContext* from, int output, AVFilterContext* to, int input);
  void Configure();
  static void Push(AVFilterContext* source, AVFrame* frame);  // null: the end of the input
  // The next frame out of a sink, or null when there is none yet (or no more).
  static TFramePtr Pull(AVFilterContext* sink);
  static std::string BufferArguments(int width, int height, AVPixelFormat format);

  AVFilterGraph* FGraph = nullptr;
};

// Gathers the colours of every frame; Palette() gives the 256 colours at the end.
class TPaletteGatherer : public TFilterGraph {
 public:
  TPaletteGatherer(int width, int height);
  void Add(const QImage& image);
  TFramePtr Palette();

 private:
  AVFilterContext* FSource = nullptr;
  AVFilterContext* FSink = nullptr;
};

// Maps frames onto the palette; the frames come out in order as palette-indexed frames.
class TPaletteMapper : public TFilterGraph {
 public:
  TPaletteMapper(int width, int height, AVFrame& palette);
  void Add(const QImage& image, int64_t pts);
  void Finish();
  TFramePtr Next();

 private:
  AVFilterContext* FSource = nullptr;
  AVFilterContext* FSink = nullptr;
};

}  // namespace exporter
