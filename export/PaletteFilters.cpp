#include "export/PaletteFilters.h"


extern "C" {
#include <libavfilter/avfilter.h>
#include <libavfilter/buffersink.h>
#include <libavfilter/buffersrc.h>
}

#include "export/ExportError.h"

namespace exporter {

TFilterGraph::TFilterGraph() : FGraph(avfilter_graph_alloc()) {
  QuietAvLog();
  if (!FGraph) throw TExportError("There is not enough memory to export.");
  // The palette filters run on the exporting thread alone.
  FGraph->nb_threads = 1;
}

TFilterGraph::~TFilterGraph() { avfilter_graph_free(&FGraph); }

AVFilterContext* TFilterGraph::AddFilter(const char* name, const char* label,
                                         const std::string& arguments) {
  const AVFilter* filter = avfilter_get_by_name(name);
  if (!filter) throw TExportError(std::string("The ") + name + " filter is not installed.");
  AVFilterContext* context = nullptr;
  AvCheck(avfilter_graph_create_filter(&context, filter, label,
                                       arguments.empty() ? nullptr : arguments.c_str(), nullptr,
                                       FGraph),
          std::string("Cannot set up the ") + name + " filter");
  return context;
}

void TFilterGraph::Link(AVFilterContext* from, int output, AVFilterContext* to, int input) {
  AvCheck(avfilter_link(from, output, to, input), "Cannot connect the filters");
}

void TFilterGraph::Configure() { AvCheck(avfilter_graph_config(FGraph, nullptr), "Cannot set up the filters"); }

void TFilterGraph::Push(AVFilterContext* source, AVFrame* frame) {
  // Pushed through the filters at once: otherwise a frame waits in the graph until its
  // output is asked for, and a palette gathered over a whole movie would hold every frame.
  AvCheck(av_buffersrc_add_frame_flags(source, frame, AV_BUFFERSRC_FLAG_KEEP_REF | AV_BUFFERSRC_FLAG_PUSH),
          "The filter refused a picture");
}

TFramePtr TFilterGraph::Pull(AVFilterContext* sink) {
  TFramePtr frame = MakeFrame();
  const int result = av_buffersink_get_frame(sink, frame.get());
  if (result == AVERROR(EAGAIN) || result == AVERROR_EOF) return nullptr;
  AvCheck(result, "The filter failed");
  return frame;
}

std::string TFilterGraph::BufferArguments(int width, int height, AVPixelFormat format) {
  return "video_size=" + std::to_string(width) + "x" + std::to_string(height) +
         ":pix_fmt=" + std::to_string(static_cast<int>(format)) + ":time_base=1/100:pixel_aspect=1/1";
}

TPaletteGatherer::TPaletteGatherer(int width, int height) {
  FSource = AddFilter("buffer", "in", BufferArguments(width, height, AV_PIX_FMT_BGRA));
  // Every colour of every frame counts; one entry is kept for "unchanged" (transparent).
  AVFilterContext* gather = AddFilter("palettegen", "palettegen", "stats_mode=full:reserve_transparent=1");
  FSink = AddFilter("buffersink", "out", "");
  Link(FSource, 0, gather, 0);
  Link(gather, 0, FSink, 0);
  Configure();
}

void TPaletteGatherer::Add(const QImage& image) {
  TFramePtr frame = FrameOfImage(image);
  Push(FSource, frame.get());
}

TFramePtr TPaletteGatherer::Palette() {
  Push(FSource, nullptr);
  TFramePtr palette = Pull(FSink);
  if (!palette) throw TExportError("No palette could be made for the pictures.");
  return palette;
}

TPaletteMapper::TPaletteMapper(int width, int height, AVFrame& palette) {
  FSource = AddFilter("buffer", "in", BufferArguments(width, height, AV_PIX_FMT_BGRA));
  AVFilterContext* paletteSource =
      AddFilter("buffer", "palette",
                BufferArguments(palette.width, palette.height, static_cast<AVPixelFormat>(palette.format)));
  AVFilterContext* map = AddFilter("paletteuse", "paletteuse", "dither=bayer:bayer_scale=4:diff_mode=rectangle");
  FSink = AddFilter("buffersink", "out", "");
  Link(FSource, 0, map, 0);
  Link(paletteSource, 0, map, 1);
  Link(map, 0, FSink, 0);
  Configure();
  // The one palette holds for every frame after it.
  palette.pts = 0;
  Push(paletteSource, &palette);
  Push(paletteSource, nullptr);
}

void TPaletteMapper::Add(const QImage& image, int64_t pts) {
  TFramePtr frame = FrameOfImage(image);
  frame->pts = pts;
  Push(FSource, frame.get());
}

void TPaletteMapper::Finish() { Push(FSource, nullptr); }

TFramePtr TPaletteMapper::Next() { return Pull(FSink); }

}  // namespace exporter
