// Card files for the command line tests, written into a scratch folder.
#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <stdlib.h>

class TScratch {
public:
  TScratch()
  {
    std::string pattern = (std::filesystem::temp_directory_path() / "greetix-tools-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    Folder = pattern;
  }
  ~TScratch()
  {
    std::error_code ec;
    std::filesystem::remove_all(Folder, ec);
  }
  std::string File(const std::string& name) const { return (Folder / name).string(); }

private:
  std::filesystem::path Folder;
};

inline std::string ReadAll(const std::string& path)
{
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

inline void WriteAll(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

struct TCardText {
  std::string Effect;
  int Start, End, X, Y;
  std::string Content = "Hi";
  int FontSize = 18;
  std::string Colour = "16711680"; // blue
};

inline std::string CardXml(const std::vector<TCardText>& texts, int totalFrames, bool loop = false, int width = 640,
                           int height = 480)
{
  std::string xml = "<?xml version=\"1.0\"?>\n<Movie><BgColor>16777215</BgColor><BgPic></BgPic><Width>" +
                    std::to_string(width) + "</Width><Height>" + std::to_string(height) +
                    "</Height><Rate>15</Rate><TotalFrames>" + std::to_string(totalFrames) +
                    "</TotalFrames><Times>0</Times><FileSize>0</FileSize><MovieName></MovieName><Author></Author><Loop>" +
                    (loop ? "true" : "false") + "</Loop>";
  int n = 0;
  for (const auto& t : texts) {
    xml += "<Obj><ObjName>Text" + std::to_string(++n) + "</ObjName><StartTime>" + std::to_string(t.Start) +
           "</StartTime><EndTime>" + std::to_string(t.End) +
           "</EndTime><Layer>2</Layer><ObjTypeName>Text</ObjTypeName><ObjType><ObjText><Content>" + t.Content +
           "</Content><TextUnit>1</TextUnit><FontName>DejaVu Sans</FontName><FontSize>" + std::to_string(t.FontSize) +
           "</FontSize><FontColor>" + t.Colour + "</FontColor><PositionX>" + std::to_string(t.X) +
           "</PositionX><PositionY>" + std::to_string(t.Y) + "</PositionY><EffectName>" + t.Effect +
           "</EffectName><EffectValue></EffectValue></ObjText></ObjType></Obj>";
  }
  return xml + "</Movie>";
}
