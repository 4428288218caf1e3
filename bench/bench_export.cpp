// Export speed of the birthday card per format. Export/x against EncoderAlone/x of the same
// run (the same encoders and settings fed frames drawn beforehand) says how close an
// export comes to its encoder's pace, DrawThenEncode/x how exports ran before; DrawAlone
// is the drawing an export hides behind the encoder.
// ExportBirthday/x: a multiple of real time (the card's 20 seconds over the time the
// export took) on one encoder thread.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <functional>
#include <fstream>
#include <string>

#include <stdlib.h>

#include <QImage>

#include <vector>

#include "export/AnimationExport.h"
#include "export/FrameSource.h"
#include "export/MediaFile.h"
#include "export/MovieExport.h"
#include "export/PaletteFilters.h"
#include "export/VideoExport.h"
#include "export/VideoStream.h"
#include "export/WebpWriter.h"
#include "platform/SystemPaths.h"
#include "swf/builder/SwfAction.h"
#include "swf/builder/SwfMovie.h"
#include "swf/builder/SwfObject.h"
#include "tools/CardRender.h"

namespace {

constexpr double CardSeconds = 240 / 12.0;

struct TBirthdayMovie {
  std::string Folder;
  std::string Movie;
  TBirthdayMovie() {
    Folder = (std::filesystem::temp_directory_path() / "greetix-bench-XXXXXX").string();
    if (!mkdtemp(Folder.data())) throw std::runtime_error("no temporary folder");
    const std::string source = std::string(GREETIX_SOURCE_DIR);
    TCardRenderOptions options;
    options.CardFile = source + "/template/birthday.grx";
    options.OutputFile = Folder + "/birthday.swf";
    options.Final = true;
    options.Seed = 1;
    options.ProgramFolder = source;
    RenderCardFile(options, nullptr);
    Movie = options.OutputFile;
  }
  ~TBirthdayMovie() {
    std::error_code ignored;
    std::filesystem::remove_all(Folder, ignored);
  }
};

const TBirthdayMovie& Birthday() {
  static const TBirthdayMovie movie;
  return movie;
}

void ExportBirthday(benchmark::State& state, const char* extension, double scale) {
  const TBirthdayMovie& birthday = Birthday();
  exporter::TExportOptions options;
  options.Threads = 1;
  options.Scale = scale;
  const std::string target = birthday.Folder + "/out." + extension;
  for (auto _ : state) exporter::ExportMovie(birthday.Movie, target, options);
  state.counters["x_realtime"] =
      benchmark::Counter(CardSeconds * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
  state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(target));
}

// The birthday movie's frames and sound, drawn once and held, for the encoders alone.
struct TDrawnFrames {
  double Rate = 12;
  bool Loops = true;
  QSize Size;
  std::vector<QImage> Images;
  std::vector<std::vector<int16_t>> Samples;
  TDrawnFrames() {
    exporter::TFrameSource source(Birthday().Movie);
    Rate = source.FrameRate();
    Loops = source.Loops();
    Size = source.StageSize().toSize();
    for (int i = 0; i < source.MovieFrames(); ++i) {
      Samples.emplace_back();
      Images.push_back(source.Next(Size, &Samples.back()));
    }
  }
};

const TDrawnFrames& Drawn() {
  static const TDrawnFrames frames;
  return frames;
}

// Frame i of a pass over the movie (with the samples of its duration when asked), and the
// start of another pass.
struct TFrames {
  std::function<QImage(size_t, std::vector<int16_t>*)> Frame;
  std::function<void()> Again;
};

// The export's encoders with its settings, fed frames one after another on one thread.
void EncodeOnOneThread(const std::string& kind, const std::string& target, const TDrawnFrames& shape,
                       const TFrames& frames) {
  exporter::TExportOptions options;
  const size_t count = shape.Images.size();
  std::vector<int16_t> samples;
  if (kind == "mp4" || kind == "webm") {
    exporter::TVideoWriter writer(target, target,
                                  kind == "mp4" ? exporter::TExportFormat::Mp4 : exporter::TExportFormat::WebM,
                                  shape.Size, shape.Rate, options);
    for (size_t i = 0; i < count; ++i) {
      const QImage image = frames.Frame(i, &samples);
      writer.Add(image, samples);
    }
    writer.Finish();
  } else if (kind == "webp") {
    std::ofstream{target};  // the writer fills a file that exists
    exporter::TWebpWriter file(target, target, shape.Size, options.Quality, 0);
    for (size_t i = 0; i < count; ++i) file.Add(frames.Frame(i, nullptr), 83);
    file.Finish();
  } else {
    // As the GIF export sets it up: a pass for the palette, a pass to map onto it.
    exporter::TPaletteGatherer gatherer(shape.Size.width(), shape.Size.height());
    for (size_t i = 0; i < count; ++i) gatherer.Add(frames.Frame(i, nullptr));
    exporter::TFramePtr palette = gatherer.Palette();
    exporter::TMediaFile file(target, "gif");
    exporter::TVideoSettings settings;
    settings.Codec = "gif";
    settings.PixelFormat = AV_PIX_FMT_PAL8;
    settings.Width = shape.Size.width();
    settings.Height = shape.Size.height();
    settings.TimeBase = AVRational{1, 100};
    settings.FrameRate = av_d2q(shape.Rate, 100000);
    settings.Options = {{"gifflags", "+offsetting+transdiff"}};
    exporter::TVideoStream stream(file, settings);
    exporter::TAvOptions muxerOptions;
    muxerOptions.Set("loop", "0");
    file.Begin(muxerOptions);
    exporter::TPaletteMapper mapper(shape.Size.width(), shape.Size.height(), *palette);
    auto encodeMapped = [&] {
      while (exporter::TFramePtr frame = mapper.Next()) stream.Encode(*frame);
    };
    frames.Again();
    for (size_t i = 0; i < count; ++i) {
      mapper.Add(frames.Frame(i, nullptr), std::llround(i * 100 / shape.Rate));
      encodeMapped();
    }
    mapper.Finish();
    encodeMapped();
    stream.Flush();
    file.Finish();
  }
}

// The encoders fed frames drawn beforehand: the pace an export can at best reach.
void EncoderAlone(benchmark::State& state, const char* extension) {
  const TDrawnFrames& drawn = Drawn();
  const TFrames held{[&drawn](size_t i, std::vector<int16_t>* samples) {
                       if (samples) *samples = drawn.Samples[i];
                       return drawn.Images[i];
                     },
                     [] {}};
  for (auto _ : state) EncodeOnOneThread(extension, Birthday().Folder + "/alone." + extension, drawn, held);
}

// Drawing and encoding taking turns on one thread, a GIF's frames drawn twice: how exports
// ran before they drew beside the encoder.
void DrawThenEncode(benchmark::State& state, const char* extension) {
  const TDrawnFrames& drawn = Drawn();
  for (auto _ : state) {
    exporter::TFrameSource source(Birthday().Movie);
    const TFrames drawing{[&](size_t, std::vector<int16_t>* samples) { return source.Next(drawn.Size, samples); },
                          [&] { source.Restart(); }};
    EncodeOnOneThread(extension, Birthday().Folder + "/turns." + extension, drawn, drawing);
  }
}

// Drawing and mixing alone, as an export does it.
void DrawAlone(benchmark::State& state) {
  const TDrawnFrames& drawn = Drawn();
  for (auto _ : state) {
    exporter::TFrameSource source(Birthday().Movie);
    std::vector<int16_t> samples;
    for (size_t i = 0; i < drawn.Images.size(); ++i) benchmark::DoNotOptimize(source.Next(drawn.Size, &samples));
  }
}

// The export as users run it: encoder threads as the encoders choose.
void Export(benchmark::State& state, const char* extension) {
  const std::string target = Birthday().Folder + "/out." + extension;
  for (auto _ : state) exporter::ExportMovie(Birthday().Movie, target, {});
}

}  // namespace

