// A card document in a temporary folder, a recording builder and plain stand-ins for the
// preview, the library and the text panel, wired into one render context.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "RecordingBuilder.h"
#include "document/XMLUnit.h"
#include "render/EditorInterfaces.h"
#include "render/RenderContext.h"
#include "render/TextPanel.h"
#include "support/TestFolder.h"

class TScratchFolder : public TTestFolder {
public:
  TScratchFolder() : TTestFolder("greetix-render-") {}
};

struct TFakePreview : IPreviewInfo {
  int Total = 0;
  int Current = 0;
  int TotalFrames() const override { return Total; }
  int CurrentFrame() const override { return Current; }
};

struct TFakeLibrary : ILibraryView {
  std::optional<std::string> Selected;
  std::vector<std::string> Nodes;
  int SelectLastCalls = 0;
  std::optional<std::string> SelectedCaption() const override { return Selected; }
  void AddRootNode(const std::string& caption) override { Nodes.push_back(caption); }
  void SelectLastNode() override
  {
    ++SelectLastCalls;
    if (!Nodes.empty()) Selected = Nodes.back();
  }
};

struct TFakeTextPanel : ITextPanel {
  std::vector<std::string> Lists[3] = {
      {"Arial", "DejaVu Sans", "MS Sans Serif"},
      {"8", "9", "10", "11", "12", "14", "16", "18", "20", "22", "24", "26", "28", "36", "48", "72"},
      {"-- None --", "Come In", "Fade", "Heart Beat", "Kerning", "Move", "Radiation", "Rainbow", "Roll In", "Rotate"}};
  int Index[3] = {-1, -1, -1};
  std::string Text;
  int Begin = 1, End = 0, X = 0, Y = 0;
  std::uint32_t Colour = 0;
  bool Updating = false;
  std::vector<bool> UpdatingChanges;

  void SetUpdating(bool updating) override
  {
    Updating = updating;
    UpdatingChanges.push_back(updating);
  }
  std::string Content() const override { return Text; }
  void SetContent(const std::string& text) override { Text = text; }
  int EditBegin() const override { return Begin; }
  void SetEditBegin(int frame) override { Begin = frame; }
  int EditEnd() const override { return End; }
  void SetEditEnd(int frame) override { End = frame; }
  std::uint32_t FontColor() const override { return Colour; }
  void SetFontColor(std::uint32_t colour) override { Colour = colour; }
  int PositionX() const override { return X; }
  void SetPositionX(int pixels) override { X = pixels; }
  int PositionY() const override { return Y; }
  void SetPositionY(int pixels) override { Y = pixels; }
  std::vector<std::string> Items(TTextPanelList list) const override { return Lists[int(list)]; }
  int ItemIndex(TTextPanelList list) const override { return Index[int(list)]; }
  void SetItemIndex(TTextPanelList list, int index) override { Index[int(list)] = index; }
};

// One text object as the card file holds it.
struct TTextSpec {
  std::string Name = "Text1";
  int Start = 0;
  int End = 24;
  std::string Content = "Hi";
  std::string Effect = "-- None --";
  int FontSize = 18;
  int X = 50;
  int Y = 50;
  std::string Colour = "16711680";
  int Unit = 1;
  std::string Kind = "Text";
};

inline std::string Escape(const std::string& text)
{
  std::string out;
  for (char c : text) {
    if (c == '<') out += "&lt;";
    else if (c == '&') out += "&amp;";
    else if (c == '>') out += "&gt;";
    else out += c;
  }
  return out;
}

// A sound object of the card document, starting at frame `start`.
inline std::string SoundObjXml(const std::string& name, const std::string& content, int start = 0)
{
  return "<Obj><ObjName>" + name + "</ObjName><StartTime>" + std::to_string(start) +
         "</StartTime><EndTime>1</EndTime><Layer>2</Layer><ObjTypeName>Sound</ObjTypeName><ObjType><ObjSound>"
         "<Content>" + Escape(content) + "</Content></ObjSound></ObjType></Obj>";
}

inline std::string TextObjXml(const TTextSpec& t)
{
  return "<Obj><ObjName>" + t.Name + "</ObjName><StartTime>" + std::to_string(t.Start) + "</StartTime><EndTime>" +
         std::to_string(t.End) + "</EndTime><Layer>2</Layer><ObjTypeName>" + t.Kind +
         "</ObjTypeName><ObjType><ObjText><Content>" + Escape(t.Content) + "</Content><TextUnit>" +
         std::to_string(t.Unit) + "</TextUnit><FontName>DejaVu Sans</FontName><FontSize>" +
         std::to_string(t.FontSize) + "</FontSize><FontColor>" + t.Colour + "</FontColor><PositionX>" +
         std::to_string(t.X) + "</PositionX><PositionY>" + std::to_string(t.Y) + "</PositionY><EffectName>" +
         t.Effect + "</EffectName><EffectValue></EffectValue></ObjText></ObjType></Obj>";
}

inline std::string MovieXml(const std::string& objects, const std::string& settings = "")
{
  const std::string movie = settings.empty()
                                ? "<BgColor>16777215</BgColor><BgPic></BgPic><Width>420</Width><Height>180</Height>"
                                  "<Rate>15</Rate><TotalFrames>100</TotalFrames><Times>0</Times><FileSize>0</FileSize>"
                                  "<MovieName></MovieName><Author></Author><Loop>false</Loop>"
                                : settings;
  return "<?xml version=\"1.0\"?>\n<Movie>" + movie + objects + "</Movie>";
}

// A render context over a card document loaded from a file in a scratch folder.
class TRenderFixture {
public:
  explicit TRenderFixture(const std::string& objectsXml = "")
  {
    Ctx.SwfMovie = &Builder.Movie;
    Ctx.SwfObject = &Builder.Object;
    Ctx.SwfAction = &Builder.Action;
    Ctx.Preview = &Preview;
    Ctx.Library = &Library;
    Ctx.TextPanel = &Panel;
    LoadCard(MovieXml(objectsXml));
  }

  void LoadCard(const std::string& xml)
  {
    WriteWholeFile(CardFile(), xml);
    Document = std::make_unique<TXMLCardDocument>(CardFile());
    Ctx.Document = Document.get();
    Ctx.XMLMovie = BindMovie(*Document);
  }

  std::string CardFile() const { return Scratch.File("card.grx"); }

  TScratchFolder Scratch;
  TRecordingBuilder Builder;
  TFakePreview Preview;
  TFakeLibrary Library;
  TFakeTextPanel Panel;
  std::unique_ptr<TXMLCardDocument> Document;
  TRenderContext Ctx;
};
