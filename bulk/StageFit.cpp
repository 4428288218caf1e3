#include "bulk/StageFit.h"

#include <stdexcept>

#include "document/XMLUnit.h"
#include "render/FlashText.h"
#include "render/RenderContext.h"
#include "swf/builder/TextShape.h"
#include "swf/format/SwfBitReader.h"

namespace {

// The movie of a dry render: the effects' frame steps go nowhere.
class TNoMovie : public swf::ISwfMovie {
public:
  void SetSize(int, int) override {}
  void SetFrameRate(int) override {}
  void SetFrameBkColor(int, int, int) override {}
  void GotoFrame(double) override {}
  void AddObject(swf::ISwfObject&) override {}
  void RemoveObject(swf::ISwfObject&) override {}
  void AddAction(swf::ISwfAction&) override {}
  void WriteMovie(const std::string&) override {}
};

class TNoAction : public swf::ISwfAction {
public:
  void MakeActionStop() override {}
};

class TFixedPreview : public IPreviewInfo {
public:
  int Frames = 0;
  int TotalFrames() const override { return Frames; }
  int CurrentFrame() const override { return 0; }
};

// Notes where each text shape is made: every effect makes its shapes at the place they
// come to rest and moves them with placements from there.
class TTextBoxes : public swf::ISwfObject {
public:
  void MakeTextSimple(const std::string& fontName, const std::string& text, double x, double y,
                      double height) override
  {
    const swf::TRect bounds = Bounds(fontName, text, height);
    if (bounds.XMin == bounds.XMax || bounds.YMin == bounds.YMax) return;
    Boxes.push_back({bounds.XMin + x, bounds.YMin + y, bounds.XMax + x, bounds.YMax + y});
  }
  void MakePicture(int, int, int, int, int, int, const std::string&) override {}
  void MakeSound(const std::string&) override {}
  void SetSolidFill(int, int, int, double) override {}
  void Scale(double, double) override {}
  void Rotate(int) override {}
  void Translate(double, double) override {}

  struct TBox {
    double Left, Top, Right, Bottom; // twips
  };
  std::vector<TBox> Boxes;

private:
  // The letters of the letter effects come again and again: each is shaped once.
  swf::TRect Bounds(const std::string& fontName, const std::string& text, double height)
  {
    const auto key = std::make_tuple(fontName, text, height);
    if (const auto found = Known.find(key); found != Known.end()) return found->second;
    if (Known.size() > 4096) Known.clear();
    const std::vector<std::uint8_t> body = swf::TextShapeBody(fontName, text, height);
    swf::TSwfBitReader reader(body.data(), body.size());
    return Known[key] = reader.Rect();
  }

  std::map<std::tuple<std::string, std::string, double>, swf::TRect> Known;
};

} // namespace

struct TStageFit::TState {
  TXMLCardDocument Document;
  TNoMovie Movie;
  TNoAction Action;
  TTextBoxes Texts;
  TFixedPreview Preview;
  TRenderContext Context;
  std::vector<int> TextsWithFields; // object indexes
  double StageWidth = 0, StageHeight = 0; // twips
};

TStageFit::TStageFit(const std::string& cardFile) : State(std::make_unique<TState>())
{
  TState& state = *State;
  try {
    state.Document.SetFileName(cardFile);
    TXMLMovie movie = BindMovie(state.Document);
    state.StageWidth = 20.0 * movie.Width();
    state.StageHeight = 20.0 * movie.Height();
    state.Preview.Frames = movie.TotalFrames();
    const TXMLObjList objects = movie.Obj();
    for (int i = 0; i < objects.Count(); ++i) {
      const TXMLObj object = objects.Item(i);
      if (object.ObjTypeName() == "Text" && !FieldNames(object.ObjType().ObjText().Content()).empty())
        state.TextsWithFields.push_back(i);
    }
    state.Context.XMLMovie = movie;
  } catch (const std::exception& error) {
    throw std::runtime_error("card \"" + cardFile + "\": " + error.what());
  }
  state.Context.Document = &state.Document;
  state.Context.SwfMovie = &state.Movie;
  state.Context.SwfObject = &state.Texts;
  state.Context.SwfAction = &state.Action;
  state.Context.Preview = &state.Preview;
}

TStageFit::~TStageFit() = default;

std::vector<std::string> TStageFit::TextsOffStage(const TFieldValues& values)
{
  TState& state = *State;
  state.Context.FieldValues = &values;
  std::vector<std::string> off;
  for (int index : state.TextsWithFields) {
    state.Texts.Boxes.clear();
    state.Context.Budget.Reset();
    TFlashText text(state.Context);
    try {
      text.Render(index);
    } catch (const std::exception&) {
      // A text the render refuses is told by the render itself.
      continue;
    }
    for (const TTextBoxes::TBox& box : state.Texts.Boxes) {
      if (box.Left < 0 || box.Top < 0 || box.Right > state.StageWidth || box.Bottom > state.StageHeight) {
        off.push_back(text.Content);
        break;
      }
    }
  }
  state.Context.FieldValues = nullptr;
  return off;
}
