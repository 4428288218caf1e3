// Picture objects in a card document, a picture panel stand-in and a render fixture that
// examines with the real picture examiner into a scratch folder.
#pragma once

#include <string>
#include <vector>

#include "PictureFiles.h"
#include "RenderFixture.h"
#include "render/Pic.h"
#include "render/PicturePanel.h"

struct TFakePicturePanel : IPicturePanel {
  std::vector<std::string> Names = {"-- None --", "Move"};
  int Index = -1;
  int X = 0, Y = 0, W = 1, H = 1, Begin = 1, End = 0;
  std::string Shown = "(design picture)"; // the thumbnail's file, empty when cleared
  std::vector<std::string> Loaded;
  bool Updating = false;
  std::vector<bool> UpdatingChanges;

  void SetUpdating(bool updating) override
  {
    Updating = updating;
    UpdatingChanges.push_back(updating);
  }
  bool LoadPicture(const std::string& path) override
  {
    Loaded.push_back(path);
    if (!std::ifstream(path)) return false;
    Shown = path;
    return true;
  }
  void ClearPicture() override { Shown.clear(); }
  int EditPositionX() const override { return X; }
  void SetEditPositionX(int value) override { X = value; }
  int EditPositionY() const override { return Y; }
  void SetEditPositionY(int value) override { Y = value; }
  int EditWidth() const override { return W; }
  void SetEditWidth(int value) override { W = value; }
  int EditHeight() const override { return H; }
  void SetEditHeight(int value) override { H = value; }
  int EditBegin() const override { return Begin; }
  void SetEditBegin(int value) override { Begin = value; }
  int EditEnd() const override { return End; }
  void SetEditEnd(int value) override { End = value; }
  std::vector<std::string> EffectNames() const override { return Names; }
  int EffectIndex() const override { return Index; }
  void SetEffectIndex(int index) override { Index = index; }
};

// One picture object as the card file holds it.
struct TPicSpec {
  std::string Name = "Pic1";
  int Start = 0;
  int End = 24;
  std::string Content;
  std::string Effect = "-- None --";
  int X = 10;
  int Y = 20;
  int W = 30;
  int H = 40;
  std::string Kind = "Pic";
};

inline std::string PicObjXml(const TPicSpec& p)
{
  return "<Obj><ObjName>" + p.Name + "</ObjName><StartTime>" + std::to_string(p.Start) + "</StartTime><EndTime>" +
         std::to_string(p.End) + "</EndTime><Layer>2</Layer><ObjTypeName>" + p.Kind +
         "</ObjTypeName><ObjType><ObjPic><Content>" + Escape(p.Content) + "</Content><PositionX>" +
         std::to_string(p.X) + "</PositionX><PositionY>" + std::to_string(p.Y) + "</PositionY><Width>" +
         std::to_string(p.W) + "</Width><Height>" + std::to_string(p.H) + "</Height><EffectName>" + p.Effect +
         "</EffectName></ObjPic></ObjType></Obj>";
}

// A render fixture whose examiner is a real TPic writing into the scratch folder.
class TPicFixture : public TRenderFixture {
public:
  explicit TPicFixture(const std::string& objectsXml = "") : TRenderFixture(objectsXml)
  {
    Ctx.PicturePanel = &PicPanel;
    Ctx.Messages = &Messages;
    Ctx.WorkBasePath = Scratch.File("Untitled");
    Ctx.CardTotalFrames = 100;
    Preview.Total = 100;
  }
  std::string WorkFile() const { return Scratch.File("Untitled") + ".jpg"; }

  TFakePicturePanel PicPanel;
  TCollectedMessages Messages;
};
