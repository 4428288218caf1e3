// Render time and movie size of a card of 50 texts with mixed effects, rendered as the
// command line does (settling passes included) into a real movie.
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

const char* const Effects[] = {"-- None --", "Come In", "Fade",    "Heart Beat", "Kerning",
                               "Move",       "Radiation", "Rainbow", "Roll In",    "Rotate"};
const int Lengths[] = {24, 24, 24, 24, 24, 239, 24, 24, 239, 49};

std::string FiftyTextCard()
{
  std::string xml = "<?xml version=\"1.0\"?>\n<Movie><BgColor>16777215</BgColor><BgPic></BgPic><Width>420</Width>"
                    "<Height>180</Height><Rate>15</Rate><TotalFrames>250</TotalFrames><Times>0</Times>"
                    "<FileSize>0</FileSize><MovieName></MovieName><Author></Author><Loop>false</Loop>";
  for (int i = 0; i < 50; ++i) {
    const int effect = i % 10;
    const int start = (i * 5) % 60;
    xml += "<Obj><ObjName>Text" + std::to_string(i + 1) + "</ObjName><StartTime>" + std::to_string(start) +
           "</StartTime><EndTime>" + std::to_string(start + Lengths[effect]) +
           "</EndTime><Layer>2</Layer><ObjTypeName>Text</ObjTypeName><ObjType><ObjText><Content>Happy day " +
           std::to_string(i + 1) + "</Content><TextUnit>1</TextUnit><FontName>DejaVu Sans</FontName><FontSize>" +
           std::to_string(12 + (i % 4) * 6) + "</FontSize><FontColor>" + std::to_string(0x1000 * i) +
           "</FontColor><PositionX>" + std::to_string((i * 37) % 300) + "</PositionX><PositionY>" +
           std::to_string((i * 23) % 150) + "</PositionY><EffectName>" + Effects[effect] +
           "</EffectName><EffectValue></EffectValue></ObjText></ObjType></Obj>";
  }
  return xml + "</Movie>";
}

void RenderFiftyTexts(benchmark::State& state)
{
  std::string folder = (std::filesystem::temp_directory_path() / "greetix-bench-XXXXXX").string();
  if (!mkdtemp(folder.data())) {
    state.SkipWithError("no temporary folder");
    return;
  }
  TCardRenderOptions options;
  options.CardFile = folder + "/fifty.grx";
  options.OutputFile = folder + "/fifty.swf";
  options.Final = true;
  options.Seed = 1;
  std::ofstream(options.CardFile) << FiftyTextCard();

  TCardRenderResult result;
  for (auto _ : state) {
    result = RenderCardFile(options, nullptr);
  }
  state.counters["passes"] = result.Passes;
  state.counters["frames"] = result.FrameCount;
  state.counters["file_bytes"] = static_cast<double>(std::filesystem::file_size(options.OutputFile));
  std::filesystem::remove_all(folder);
}

} // namespace

BENCHMARK(RenderFiftyTexts)->Unit(benchmark::kMillisecond);