BENCHMARK(DrawAlone)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
// Compare Export/x and DrawThenEncode/x with EncoderAlone/x of the same run.
BENCHMARK_CAPTURE(EncoderAlone, mp4, "mp4")->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK_CAPTURE(Export, mp4, "mp4")->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK_CAPTURE(DrawThenEncode, mp4, "mp4")->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK_CAPTURE(EncoderAlone, webm, "webm")->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK_CAPTURE(Export, webm, "webm")->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK_CAPTURE(DrawThenEncode, webm, "webm")->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK_CAPTURE(EncoderAlone, gif, "gif")->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK_CAPTURE(Export, gif, "gif")->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK_CAPTURE(DrawThenEncode, gif, "gif")->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK_CAPTURE(EncoderAlone, webp, "webp")->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK_CAPTURE(Export, webp, "webp")->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK_CAPTURE(DrawThenEncode, webp, "webp")->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

BENCHMARK_CAPTURE(ExportBirthday, mp4, "mp4", 1.0)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);
BENCHMARK_CAPTURE(ExportBirthday, mp4_scale2, "mp4", 2.0)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK_CAPTURE(ExportBirthday, webm, "webm", 1.0)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);
BENCHMARK_CAPTURE(ExportBirthday, gif, "gif", 1.0)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);
BENCHMARK_CAPTURE(ExportBirthday, webp, "webp", 1.0)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);
BENCHMARK_CAPTURE(ExportBirthday, png, "png", 1.0)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);
BENCHMARK_CAPTURE(ExportBirthday, html, "html", 1.0)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK_CAPTURE(ExportBirthday, swf, "swf", 1.0)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);
