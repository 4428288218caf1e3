// A 200-letter text with a per-letter entrance: the card's render time, the movie's bytes
// per letter and frame, and the frames per second the player draws the preview at.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>

#include <filesystem>
#include <fstream>
#include <string>

#include <stdlib.h>

#include "player/MoviePlayer.h"
#include "tools/CardRender.h"

namespace {

constexpr int Letters = 200;
constexpr int Frames = 120;

std::string LetterCard(const std::string& effect)
{
  std::string text;
  const std::string line = "Happy birthday dear friend, many happy returns ";
  while (text.size() < Letters) text += line;
  text.resize(Letters);
  // Four lines of fifty letters.
  for (int i = 50; i < Letters; i += 51) text.insert(static_cast<std::size_t>(i), "\n");
  return "<?xml version=\"1.0\"?>\n<Movie><BgColor>16777215</BgColor><BgPic></BgPic><Width>640</Width>"
         "<Height>480</Height><Rate>15</Rate><TotalFrames>" + std::to_string(Frames) +
         "</TotalFrames><Times>0</Times><FileSize>0</FileSize><MovieName></MovieName><Author></Author>"
         "<Loop>true</Loop><Obj><ObjName>Text1</ObjName><StartTime>0</StartTime><EndTime>" +
         std::to_string(Frames - 1) +
         "</EndTime><Layer>2</Layer><ObjTypeName>Text</ObjTypeName><ObjType><ObjText><Content>" + text +
         "</Content><TextUnit>1</TextUnit><FontName>DejaVu Sans</FontName><FontSize>14</FontSize>"
         "<FontColor>255</FontColor><PositionX>10</PositionX><PositionY>40</PositionY><EffectName>" + effect +
         "</EffectName><EffectValue></EffectValue></ObjText></ObjType></Obj></Movie>";
}

struct TCardFolder {
  std::string Path;
  TCardFolder()
  {
    Path = (std::filesystem::temp_directory_path() / "greetix-bench-XXXXXX").string();
    if (!mkdtemp(Path.data())) Path.clear();
  }
  ~TCardFolder()
  {
    if (!Path.empty()) std::filesystem::remove_all(Path);
  }
};

void RenderLetterEntrance(benchmark::State& state, const std::string& effect)
{
  TCardFolder folder;
  if (folder.Path.empty()) return state.SkipWithError("no temporary folder");
  TCardRenderOptions options;
  options.CardFile = folder.Path + "/letters.grx";
  options.OutputFile = folder.Path + "/letters.swf";
  std::ofstream(options.CardFile) << LetterCard(effect);
  TCardRenderResult result;
  for (auto _ : state) result = RenderCardFile(options, nullptr);
  const double bytes = static_cast<double>(std::filesystem::file_size(options.OutputFile));
  state.counters["file_bytes"] = bytes;
  state.counters["bytes_per_letter_frame"] = bytes / (Letters * result.FrameCount);
  state.counters["frames"] = result.FrameCount;
}

void PreviewLetterEntrance(benchmark::State& state, const std::string& effect)
{
  TCardFolder folder;
  if (folder.Path.empty()) return state.SkipWithError("no temporary folder");
  TCardRenderOptions options;
  options.CardFile = folder.Path + "/letters.grx";
  options.OutputFile = folder.Path + "/letters.swf";
  std::ofstream(options.CardFile) << LetterCard(effect);
  RenderCardFile(options, nullptr);
  player::TMoviePlayer player;
  player.LoadFile(options.OutputFile);
  QImage image(640, 480, QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    QPainter painter(&image);
    player.Render(painter, image.rect());
    painter.end();
    player.Tick();
    benchmark::DoNotOptimize(image.constBits());
  }
  state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

} // namespace

BENCHMARK_CAPTURE(RenderLetterEntrance, PopInLetters, "Pop In Letters")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RenderLetterEntrance, ScatterIn, "Scatter In")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PreviewLetterEntrance, PopInLetters, "Pop In Letters")->Unit(benchmark::kMillisecond);
