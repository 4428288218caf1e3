// How render time grows with the card: letters of one letter-by-letter text over 48 frames,
// and plain texts one after the other. Both should grow in a straight line; the reported
// complexity coefficient is the time per letter and per object.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <stdlib.h>

#include "swf/builder/SwfAction.h"
#include "swf/builder/SwfMovie.h"
#include "swf/builder/SwfObject.h"
#include "tools/CardRender.h"

namespace {

std::string CardHead(int frames)
{
  return "<?xml version=\"1.0\"?>\n<Movie><BgColor>16777215</BgColor><BgPic></BgPic><Width>640</Width>"
         "<Height>480</Height><Rate>12</Rate><TotalFrames>" +
         std::to_string(frames) +
         "</TotalFrames><Times>0</Times><FileSize>0</FileSize><MovieName></MovieName><Author></Author>"
         "<Loop>true</Loop>";
}

std::string TextXml(int number, const std::string& content, const std::string& effect, int end)
{
  return "<Obj><ObjName>Text" + std::to_string(number) + "</ObjName><StartTime>0</StartTime><EndTime>" +
         std::to_string(end) +
         "</EndTime><Layer>2</Layer><ObjTypeName>Text</ObjTypeName><ObjType><ObjText><Content>" + content +
         "</Content><TextUnit>1</TextUnit><FontName>DejaVu Sans</FontName><FontSize>12</FontSize>"
         "<FontColor>255</FontColor><PositionX>" +
         std::to_string(number % 600) + "</PositionX><PositionY>" + std::to_string(number % 450) +
         "</PositionY><EffectName>" + effect + "</EffectName><EffectValue></EffectValue></ObjText></ObjType></Obj>";
}

std::string LetterCard(int letters)
{
  std::string content;
  for (int i = 0; i < letters; ++i) content += static_cast<char>('a' + i % 26);
  return CardHead(48) + TextXml(1, content, "Rainbow", 47) + "</Movie>";
}

std::string ObjectCard(int objects)
{
  std::string xml = CardHead(48);
  for (int i = 1; i <= objects; ++i) xml += TextXml(i, "Hi", "-- None --", 47);
  return xml + "</Movie>";
}

void RenderCard(benchmark::State& state, const std::string& cardXml)
{
  std::string folder = (std::filesystem::temp_directory_path() / "greetix-bench-XXXXXX").string();
  if (!mkdtemp(folder.data())) {
    state.SkipWithError("no temporary folder");
    return;
  }
  TCardRenderOptions options;
  options.CardFile = folder + "/card.grx";
  options.OutputFile = folder + "/card.swf";
  options.Seed = 1;
  std::ofstream(options.CardFile) << cardXml;
  TCardRenderResult result;
  for (auto _ : state) {
    result = RenderCardFile(options, nullptr);
  }
  state.SetComplexityN(state.range(0));
  state.counters["passes"] = result.Passes;
  state.counters["file_bytes"] = static_cast<double>(std::filesystem::file_size(options.OutputFile));
  std::filesystem::remove_all(folder);
}

void RenderLetters(benchmark::State& state) { RenderCard(state, LetterCard(static_cast<int>(state.range(0)))); }
void RenderObjects(benchmark::State& state) { RenderCard(state, ObjectCard(static_cast<int>(state.range(0)))); }

} // namespace

BENCHMARK(RenderLetters)->RangeMultiplier(2)->Range(512, 4096)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
BENCHMARK(RenderObjects)->RangeMultiplier(2)->Range(1000, 8000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
